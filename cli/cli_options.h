#pragma once

#include "common/conversion_options.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv::cli {

// A conversion option given on the command line: it changes the options read from the settings
// file, or returns what is wrong with it (a palette that names nothing).
using ConversionOverride = std::function<std::string(ConversionOptions &)>;

// The command line of quorvantile-convert. Every conversion option that is not given keeps the
// value of the settings file.
struct CliOptions {
    std::vector<std::string> paths;
    std::string settingsFile; // empty: the window's settings file beside the executable
    // The conversion options given, in the order given.
    std::vector<ConversionOverride> conversion;
    bool findMinimum = false;
    std::string outputDir; // empty: convert in place with backups
    int jobs = 0; // 0: the number of cores
    bool json = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
    bool restore = false; // give each path back its oldest backup instead of converting
    bool reportEntries = false; // --json lines carry the entry counts
    std::string heatmap; // not empty: the difference picture of the one picture goes there
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
