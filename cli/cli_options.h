#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qv::cli {

// The command line of quorvantile-convert. Every option that is not given keeps the value of the
// settings file (std::nullopt here).
struct CliOptions {
    std::vector<std::string> paths;
    std::string settingsFile; // empty: the window's settings file beside the executable
    std::optional<std::string> palette; // a built-in name or a palette file
    std::optional<int> size;
    bool findMinimum = false;
    std::optional<int> scale; // 0 none, 1 64, 2 128, 3 32
    std::optional<int> verticalAlign; // 0 top, 1 center, 2 bottom, 3 weighted
    std::optional<int> horizontalAlign; // 0 left, 1 center, 2 right, 3 weighted
    std::optional<int> match; // 0 pixel, 1 row, 2 column, 3 square
    std::optional<std::array<int, 3>> brightness; // red, green, blue, 0..200
    std::optional<bool> convertPalette;
    std::optional<bool> transparency;
    std::optional<int> inputTransparent;
    std::optional<int> outputTransparent;
    std::optional<bool> edges;
    std::optional<std::array<bool, 256>> skip; // true: entry never used
    std::string outputDir; // empty: convert in place with backups
    int jobs = 0; // 0: the number of cores
    bool json = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

// The outcome of parsing: the options, or a one-line message saying what is wrong.
struct ParseResult {
    CliOptions options;
    std::string error;
    bool ok() const { return error.empty(); }
};

ParseResult ParseCommandLine(const std::vector<std::string> &args);

// A skip list such as "0,16-31,255"; nothing when malformed.
std::optional<std::array<bool, 256>> ParseSkipList(const std::string &text);

std::string HelpText();

} // namespace qv::cli
