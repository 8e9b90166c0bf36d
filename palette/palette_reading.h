#pragma once

#include "platform/byte_source.h"
#include "platform/failure.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What every palette format shares: how a refusal names its source and says what is wrong, and
// reading a fixed run of bytes.
namespace qv {

// How messages name a palette file: "palette file " and the path as the system shows it.
std::string PaletteFileName(const std::string &path);
// How messages name palette text handed over whole (the built-in palettes).
inline constexpr std::string_view kPaletteTextName = "palette text";

// A palette that cannot be read, with the classic number for the kind of trouble and a
// description that names the source and the problem: "Input past end of file: palette file
// /p/x.pal: the JASC palette ends after 17 of 256 colours".
Failure PaletteFailure(std::int32_t number, std::string_view source, const std::string &problem);

// Exactly count bytes of a palette from offset; a source that ends sooner is failure 62 saying
// where the format's bytes stopped.
std::vector<std::uint8_t> ReadPaletteBytes(ByteSource &source,
    std::uint64_t offset,
    std::size_t count,
    std::string_view sourceName,
    std::string_view format);

// Failure 9 for a palette of more colours than a palette holds: "palette file /p/x.gpl: GIMP
// palette with 300 colours; at most 256 can be used".
Failure TooManyColours(std::string_view sourceName, std::string_view format, std::uint64_t count);

// Text from a file as a message may show it: in quotes, cut to 40 characters, and anything but
// printable ASCII as \xNN, so that no byte of the file can break the line or reach a terminal.
std::string Quoted(std::string_view text);

// Failure 9999 for a format that has one length: "RIFF palette files are 1052 bytes long, this
// one is 1048".
Failure WrongPaletteLength(std::string_view sourceName,
    std::string_view format,
    std::uint64_t expected,
    std::uint64_t length);

} // namespace qv
