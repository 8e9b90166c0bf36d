#include "engine/doom_picture.h"

#include "common/row_stride.h"
#include "engine/little_endian.h"
#include "platform/checked.h"

#include <algorithm>

namespace qv {
namespace {

constexpr std::int32_t kLongestPost = 254;
// The largest top delta: 0xFF ends a column.
constexpr std::int32_t kLargestDelta = 254;
constexpr std::uint8_t kColumnEnd = 0xFF;

void PutShort(std::vector<std::uint8_t> &bytes, std::int32_t value)
{
    PutLittleEndian(bytes, static_cast<std::uint16_t>(CheckedCast<std::int16_t>(value)), 2);
}

// Writes the posts of one column. top is the row a reader takes the last post to start at.
class ColumnWriter
{
public:
    explicit ColumnWriter(std::vector<std::uint8_t> &bytes)
        : bytes_(bytes)
    { }

    // A post of the pixels first..last (one past) starting at row.
    void Post(std::int32_t row, const std::uint8_t *first, const std::uint8_t *last)
    {
        const std::uint8_t delta = DeltaFor(row);
        bytes_.push_back(delta);
        bytes_.push_back(static_cast<std::uint8_t>(last - first));
        bytes_.push_back(*first); // padding: the neighbouring pixel
        bytes_.insert(bytes_.end(), first, last);
        bytes_.push_back(*(last - 1));
    }

    void End() { bytes_.push_back(kColumnEnd); }

private:
    // The top delta that makes a reader start the next post at row, after the empty posts
    // needed to get within reach of it.
    std::uint8_t DeltaFor(std::int32_t row)
    {
        while (true) {
            if (row <= kLargestDelta) {
                top_ = row; // row > top_: read as the row itself
                return static_cast<std::uint8_t>(row);
            }
            if (top_ < kLargestDelta) {
                EmptyPost(kLargestDelta); // above top_: read as row 254
                top_ = kLargestDelta;
                continue;
            }
            const std::int32_t step = row - top_;
            if (step <= kLargestDelta) {
                top_ = row; // step <= 254 <= top_: read as counting from top_
                return static_cast<std::uint8_t>(step);
            }
            EmptyPost(kLargestDelta);
            top_ += kLargestDelta;
        }
    }

    void EmptyPost(std::int32_t delta)
    {
        bytes_.insert(bytes_.end(), {static_cast<std::uint8_t>(delta), 0, 0, 0});
    }

    std::vector<std::uint8_t> &bytes_;
    std::int32_t top_ = -1;
};

} // namespace

std::vector<std::uint8_t> EncodeDoomPicture(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    std::int32_t transparentIndex,
    PictureOffsets offsets)
{
    const std::int32_t stride = RowStride(width, 8);
    if (CheckedMul(stride, height) > static_cast<std::int64_t>(indices.size())) {
        Fail(kSubscriptOutOfRange);
    }
    std::vector<std::uint8_t> bytes;
    PutShort(bytes, width);
    PutShort(bytes, height);
    PutShort(bytes, offsets.x);
    PutShort(bytes, offsets.y);
    const std::size_t directory = bytes.size();
    bytes.resize(directory + 4 * static_cast<std::size_t>(width));

    std::vector<std::uint8_t> column(static_cast<std::size_t>(height));
    for (std::int32_t x = 0; x < width; ++x) {
        const auto start = CheckedCast<std::uint32_t>(bytes.size());
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[directory + 4 * static_cast<std::size_t>(x) + i] =
                static_cast<std::uint8_t>(start >> (8 * i));
        }
        for (std::int32_t y = 0; y < height; ++y) {
            column[static_cast<std::size_t>(y)] = indices[static_cast<std::size_t>(y * stride + x)];
        }
        ColumnWriter writer(bytes);
        std::int32_t y = 0;
        while (y < height) {
            if (column[static_cast<std::size_t>(y)] == transparentIndex) {
                ++y;
                continue;
            }
            std::int32_t end = y;
            while (end < height && end - y < kLongestPost
                && column[static_cast<std::size_t>(end)] != transparentIndex) {
                ++end;
            }
            writer.Post(y, column.data() + y, column.data() + end);
            y = end;
        }
        writer.End();
    }
    return bytes;
}

} // namespace qv
