#include "palette/palette_reading.h"

#include "platform/checked.h"
#include "platform/files.h"

namespace qv {

std::string PaletteFileName(const std::string &path)
{
    return "palette file " + NativePath(path);
}

Failure PaletteFailure(std::int32_t number, std::string_view source, const std::string &problem)
{
    return Failure(
        number, FailureDescription(number) + ": " + std::string(source) + ": " + problem);
}

std::vector<std::uint8_t> ReadPaletteBytes(ByteSource &source,
    std::uint64_t offset,
    std::size_t count,
    std::string_view sourceName,
    std::string_view format)
{
    std::vector<std::uint8_t> bytes = source.ReadAt(offset, count);
    if (bytes.size() < count) {
        throw PaletteFailure(kInputPastEnd,
            sourceName,
            "the " + std::string(format) + " ends after "
                + std::to_string(CheckedAdd<std::uint64_t>(offset, bytes.size())) + " of "
                + std::to_string(CheckedAdd<std::uint64_t>(offset, count)) + " bytes");
    }
    return bytes;
}

Failure TooManyColours(std::string_view sourceName, std::string_view format, std::uint64_t count)
{
    return PaletteFailure(kSubscriptOutOfRange,
        sourceName,
        std::string(format) + " with " + std::to_string(count)
            + " colours; at most 256 can be used");
}

std::string Quoted(std::string_view text)
{
    constexpr std::size_t kQuotedLength = 40;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown = "\"";
    for (std::size_t i = 0; i < text.size() && i < kQuotedLength; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7f) {
            shown += text[i];
        } else {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xf];
        }
    }
    return shown + (text.size() > kQuotedLength ? "...\"" : "\"");
}

Failure WrongPaletteLength(std::string_view sourceName,
    std::string_view format,
    std::uint64_t expected,
    std::uint64_t length)
{
    return PaletteFailure(kUnknownFileFormat,
        sourceName,
        std::string(format) + " files are " + std::to_string(expected) + " bytes long, this one is "
            + std::to_string(length));
}

} // namespace qv
