#include "engine/png_file.h"

#include "common/row_stride.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <spng.h>
#include <zlib.h>

namespace qv {
namespace {

constexpr std::uint8_t kIndexed = SPNG_COLOR_TYPE_INDEXED;
// The chunks the reader keeps (text, colour profile, ...) may take this much, one and all; a file
// that needs more is refused with these numbers. Chunks it does not know are passed over, however
// large, and so is everything after the image data.
constexpr std::size_t kLargestChunk = 16 * 1024 * 1024;
constexpr std::size_t kLargestChunkCache = 32 * 1024 * 1024;
// The piece of the file read at a time.
constexpr std::size_t kPiece = 64 * 1024;

// Where a PNG's bytes are: size bytes, of which read gives up to count at offset (fewer only
// where they end). A failing read throws the file failure.
struct PngBytes {
    std::uint64_t size = 0;
    std::function<std::size_t(std::uint64_t offset, std::uint8_t *to, std::size_t count)> read;
};

struct ContextFree {
    void operator()(spng_ctx *ctx) const { spng_ctx_free(ctx); }
};
using Context = std::unique_ptr<spng_ctx, ContextFree>;

[[noreturn]] void FailWith(int error, const char *doing)
{
    if (error == SPNG_ECHUNK_LIMITS) {
        throw Failure(kUnknownFileFormat,
            "PNG picture refused: its text, colour profile or other kept chunks pass the limit of "
            "16 MiB for one chunk or 32 MiB in all");
    }
    const std::int32_t number =
        error == SPNG_EOF || error == SPNG_IO_EOF ? kInputPastEnd : kUnknownFileFormat;
    throw Failure(
        number, std::string("Broken PNG picture (") + doing + "): " + spng_strerror(error));
}

void Check(int error, const char *doing)
{
    if (error != 0) {
        FailWith(error, doing);
    }
}

// Hands the reader the bytes in order, a piece at a time through a buffer of its own. A failing
// read is kept, the reader told of an error, and the failure thrown once the reader has returned.
class PngStream
{
public:
    explicit PngStream(const PngBytes &bytes)
        : bytes_(bytes)
    { }

    static int Read(spng_ctx *, void *user, void *to, std::size_t length)
    {
        return static_cast<PngStream *>(user)->Fill(static_cast<std::uint8_t *>(to), length);
    }

    void ThrowKeptFailure() const
    {
        if (failure_) {
            throw *failure_;
        }
    }

private:
    int Fill(std::uint8_t *to, std::size_t length)
    {
        try {
            while (length > 0) {
                if (start_ == end_) {
                    end_ = bytes_.read(position_, buffer_.data(), buffer_.size());
                    start_ = 0;
                    position_ += end_;
                    if (end_ == 0) {
                        return SPNG_IO_EOF;
                    }
                }
                const std::size_t now = std::min(length, end_ - start_);
                std::memcpy(to, buffer_.data() + start_, now);
                start_ += now;
                to += now;
                length -= now;
            }
            return 0;
        } catch (const Failure &failure) {
            failure_ = failure;
            return SPNG_IO_ERROR;
        }
    }

    const PngBytes &bytes_;
    std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(kPiece);
    std::size_t start_ = 0;
    std::size_t end_ = 0;
    std::uint64_t position_ = 0;
    std::optional<Failure> failure_;
};

// The reader on a stream of the bytes, with the chunk limits set.
class Decoder
{
public:
    explicit Decoder(const PngBytes &bytes)
        : stream_(bytes)
        , ctx_(spng_ctx_new(0))
    {
        if (!ctx_) {
            Fail(kOutOfMemory);
        }
        Check(spng_set_chunk_limits(ctx_.get(), kLargestChunk, kLargestChunkCache), "limits");
        Check(spng_set_png_stream(ctx_.get(), &PngStream::Read, &stream_), "reading");
    }
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    spng_ctx *Get() const { return ctx_.get(); }

