#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace qv::cli {
namespace {

// A whole decimal number in [lo, hi], nothing else.
std::optional<int> ParseInt(const std::string &text, int lo, int hi)
{
    int value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < lo || value > hi) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> Choice(const std::string &text, const std::vector<std::string> &names)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (text == names[i]) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::vector<std::string> Split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string::npos) {
            return parts;
        }
        start = at + 1;
    }
}

} // namespace

std::optional<std::array<bool, 256>> ParseSkipList(const std::string &text)
{
    std::array<bool, 256> skip {};
    if (text.empty()) {
        return skip;
    }
    for (const std::string &item : Split(text, ',')) {
        const std::size_t dash = item.find('-');
        const auto first = ParseInt(item.substr(0, dash), 0, 255);
        const auto last =
            dash == std::string::npos ? first : ParseInt(item.substr(dash + 1), 0, 255);
        if (!first || !last || *first > *last) {
            return std::nullopt;
        }
        for (int i = *first; i <= *last; ++i) {
            skip[static_cast<std::size_t>(i)] = true;
        }
    }
    return skip;
}

ParseResult ParseCommandLine(const std::vector<std::string> &args)
{
    ParseResult result;
    CliOptions &o = result.options;
    const std::map<std::string, std::optional<bool> *> flags = {
        {"--convert-palette", &o.convertPalette},
        {"--transparency", &o.transparency},
        {"--edges", &o.edges}};
    const std::map<std::string, bool *> switches = {{"--help", &o.help},
        {"-h", &o.help},
        {"--version", &o.version},
        {"--json", &o.json},
        {"--quiet", &o.quiet},
        {"-q", &o.quiet},
        {"--find-minimum", &o.findMinimum}};
    const std::vector<std::string> valued = {"--settings",
        "--palette",
        "--size",
        "--scale",
        "--valign",
        "--halign",
        "--match",
        "--brightness",
        "--input-transparent",
        "--output-transparent",
        "--skip",
        "--output",
        "--jobs",
        "-j"};
    bool onlyPaths = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (onlyPaths || arg.empty() || arg[0] != '-' || arg == "-") {
            o.paths.push_back(arg);
            continue;
        }
        if (arg == "--") {
            // Everything after it is a path, even when it starts with "-".
            onlyPaths = true;
            continue;
        }
        // Options with a value take it from "--name=value" or from the next argument.
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            name = arg.substr(0, arg.find('='));
            inlineValue = arg.substr(arg.find('=') + 1);
        }
        const std::string flagName = name.rfind("--no-", 0) == 0 ? "--" + name.substr(5) : name;
        const bool isFlag = switches.count(name) != 0 || flags.count(flagName) != 0;
        if (isFlag && inlineValue) {
            result.error = name + " takes no value";
            return result;
        }
        if (switches.count(name) != 0) {
            *switches.at(name) = true;
            continue;
        }
        if (flags.count(flagName) != 0) {
            *flags.at(flagName) = name == flagName;
            continue;
        }
        if (std::find(valued.begin(), valued.end(), name) == valued.end()) {
            result.error = "unknown option " + name;
            return result;
        }
        if (!inlineValue && i + 1 >= args.size()) {
            result.error = name + " needs a value";
            return result;
        }
        const std::string v = inlineValue ? *inlineValue : args[++i];
        auto bad = [&](const std::string &what) {
            result.error = "invalid value for " + name + ": " + what;
            return result;
        };

        if (name == "--settings") {
            if (v.empty()) {
                return bad("empty");
            }
            o.settingsFile = v;
        } else if (name == "--palette") {
            if (v.empty()) {
                return bad("empty");
            }
            o.palette = v;
        } else if (name == "--size") {
            o.size = ParseInt(v, 16, 512);
            if (!o.size || *o.size % 4 != 0) {
                return bad(v + " (a multiple of 4 from 16 to 512)");
            }
        } else if (name == "--scale") {
            if (!(o.scale = Choice(v, {"none", "64", "128", "32"}))) {
                return bad(v + " (none, 64, 128 or 32)");
            }
        } else if (name == "--valign") {
            if (!(o.verticalAlign = Choice(v, {"top", "center", "bottom", "weighted"}))) {
                return bad(v + " (top, center, bottom or weighted)");
            }
        } else if (name == "--halign") {
            if (!(o.horizontalAlign = Choice(v, {"left", "center", "right", "weighted"}))) {
                return bad(v + " (left, center, right or weighted)");
            }
        } else if (name == "--match") {
            if (!(o.match = Choice(v, {"pixel", "row", "column", "square"}))) {
                return bad(v + " (pixel, row, column or square)");
            }
        } else if (name == "--brightness") {
            const std::vector<std::string> parts = Split(v, ',');
            std::array<int, 3> b {};
            for (std::size_t k = 0; k < 3; ++k) {
                const auto n = parts.size() == 3 ? ParseInt(parts[k], 0, 200) : std::nullopt;
                if (!n) {
                    return bad(v + " (R,G,B, each 0 to 200)");
                }
                b[k] = *n;
            }
            o.brightness = b;
        } else if (name == "--input-transparent" || name == "--output-transparent") {
            const auto n = ParseInt(v, 0, 255);
            if (!n) {
                return bad(v + " (0 to 255)");
            }
            (name == "--input-transparent" ? o.inputTransparent : o.outputTransparent) = n;
        } else if (name == "--skip") {
            if (!(o.skip = ParseSkipList(v))) {
                return bad(v + " (for example 0,16-31,255)");
            }
        } else if (name == "--output") {
            if (v.empty()) {
                return bad("empty");
            }
            o.outputDir = v;
        } else { // --jobs, -j
            const auto n = ParseInt(v, 1, 256);
            if (!n) {
                return bad(v + " (1 to 256)");
            }
            o.jobs = *n;
        }
    }
    if (o.paths.empty() && !o.help && !o.version) {
        result.error = "no picture or folder given";
    }
    return result;
}

