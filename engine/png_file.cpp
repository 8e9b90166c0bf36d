#include "engine/png_file.h"

#include "common/row_stride.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <array>
#include <memory>
#include <spng.h>
#include <zlib.h>

namespace qv {
namespace {

constexpr std::uint8_t kIndexed = SPNG_COLOR_TYPE_INDEXED;
// No chunk of a picture this program reads comes near this; a larger one is refused before it is
// buffered.
constexpr std::size_t kLargestChunk = 16 * 1024 * 1024;
constexpr std::size_t kLargestChunkCache = 32 * 1024 * 1024;

struct ContextFree {
    void operator()(spng_ctx *ctx) const { spng_ctx_free(ctx); }
};
using Context = std::unique_ptr<spng_ctx, ContextFree>;

[[noreturn]] void FailWith(int error, const char *doing)
{
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

Context NewDecoder(const std::vector<std::uint8_t> &bytes)
{
    Context ctx(spng_ctx_new(0));
    if (!ctx) {
        Fail(kOutOfMemory);
    }
    Check(spng_set_chunk_limits(ctx.get(), kLargestChunk, kLargestChunkCache), "limits");
    Check(spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size()), "reading");
    return ctx;
}

std::vector<std::uint8_t> Decode(spng_ctx *ctx, int format, int flags)
{
    std::size_t size = 0;
    Check(spng_decoded_image_size(ctx, format, &size), "size");
    std::vector<std::uint8_t> out(size);
    Check(spng_decode_image(ctx, out.data(), out.size(), format, flags), "decoding");
    return out;
}

std::uint32_t ReadU32(const std::vector<std::uint8_t> &bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(At(bytes, at)) << 24
        | static_cast<std::uint32_t>(At(bytes, at + 1)) << 16
        | static_cast<std::uint32_t>(At(bytes, at + 2)) << 8 | At(bytes, at + 3);
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
// gigabytes) would otherwise pass unnoticed.
bool InflatesToMoreThan(const std::vector<std::uint8_t> &bytes, std::uint64_t limit)
{
    z_stream stream {};
    if (inflateInit(&stream) != Z_OK) {
        Fail(kOutOfMemory);
    }
    std::array<std::uint8_t, 64 * 1024> scratch {};
    std::uint64_t total = 0;
    int status = Z_OK;
    for (std::size_t at = 8; at + 12 <= bytes.size() && status == Z_OK && total <= limit;) {
        const std::uint32_t length = ReadU32(bytes, at);
        const bool idat = std::equal(bytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
            bytes.begin() + static_cast<std::ptrdiff_t>(at + 8),
            "IDAT");
        if (length > bytes.size() - at - 12) {
            break;
        }
        if (idat) {
            stream.next_in = const_cast<std::uint8_t *>(bytes.data() + at + 8);
            stream.avail_in = length;
            while (stream.avail_in > 0 && status == Z_OK && total <= limit) {
                stream.next_out = scratch.data();
                stream.avail_out = static_cast<uInt>(scratch.size());
                status = inflate(&stream, Z_NO_FLUSH);
                total += scratch.size() - stream.avail_out;
            }
        }
        at += 12 + static_cast<std::size_t>(length);
    }
    inflateEnd(&stream);
    return total > limit;
}

// Whether the file has a tRNS chunk (read into trns). Reading it reads the chunks before the image
// data, so a broken one is reported here.
bool HasTransparency(spng_ctx *ctx, spng_trns &trns)
{
    const int error = spng_get_trns(ctx, &trns);
    if (error == SPNG_ECHUNKAVAIL) {
        return false;
    }
    Check(error, "chunks");
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

void ReadIndexed(spng_ctx *ctx, const spng_ihdr &ihdr, LoadedImage &image)
{
    spng_plte plte {};
    Check(spng_get_plte(ctx, &plte), "palette");
    image.palette.assign(1024, 0);
    for (std::uint32_t i = 0; i < plte.n_entries && i < 256; ++i) {
        image.palette[4 * i] = plte.entries[i].blue;
        image.palette[4 * i + 1] = plte.entries[i].green;
        image.palette[4 * i + 2] = plte.entries[i].red;
    }
    spng_trns trns {};
    if (HasTransparency(ctx, trns)) {
        image.hasAlpha = true;
        image.alpha.assign(256, 255);
        std::copy_n(trns.type3_alpha,
            std::min<std::uint32_t>(trns.n_type3_entries, 256),
            image.alpha.begin());
    }
    const std::vector<std::uint8_t> packed = Decode(ctx, SPNG_FMT_PNG, 0);
    UnpackIndices(packed, ihdr, image.width, image.height, image);
    image.bitCount = 8;
}

// Red, green, blue(, alpha) rows into the bitmap byte order blue, green, red(, alpha), each row
// padded to a multiple of 4 bytes.
void ReadColour(spng_ctx *ctx, bool alpha, LoadedImage &image)
{
    const std::int32_t channels = alpha ? 4 : 3;
    const std::vector<std::uint8_t> rgb =
        Decode(ctx, alpha ? SPNG_FMT_RGBA8 : SPNG_FMT_RGB8, alpha ? SPNG_DECODE_TRNS : 0);
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

} // namespace

bool DecodePng(const std::vector<std::uint8_t> &bytes, std::int32_t largestSize, LoadedImage &image)
{
    if (!IsPngSignature(bytes)) {
        throw Failure(kUnknownFileFormat, "Not a PNG picture");
    }
    const Context ctx = NewDecoder(bytes);
    spng_ihdr ihdr {};
    Check(spng_get_ihdr(ctx.get(), &ihdr), "header");
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
        ReadIndexed(ctx.get(), ihdr, image);
        return true;
    }
    spng_trns trns {};
    const bool alpha = ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA
        || ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA || HasTransparency(ctx.get(), trns);
    ReadColour(ctx.get(), alpha, image);
    return true;
}

std::vector<std::uint8_t> EncodeIndexedPng(const std::vector<std::uint8_t> &indices,
    std::int32_t width,
    std::int32_t height,
    const std::vector<std::uint8_t> &table,
    std::int32_t transparentIndex)
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
    ihdr.color_type = kIndexed;
    Check(spng_set_ihdr(ctx.get(), &ihdr), "writing the header");
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

} // namespace qv