    // Throws the failure of a reader call: the read's own when the file could not be read.
    void Check(int error, const char *doing) const
    {
        if (error != 0) {
            stream_.ThrowKeptFailure();
            FailWith(error, doing);
        }
    }

private:
    PngStream stream_;
    Context ctx_;
};

std::vector<std::uint8_t> Decode(const Decoder &decoder, int format, int flags)
{
    std::size_t size = 0;
    decoder.Check(spng_decoded_image_size(decoder.Get(), format, &size), "size");
    std::vector<std::uint8_t> out(size);
    decoder.Check(
        spng_decode_image(decoder.Get(), out.data(), out.size(), format, flags), "decoding");
    return out;
}

std::uint32_t ReadU32(const std::uint8_t *bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16
        | static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

// The bytes the image data inflates to for this header: a filter byte and the packed samples
// of every row of every pass.
std::uint64_t RawImageBytes(const spng_ihdr &ihdr)
{
    const std::uint64_t channels = ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR ? 3
        : ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA                    ? 2
        : ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA                    ? 4
                                                                                : 1;
    const auto rows = [&](std::uint64_t width, std::uint64_t height) -> std::uint64_t {
        if (width == 0 || height == 0) {
            return 0;
        }
        return height * (1 + (width * channels * ihdr.bit_depth + 7) / 8);
    };
    const std::uint64_t w = ihdr.width;
    const std::uint64_t h = ihdr.height;
    if (ihdr.interlace_method == 0) {
        return rows(w, h);
    }
    constexpr std::array<std::array<std::uint64_t, 4>, 7> kPasses = {{{0, 0, 8, 8},
        {4, 0, 8, 8},
        {0, 4, 4, 8},
        {2, 0, 4, 4},
        {0, 2, 2, 4},
        {1, 0, 2, 2},
        {0, 1, 1, 2}}};
    std::uint64_t total = 0;
    for (const auto &[x0, y0, dx, dy] : kPasses) {
        total += rows(w > x0 ? (w - x0 + dx - 1) / dx : 0, h > y0 ? (h - y0 + dy - 1) / dy : 0);
    }
    return total;
}

// Whether the image data of the file inflates to more than limit bytes. The reader stops once it
// has the rows the header declares, so a stream that goes on (a small picture that inflates to
// gigabytes) would otherwise pass unnoticed. The chunks are walked up to the end of the file or
// IEND, the image data read a piece at a time and every other chunk passed over unread.
bool InflatesToMoreThan(const PngBytes &bytes, std::uint64_t limit)
{
    z_stream stream {};
    if (inflateInit(&stream) != Z_OK) {
        Fail(kOutOfMemory);
    }
    std::vector<std::uint8_t> in(kPiece);
    std::vector<std::uint8_t> scratch(kPiece);
    std::uint64_t total = 0;
    int status = Z_OK;
    std::array<std::uint8_t, 8> header {};
    for (std::uint64_t at = 8; status == Z_OK && total <= limit;) {
        if (at > bytes.size || bytes.size - at < 12 || bytes.read(at, header.data(), 8) < 8) {
            break;
        }
        const std::uint32_t length = ReadU32(header.data());
        if (length > bytes.size - at - 12 || std::memcmp(header.data() + 4, "IEND", 4) == 0) {
            break;
        }
        const bool idat = std::memcmp(header.data() + 4, "IDAT", 4) == 0;
        for (std::uint64_t done = 0; idat && done < length && status == Z_OK && total <= limit;) {
            const std::size_t got = bytes.read(at + 8 + done,
                in.data(),
                static_cast<std::size_t>(std::min<std::uint64_t>(length - done, kPiece)));
            if (got == 0) {
                break;
            }
            done += got;
            stream.next_in = in.data();
            stream.avail_in = static_cast<uInt>(got);
            while (stream.avail_in > 0 && status == Z_OK && total <= limit) {
                stream.next_out = scratch.data();
                stream.avail_out = static_cast<uInt>(scratch.size());
                status = inflate(&stream, Z_NO_FLUSH);
                total += scratch.size() - stream.avail_out;
            }
        }
        at += 12 + std::uint64_t {length};
    }
    inflateEnd(&stream);
    return total > limit;
}

// Whether the file has a tRNS chunk (read into trns). Reading it reads the chunks before the image
// data, so a broken one is reported here.
bool HasTransparency(const Decoder &decoder, spng_trns &trns)
{
    const int error = spng_get_trns(decoder.Get(), &trns);
    if (error == SPNG_ECHUNKAVAIL) {
        return false;
    }
    decoder.Check(error, "chunks");
    return true;
}

// Indices of 1, 2, 4 or 8 bits per pixel, most significant first, into bytes.
void UnpackIndices(const std::vector<std::uint8_t> &packed,
    const spng_ihdr &ihdr,
    std::int32_t width,
    std::int32_t height,
    LoadedImage &image)
{
    const std::int32_t bits = ihdr.bit_depth;
    const std::int32_t packedStride = CheckedAdd(CheckedMul(width, bits), 7) / 8;
    const std::int32_t stride = RowStride(width, 8);
    image.pixels.assign(static_cast<std::size_t>(CheckedMul(stride, height)), 0);
    const std::int32_t perByte = 8 / bits;
    const std::uint8_t mask = static_cast<std::uint8_t>((1 << bits) - 1);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::size_t in = static_cast<std::size_t>(y) * static_cast<std::size_t>(packedStride);
        const std::size_t out = static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint8_t byte = At(packed, in + static_cast<std::size_t>(x / perByte));
            const std::int32_t shift = 8 - bits * (x % perByte + 1);
            image.pixels[out + static_cast<std::size_t>(x)] =
                static_cast<std::uint8_t>((byte >> shift) & mask);
        }
    }
}

void ReadIndexed(const Decoder &decoder, const spng_ihdr &ihdr, LoadedImage &image)
{
    spng_plte plte {};
    decoder.Check(spng_get_plte(decoder.Get(), &plte), "palette");
    image.palette.assign(1024, 0);
    for (std::uint32_t i = 0; i < plte.n_entries && i < 256; ++i) {
        image.palette[4 * i] = plte.entries[i].blue;
        image.palette[4 * i + 1] = plte.entries[i].green;
        image.palette[4 * i + 2] = plte.entries[i].red;
    }
    spng_trns trns {};
    if (HasTransparency(decoder, trns)) {
        image.hasAlpha = true;
        image.alpha.assign(256, 255);
        std::copy_n(trns.type3_alpha,
            std::min<std::uint32_t>(trns.n_type3_entries, 256),
            image.alpha.begin());
    }
    const std::vector<std::uint8_t> packed = Decode(decoder, SPNG_FMT_PNG, 0);
    UnpackIndices(packed, ihdr, image.width, image.height, image);
    image.bitCount = 8;
}

// Red, green, blue(, alpha) rows into the bitmap byte order blue, green, red(, alpha), each row
// padded to a multiple of 4 bytes.
void ReadColour(const Decoder &decoder, bool alpha, LoadedImage &image)
{
    const std::int32_t channels = alpha ? 4 : 3;
    const std::vector<std::uint8_t> rgb =
        Decode(decoder, alpha ? SPNG_FMT_RGBA8 : SPNG_FMT_RGB8, alpha ? SPNG_DECODE_TRNS : 0);
    image.bitCount = static_cast<std::int16_t>(channels * 8);
    const std::int32_t stride = RowStride(image.width, image.bitCount);
    const std::size_t rowBytes = static_cast<std::size_t>(CheckedMul(image.width, channels));
    image.pixels.assign(static_cast<std::size_t>(CheckedMul(stride, image.height)), 0);
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::size_t in = static_cast<std::size_t>(y) * rowBytes;
        const std::size_t out = static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        for (std::size_t k = 0; k < rowBytes; k += static_cast<std::size_t>(channels)) {
            image.pixels[out + k] = At(rgb, in + k + 2);
            image.pixels[out + k + 1] = At(rgb, in + k + 1);
            image.pixels[out + k + 2] = At(rgb, in + k);
            if (alpha) {
                image.pixels[out + k + 3] = At(rgb, in + k + 3);
            }
        }
    }
    image.hasAlpha = alpha;
}

