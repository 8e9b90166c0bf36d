// The PNG functions of a build without a PNG library: a PNG picture is refused with a reason.
#include "engine/png_file.h"
#include "platform/failure.h"

namespace qv {
namespace {

[[noreturn]] void Unavailable()
{
    throw Failure(kUnknownFileFormat, "PNG pictures are not supported by this build");
}

} // namespace

bool DecodePng(const std::vector<std::uint8_t> &, std::int32_t, LoadedImage &)
{
    Unavailable();
}

bool DecodePng(ReadableFile &, std::int32_t, LoadedImage &)
{
    Unavailable();
}

std::vector<std::uint8_t> EncodeIndexedPng(const std::vector<std::uint8_t> &,
    std::int32_t,
    std::int32_t,
    const std::vector<std::uint8_t> &,
    std::int32_t)
{
    Unavailable();
}

} // namespace qv
