// PNG files of gigabytes, made of chunks the reader passes over, and kept chunks past its limits.
// The files are sparse, written through POSIX calls.
#include "engine/load_bmp_file.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

std::string PngCase(const std::string &name)
{
    return test::TestDataDir() + "/png/" + name;
}

// CRC-32 of PNG chunks, carried on from crc over more bytes.
std::uint32_t Crc(std::uint32_t crc, const std::uint8_t *bytes, std::size_t size)
{
    static const std::array<std::uint32_t, 256> kTable = [] {
        std::array<std::uint32_t, 256> table {};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) {
                c = (c >> 1) ^ (0xEDB88320U & (0U - (c & 1U)));
            }
            table[n] = c;
        }
        return table;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc = kTable[(crc ^ bytes[i]) & 0xFFU] ^ (crc >> 8);
    }
    return ~crc;
}

// Writes a file from its start; runs of zero bytes are skipped over and stay holes, so a file of
// gigabytes takes almost no disk.
class SparseFile
{
public:
    explicit SparseFile(const std::string &path)
        : descriptor_(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644))
    { }
    ~SparseFile()
    {
        EXPECT_EQ(ftruncate(descriptor_, static_cast<off_t>(at_)), 0);
        close(descriptor_);
    }
    SparseFile(const SparseFile &) = delete;
    SparseFile &operator=(const SparseFile &) = delete;

    void Bytes(const std::vector<std::uint8_t> &bytes)
    {
        ASSERT_EQ(pwrite(descriptor_, bytes.data(), bytes.size(), static_cast<off_t>(at_)),
            static_cast<ssize_t>(bytes.size()));
        at_ += bytes.size();
    }
    void Zeros(std::uint64_t count) { at_ += count; }

    // A chunk of that type whose data is size zero bytes (the size as a PNG length, checksum
    // and all), or the given bytes.
    void Chunk(const char *type, std::uint64_t size, const std::vector<std::uint8_t> &data = {})
    {
        const std::uint64_t length = data.empty() ? size : data.size();
        std::vector<std::uint8_t> head {static_cast<std::uint8_t>(length >> 24),
            static_cast<std::uint8_t>(length >> 16),
            static_cast<std::uint8_t>(length >> 8),
            static_cast<std::uint8_t>(length)};
        head.insert(head.end(), type, type + 4);
        std::uint32_t crc = Crc(0, head.data() + 4, 4);
        Bytes(head);
        if (data.empty()) {
            if (zerosSize_ != size || zerosType_ != std::string(type, 4)) {
                const std::vector<std::uint8_t> zeros(1 << 16, 0);
                for (std::uint64_t done = 0; done < size; done += zeros.size()) {
                    crc =
                        Crc(crc, zeros.data(), std::min<std::uint64_t>(zeros.size(), size - done));
                }
                zerosType_.assign(type, 4);
                zerosSize_ = size;
                zerosCrc_ = crc;
            }
            crc = zerosCrc_;
            Zeros(size);
        } else {
            crc = Crc(crc, data.data(), data.size());
            Bytes(data);
        }
        Bytes({static_cast<std::uint8_t>(crc >> 24),
            static_cast<std::uint8_t>(crc >> 16),
            static_cast<std::uint8_t>(crc >> 8),
            static_cast<std::uint8_t>(crc)});
    }

private:
    int descriptor_;
    std::uint64_t at_ = 0;
    // The checksum of the last chunk of zeros, for the next one like it.
    std::string zerosType_;
    std::uint64_t zerosSize_ = 0;
    std::uint32_t zerosCrc_ = 0;
};

// The length of the signature and the chunks before the first IDAT of a PNG file.
std::size_t BeforeImageData(const std::vector<std::uint8_t> &png)
{
    std::size_t at = 8;
    while (
        at + 8 <= png.size() && std::string(png.begin() + at + 4, png.begin() + at + 8) != "IDAT") {
        at += 12
            + (std::size_t {png[at]} << 24 | std::size_t {png[at + 1]} << 16
                | std::size_t {png[at + 2]} << 8 | png[at + 3]);
    }
    return at;
}

// However large a PNG file is, the chunks the reader passes over (private ones before the image
// data, anything after its end) cost it nothing: the picture reads as without them. Chunks it
// would keep past its limits are refused with a message that states them. The large files are
// sparse.
TEST(PngReader, ChunksItDoesNotNeedArePassedOverWhateverTheirSize)
{
    const std::string kLimits = "Error in LoadBMPFile\r\nError #9999\r\nPNG picture refused: its "
                                "text, colour profile or other kept chunks pass the limit of 16 "
                                "MiB for one chunk or 32 MiB in all (";
    const struct {
        const char *name;
        const char *picture;
        std::uint64_t privateChunks; // of privateSize zero bytes each, before the image data
        std::uint64_t privateSize;
        std::uint64_t textBytes; // one tEXt chunk of that many bytes before the image data
        std::uint64_t after; // zero bytes after the end of the file's PNG
        std::string report; // empty: reads as the picture alone
    } rows[] = {
        {"nothing added", "rgb8", 0, 0, 0, 0, ""},
        {"300 private chunks of 1 MiB", "rgb8", 300, 1 << 20, 0, 0, ""},
        {"300 private chunks of 1 MiB, indexed", "indexed8_trns", 300, 1 << 20, 0, 0, ""},
        {"one private chunk of 64 MiB", "rgba8", 1, 64 << 20, 0, 0, ""},
        {"3 GiB after its end", "indexed8_trns", 0, 0, 0, 3ULL << 30, ""},
        {"text within the limit", "rgb8", 0, 0, 1 << 20, 0, ""},
        {"text past the limit", "rgb8", 0, 0, 33 << 20, 0, kLimits},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const std::string source = PngCase(std::string(row.picture) + ".png");
        const std::vector<std::uint8_t> png = test::ReadBytes(source);
        const std::size_t split = BeforeImageData(png);
        ASSERT_LT(split, png.size());
        test::TempDir dir;
        const std::string path = dir.File("large.png");
        {
            SparseFile file(path);
            file.Bytes({png.begin(), png.begin() + static_cast<std::ptrdiff_t>(split)});
            for (std::uint64_t i = 0; i < row.privateChunks; ++i) {
                file.Chunk("prVt", row.privateSize);
            }
            if (row.textBytes > 0) {
                std::vector<std::uint8_t> text(row.textBytes, 'a');
                std::copy_n("Comment", 8, text.begin());
                file.Chunk("tEXt", 0, text);
            }
            file.Bytes({png.begin() + static_cast<std::ptrdiff_t>(split), png.end()});
            file.Zeros(row.after);
        }
        ScriptedDialogService dialogs;
        LoadedImage expected;
        ASSERT_TRUE(LoadBMPFile(dialogs, 512, source, expected));
        LoadedImage image;
        const bool loaded = LoadBMPFile(dialogs, 512, path, image);
        if (row.report.empty()) {
            EXPECT_TRUE(loaded);
            EXPECT_TRUE(dialogs.Log().empty()) << dialogs.Log().front().text;
            EXPECT_EQ(image.width, expected.width);
            EXPECT_EQ(image.height, expected.height);
            EXPECT_EQ(image.bitCount, expected.bitCount);
            EXPECT_EQ(image.pixels, expected.pixels);
            EXPECT_EQ(image.palette, expected.palette);
            EXPECT_EQ(image.alpha, expected.alpha);
        } else {
            EXPECT_FALSE(loaded);
            EXPECT_EQ(dialogs.MessageTexts(), std::vector<std::string> {row.report + path + ")"});
        }
    }
}

} // namespace
} // namespace qv