bool Read(const PngBytes &bytes, std::int32_t largestSize, LoadedImage &image)
{
    std::vector<std::uint8_t> signature(8);
    signature.resize(bytes.read(0, signature.data(), signature.size()));
    if (!IsPngSignature(signature)) {
        throw Failure(kUnknownFileFormat, "Not a PNG picture");
    }
    const Decoder decoder(bytes);
    spng_ihdr ihdr {};
    decoder.Check(spng_get_ihdr(decoder.Get(), &ihdr), "header");
    // The reader accepts sides up to 2^31 - 1, so both fit.
    image.width = static_cast<std::int32_t>(ihdr.width);
    image.height = static_cast<std::int32_t>(ihdr.height);
    image.bitCount = 0;
    if (image.width > largestSize || image.height > largestSize) {
        return false;
    }
    if (InflatesToMoreThan(bytes, RawImageBytes(ihdr))) {
        throw Failure(kUnknownFileFormat,
            "Broken PNG picture: its image data inflates to more than its "
                + std::to_string(ihdr.width) + " x " + std::to_string(ihdr.height) + " pixels");
    }
    if (ihdr.color_type == kIndexed) {
        ReadIndexed(decoder, ihdr, image);
        return true;
    }
    spng_trns trns {};
    const bool alpha = ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA
        || ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA || HasTransparency(decoder, trns);
    ReadColour(decoder, alpha, image);
    return true;
}

} // namespace

