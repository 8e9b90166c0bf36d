#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qv::cli::test {

// Every file under folder (subfolders and hidden files included) with its bytes; a folder
// shows as "<dir>". What a refusal must leave exactly as it was.
std::map<std::string, std::vector<std::uint8_t>> Snapshot(const std::string &folder);

// A generated picture of that size and depth (24-bit by default), written to folder/name.
std::string WritePicture(const std::string &folder,
    const std::string &name,
    std::int32_t width,
    std::int32_t height,
    std::int16_t bitCount = 24,
    std::uint32_t seed = 1);

// Width, height and bit count of a BMP file's header; zeros when it is too short.
struct BmpShape {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitCount = 0;
    bool operator==(const BmpShape &) const = default;
};
BmpShape ShapeOf(const std::vector<std::uint8_t> &bytes);
// The 1024-byte colour table of an 8-bit BMP file.
std::vector<std::uint8_t> ColourTableOf(const std::vector<std::uint8_t> &bytes);

// What a run of the built quorvantile-convert gave.
struct Run {
    int status = -1;
    std::string out;
    std::string err;
};
// Runs the program (or another copy of it) in folder with the arguments.
Run RunProgram(const std::string &folder,
    const std::vector<std::string> &args,
    const std::string &program = QV_CONVERT_EXE);
// The same as another user (tests/support/other_user.h), without XDG_CONFIG_HOME and with the
// variables given ("NAME=value").
Run RunProgramAsOtherUser(const std::string &folder,
    const std::vector<std::string> &args,
    const std::string &program,
    const std::vector<std::string> &environment);

// The whole program in this process, as the executable would run it without a terminal.
Run RunInProcess(const std::vector<std::string> &args);

} // namespace qv::cli::test