std::string HelpText()
{
    return R"(Usage: quorvantile-convert [options] PATH...

Converts bitmap pictures into square, palette-indexed 8-bit BMPs. A PATH is a .bmp file or a
folder (its *.bmp files). Without --output every picture is converted in place and its original
is kept in the folder's "Quorvantile Backup" subfolder. Options not given keep the values of the
window's settings file.

  --settings FILE            settings file to read (default: quorvantile.ini beside the program)
  --palette NAME|FILE        WOLF3D, SPEAR, BLAKESTONE, BODYCOUNT, CORRIDOR7, NOAH3D, DOOM, or a
                             palette file (JASC-PAL, RIFF, ACT, GAMEPAL.OBJ)
  --size N                   side of the output square, a multiple of 4 from 16 to 512 (default 64)
  --find-minimum             the smallest square that holds every input (wins over --size)
  --scale none|64|128|32     rescale the square
  --valign top|center|bottom|weighted
  --halign left|center|right|weighted
  --match pixel|row|column|square    colour matching when the square shrinks
  --brightness R,G,B         brightness per channel, 0 to 200 each (100: unchanged)
  --convert-palette, --no-convert-palette
  --transparency, --no-transparency  replace the input transparent colour
  --input-transparent N      input transparent colour index, 0 to 255
  --output-transparent N     output transparent colour index, 0 to 255
  --edges, --no-edges        make the left and right columns transparent
  --skip LIST                palette entries never to use, e.g. 0,16-31,255 (the output
                             transparent entry is always added)
  --output DIR               write the results into DIR; inputs untouched, no backup
  --jobs N                   files converted in parallel (default: the number of cores)
  --json                     one JSON object per file on stdout
  --quiet                    no progress line and no closing count
  --help, --version
  --                         every argument after it is a PATH
A built-in palette name wins over a file of that name; write ./DOOM for such a file.
Exit status: 0 every file converted, 1 a file was refused or failed, 2 usage error.
)";
}

} // namespace qv::cli
