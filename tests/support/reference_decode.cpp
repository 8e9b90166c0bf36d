#include "tests/support/reference_decode.h"

#include "tests/support/temp_dir.h"

#include <cstdio>
#include <memory>
#include <sstream>

namespace qv::test {
namespace {

// Writes "mode width height entries\n", the palette, then the pixels.
constexpr const char *kScript = R"(import sys
from PIL import Image
im = Image.open(sys.argv[1])
im.load()
if im.mode == "P":
    pal = bytes(im.getpalette() or [])
    data = im.tobytes()
else:
    im = im.convert("RGB")
    pal = b""
    data = im.tobytes()
with open(sys.argv[2], "wb") as out:
    out.write(("%s %d %d %d\n" % (im.mode, im.width, im.height, len(pal) // 3)).encode())
    out.write(pal)
    out.write(data)
)";

} // namespace

std::string ShellQuote(const std::string &text)
{
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string CommandOutput(const std::string &command)
{
    std::unique_ptr<FILE, int (*)(FILE *)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        return {};
    }
    std::string output;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) {
        output.append(buffer, n);
    }
    return output;
}

PillowPicture DecodeWithPillow(const std::string &path)
{
    TempDir dir;
    const std::string script = dir.Write("decode.py", std::string(kScript));
    const std::string out = dir.File("decoded.bin");
    PillowPicture picture;
    picture.error = CommandOutput("/usr/bin/python3 " + ShellQuote(script) + " " + ShellQuote(path)
        + " " + ShellQuote(out) + " 2>&1");
    const std::vector<std::uint8_t> bytes = ReadBytes(out);
    std::size_t lineEnd = 0;
    while (lineEnd < bytes.size() && bytes[lineEnd] != '\n') {
        ++lineEnd;
    }
    if (lineEnd == bytes.size()) {
        if (picture.error.empty()) {
            picture.error = "no output from Pillow";
        }
        return picture;
    }
    std::istringstream header(std::string(bytes.begin(), bytes.begin() + lineEnd));
    std::size_t entries = 0;
    header >> picture.mode >> picture.width >> picture.height >> entries;
    if (lineEnd + 1 + entries * 3 > bytes.size()) {
        picture.error = "short output from Pillow";
        return picture;
    }
    const auto paletteStart = bytes.begin() + static_cast<std::ptrdiff_t>(lineEnd + 1);
    const auto pixelStart = paletteStart + static_cast<std::ptrdiff_t>(entries * 3);
    picture.palette.assign(paletteStart, pixelStart);
    picture.pixels.assign(pixelStart, bytes.end());
    picture.error.clear();
    return picture;
}

std::vector<std::uint8_t> DecodeWithImageMagick(const std::string &path)
{
    TempDir dir;
    const std::string out = dir.File("decoded.rgb");
    CommandOutput(
        "convert " + ShellQuote(path) + " -depth 8 " + ShellQuote("rgb:" + out) + " 2>&1");
    return ReadBytes(out);
}

} // namespace qv::test