bool DecodePng(const std::vector<std::uint8_t> &bytes, std::int32_t largestSize, LoadedImage &image)
{
    const PngBytes source {bytes.size(),
        [&](std::uint64_t offset, std::uint8_t *to, std::size_t count) -> std::size_t {
            if (offset >= bytes.size()) {
                return 0;
            }
            const std::size_t now =
                static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes.size() - offset));
            std::memcpy(to, bytes.data() + offset, now);
            return now;
        }};
    return Read(source, largestSize, image);
}

bool DecodePng(ReadableFile &file, std::int32_t largestSize, LoadedImage &image)
{
    const PngBytes source {
        file.Length(), [&](std::uint64_t offset, std::uint8_t *to, std::size_t count) {
            return file.ReadAt(offset, to, count);
        }};
    return Read(source, largestSize, image);
}

namespace {

// An encoder into memory of an 8-bit picture of that size and colour type, its header set.
Context Encoder(std::int32_t width, std::int32_t height, std::uint8_t colorType)
{
    Context ctx(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!ctx) {
        Fail(kOutOfMemory);
    }
    Check(spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1), "writing");
    spng_ihdr ihdr {};
    ihdr.width = static_cast<std::uint32_t>(width);
    ihdr.height = static_cast<std::uint32_t>(height);
    ihdr.bit_depth = 8;
    ihdr.color_type = colorType;
    Check(spng_set_ihdr(ctx.get(), &ihdr), "writing the header");
    return ctx;
}

// The PNG file of the rows (without padding) the encoder's header describes.
std::vector<std::uint8_t> Encoded(Context &ctx, const std::vector<std::uint8_t> &rows)
{
    Check(
        spng_encode_image(ctx.get(), rows.data(), rows.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE),
        "encoding");
    std::size_t length = 0;
    int error = 0;
    std::unique_ptr<void, decltype(&std::free)> png(
        spng_get_png_buffer(ctx.get(), &length, &error), &std::free);
    Check(error, "encoding");
    const auto *begin = static_cast<const std::uint8_t *>(png.get());
    return {begin, begin + length};
}

} // namespace

std::vector<std::uint8_t> EncodeIndexedPng(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    const std::vector<std::uint8_t> &table,
    std::int32_t transparentIndex)
{
    Context ctx = Encoder(width, height, kIndexed);
    spng_plte plte {};
    plte.n_entries = 256;
    for (std::size_t i = 0; i < 256; ++i) {
        plte.entries[i].blue = At(table, 4 * i);
        plte.entries[i].green = At(table, 4 * i + 1);
        plte.entries[i].red = At(table, 4 * i + 2);
    }
    Check(spng_set_plte(ctx.get(), &plte), "writing the palette");
    if (transparentIndex >= 0 && transparentIndex <= 255) {
        spng_trns trns {};
        trns.n_type3_entries = static_cast<std::uint32_t>(transparentIndex) + 1;
        std::fill_n(trns.type3_alpha, trns.n_type3_entries, std::uint8_t {255});
        trns.type3_alpha[transparentIndex] = 0;
        Check(spng_set_trns(ctx.get(), &trns), "writing the transparency");
    }
    // The encoder takes rows without padding.
    const std::size_t stride = static_cast<std::size_t>(RowStride(width, 8));
    const std::size_t rowBytes = static_cast<std::size_t>(width);
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        for (std::size_t x = 0; x < rowBytes; ++x) {
            rows[y * rowBytes + x] = At(indices, y * stride + x);
        }
    }
    return Encoded(ctx, rows);
}

std::vector<std::uint8_t> EncodeRgbPng(
    const std::vector<std::uint8_t> &rgb, std::int32_t width, std::int32_t height)
{
    const std::size_t rowBytes = CheckedMul(static_cast<std::size_t>(width), std::size_t {3});
    if (CheckedMul(rowBytes, static_cast<std::size_t>(height)) != rgb.size()) {
        Fail(kInvalidArgument);
    }
    Context ctx = Encoder(width, height, SPNG_COLOR_TYPE_TRUECOLOR);
    return Encoded(ctx, rgb);
}

} // namespace qv
