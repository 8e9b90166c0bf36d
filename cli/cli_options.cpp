#include "cli/cli_options.h"

#include "cli/convert_settings.h"
#include "common/color_key.h"
#include "common/offsets_text.h"
#include "common/option_table.h"
#include "platform/settings_location.h"

#include <algorithm>
#include <charconv>

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

// "a, b, c or d"
std::string Alternatives(const std::vector<std::string> &names)
{
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    }
    return text;
}

std::string Joined(const std::vector<std::string> &names, const char *separator)
{
    std::string text;
    for (const std::string &name : names) {
        text += (text.empty() ? "" : separator) + name;
    }
    return text;
}

enum class Arity {
    Switch, // --name
    Flag, // --name and --no-name
    Value, // --name VALUE or --name=VALUE
    Shown, // only a line of the help text
};

// How an option takes effect: its value (empty for switches) and, for a flag, on or off. Returns
// what is wrong with the value ("30 (a multiple of 4 from 16 to 512)"), empty when all is well.
using Apply = std::function<std::string(CliOptions &, const std::string &value, bool on)>;

// One option: its names (the first is the one shown), how it is given, its help and its effect.
struct OptionRow {
    std::vector<std::string> names;
    Arity arity;
    std::string valueName; // what the help shows for its value
    std::string help; // lines after the first are indented under it
    Apply apply;
};

// A conversion option is checked while parsing and takes effect once the settings are read.
template <typename Change> std::string Later(CliOptions &o, Change change)
{
    o.conversion.push_back([change](ConversionOptions &c) {
        change(c);
        return std::string();
    });
    return {};
}

// A choice option of the table: --name WORD, one word per value.
template <typename Option> OptionRow ChoiceRow(const Option &option)
{
    std::vector<std::string> words;
    for (const ChoiceName &name : option.names) {
        words.emplace_back(name.word);
    }
    const auto field = option.field;
    return {{option.cliName},
        Arity::Value,
        Joined(words, "|"),
        option.help,
        [words, field](CliOptions &o, const std::string &v, bool) {
            const auto at = std::find(words.begin(), words.end(), v);
            if (at == words.end()) {
                return v + " (" + Alternatives(words) + ")";
            }
            const auto value = static_cast<typename Option::Enum>(at - words.begin());
            return Later(o, [field, value](ConversionOptions &c) { c.*field = value; });
        }};
}

// An on/off option of the table: --name and --no-name.
OptionRow FlagRow(const FlagOption &option)
{
    const auto field = option.field;
    return {{option.cliName},
        Arity::Flag,
        "",
        option.help,
        [field](CliOptions &o, const std::string &, bool on) {
            return Later(o, [field, on](ConversionOptions &c) { c.*field = on; });
        }};
}

OptionRow SwitchRow(std::vector<std::string> names, const char *help, bool CliOptions::*field)
{
    return {std::move(names),
        Arity::Switch,
        "",
        help,
        [field](CliOptions &o, const std::string &, bool) {
            o.*field = true;
            return std::string();
        }};
}

OptionRow TextRow(const char *name,
    const char *valueName,
    const std::string &help,
    std::function<void(CliOptions &, const std::string &)> take)
{
    return {
        {name}, Arity::Value, valueName, help, [take](CliOptions &o, const std::string &v, bool) {
            if (v.empty()) {
                return std::string("empty");
            }
            take(o, v);
            return std::string();
        }};
}

OptionRow TransparentColorRow(const char *name, const char *help, bool input)
{
    return {{name}, Arity::Value, "N", help, [input](CliOptions &o, const std::string &v, bool) {
                const std::optional<int> n = ParseInt(v, 0, 255);
                if (!n) {
                    return v + " (0 to 255)";
                }
                return Later(o, [input, n](ConversionOptions &c) {
                    if (input) {
                        c.inputTransparentColor = *n;
                    } else {
                        c.outputTransparentColor = static_cast<std::uint8_t>(*n);
                    }
                });
            }};
}

std::string SizeValue(CliOptions &o, const std::string &v, bool)
{
    const std::optional<int> size = ParseInt(v, 16, 512);
    if (!size || *size % 4 != 0) {
        return v + " (a multiple of 4 from 16 to 512)";
    }
    return Later(o, [size](ConversionOptions &c) { c.squareSize = *size; });
}

std::string BrightnessValue(CliOptions &o, const std::string &v, bool)
{
    const std::vector<std::string> parts = Split(v, ',');
    std::array<std::int32_t, 3> brightness {};
    for (std::size_t k = 0; k < brightness.size(); ++k) {
        const auto n = parts.size() == 3 ? ParseInt(parts[k], 0, 200) : std::nullopt;
        if (!n) {
            return v + " (R,G,B, each 0 to 200)";
        }
        brightness[k] = *n;
    }
    return Later(o, [brightness](ConversionOptions &c) { c.brightness = brightness; });
}

std::string SkipValue(CliOptions &o, const std::string &v, bool)
{
    const std::optional<std::array<bool, 256>> skip = ParseSkipList(v);
    if (!skip) {
        return v + " (for example 0,16-31,255)";
    }
    return Later(o, [skip](ConversionOptions &c) { c.skip = *skip; });
}

std::string PaletteValue(CliOptions &o, const std::string &v, bool)
{
    if (v.empty()) {
        return "empty";
    }
    // Whether the name is a file is asked once the settings are read, as the palette is taken then.
    o.conversion.push_back([v](ConversionOptions &c) { return ChoosePalette(v, c); });
    return {};
}

std::string AlphaThresholdValue(CliOptions &o, const std::string &v, bool)
{
    const std::optional<int> n = ParseInt(v, 1, 255);
    if (!n) {
        return v + " (1 to 255)";
    }
    return Later(o, [n](ConversionOptions &c) { c.alphaThreshold = *n; });
}

std::string DitherStrengthValue(CliOptions &o, const std::string &v, bool)
{
    const std::optional<int> n = ParseInt(v, 0, 100);
    if (!n) {
        return v + " (0 to 100)";
    }
    return Later(o, [n](ConversionOptions &c) { c.ditherStrength = *n; });
}

std::string KeyColorValue(CliOptions &o, const std::string &v, bool)
{
    const ColorKeyValue key = ParseColorKey(v);
    if (!key.valid) {
        return v + " (R,G,B each 0 to 255, #RRGGBB or none)";
    }
    return Later(o, [key](ConversionOptions &c) {
        c.inputTransparentRgb = key.key;
        c.keyByMostFrequentColor = false;
    });
}

std::string ScanKeyValue(CliOptions &o, const std::string &, bool)
{
    return Later(o, [](ConversionOptions &c) { c.keyByMostFrequentColor = true; });
}

// --offsets: a word of the table's offset choices, or custom offsets X,Y.
OptionRow OffsetsRow()
{
    const auto &option = options::kOffsets;
    std::vector<std::string> words;
    for (const ChoiceName &name : option.names) {
        words.emplace_back(name.word);
    }
    const std::string shown = Joined({words.begin(), words.end() - 1}, "|") + "|X,Y";
    return {{option.cliName},
        Arity::Value,
        shown,
        option.help,
        [words](CliOptions &o, const std::string &v, bool) {
            if (const auto custom = ParseOffsets(v)) {
                return Later(o, [custom](ConversionOptions &c) {
                    c.offsets = OffsetMode::Custom;
                    c.offsetX = custom->first;
                    c.offsetY = custom->second;
                });
            }
            const auto at = std::find(words.begin(), words.end(), v);
            if (at == words.end()) {
                std::vector<std::string> wanted = words;
                wanted.emplace_back("X,Y");
                return v + " (" + Alternatives(wanted) + ", each -32768 to 32767)";
            }
            const auto mode = static_cast<OffsetMode>(at - words.begin());
            return Later(o, [mode](ConversionOptions &c) { c.offsets = mode; });
        }};
}

std::string JobsValue(CliOptions &o, const std::string &v, bool)
{
    const std::optional<int> n = ParseInt(v, 1, 256);
    if (!n) {
        return v + " (1 to 256)";
    }
    o.jobs = *n;
    return {};
}

// Every option of the program, in the order of the help text.
const std::vector<OptionRow> &OptionTable()
{
    static const std::vector<OptionRow> rows = {
        TextRow("--settings",
            "FILE",
            "settings file to read (default: quorvantile.ini beside a program in a\n"
            "writable folder of its own, else quorvantile/quorvantile.ini in\n"
                + std::string(kUserConfigurationFolderName) + ")",
            [](CliOptions &o, const std::string &v) { o.settingsFile = v; }),
        {{"--palette"},
            Arity::Value,
            "NAME|FILE",
            "WOLF3D, SPEAR, BLAKESTONE, BODYCOUNT, CORRIDOR7, NOAH3D, DOOM, or a\n"
            "palette file: JASC-PAL, RIFF, ACT, GAMEPAL.OBJ, GIMP .gpl, .hex,\n"
            "Paint.NET .txt, Adobe .aco and .ase, an indexed BMP or PNG, a Doom\n"
            "WAD or PLAYPAL, a Quake .pak or palette.lmp, a Build PALETTE.DAT",
            PaletteValue},
        {{"--size"},
            Arity::Value,
            "N",
            "side of the output square, a multiple of 4 from 16 to 512 (default 64)",
            SizeValue},
        SwitchRow({"--find-minimum"},
            "the smallest square that holds every input (wins over --size)",
            &CliOptions::findMinimum),
        ChoiceRow(options::kScaling),
        ChoiceRow(options::kVerticalAlignment),
        ChoiceRow(options::kHorizontalAlignment),
        ChoiceRow(options::kColorMatching),
        ChoiceRow(options::kDistance),
        ChoiceRow(options::kDithering),
        {{"--dither-strength"},
            Arity::Value,
            "N",
            "how much of the dithering is applied, 0 to 100 % (default 100;\n"
            "0 gives the undithered result)",
            DitherStrengthValue},
        FlagRow(options::kKeepExactColors),
        {{"--brightness"},
            Arity::Value,
            "R,G,B",
            "brightness per channel, 0 to 200 each (100: unchanged)",
            BrightnessValue},
        FlagRow(options::kConvertPalette),
        FlagRow(options::kApplyTransparency),
        TransparentColorRow(
            "--input-transparent", "input transparent colour index, 0 to 255", true),
        TransparentColorRow(
            "--output-transparent", "output transparent colour index, 0 to 255", false),
        {{"--key-color"},
            Arity::Value,
            "R,G,B",
            "input transparent colour as a colour, for every depth (#RRGGBB\n"
            "also; none: use the index of --input-transparent)",
            KeyColorValue},
        {{"--scan-key"},
            Arity::Switch,
            "",
            "key each picture by its own most frequent colour",
            ScanKeyValue},
        FlagRow(options::kUseAlpha),
        {{"--alpha-threshold"},
            Arity::Value,
            "N",
            "alpha below which a pixel is transparent, 1 to 255 (default 128)",
            AlphaThresholdValue},
        FlagRow(options::kTransparentEdges),
        {{"--skip"},
            Arity::Value,
            "LIST",
            "palette entries never to use, e.g. 0,16-31,255 (the output\n"
            "transparent entry is always added)",
            SkipValue},
        ChoiceRow(options::kOutputFormat),
        OffsetsRow(),
        TextRow("--output",
            "DIR",
            "write the results into DIR; inputs untouched, no backup",
            [](CliOptions &o, const std::string &v) { o.outputDir = v; }),
        {{"--jobs", "-j"},
            Arity::Value,
            "N",
            "files converted in parallel (default: the number of cores)",
            JobsValue},
        SwitchRow({"--restore"},
            "give each picture back its oldest backup (the file as it is now\n"
            "is backed up first); no conversion",
            &CliOptions::restore),
        SwitchRow({"--json"},
            "one JSON object per file on stdout: file, status, reason, message,\n"
            "output and the colour figures",
            &CliOptions::json),
        SwitchRow({"--report-entries"},
            "with --json: \"entries_used\", the number of palette entries the result\n"
            "holds, and \"entry_counts\", the pixels of each entry held, as an\n"
            "object {\"12\": 340, ...} by ascending entry; every pixel counts, the\n"
            "output transparent entry's too",
            &CliOptions::reportEntries),
        TextRow("--heatmap",
            "FILE",
            "write the difference picture of the one picture named as PNG: each\n"
            "pixel's CIEDE2000 difference from its entry, 0 black, 1 dark blue,\n"
            "2.3 green, 5 yellow, 10 orange, 20 and more red, transparent\n"
            "pixels a grey checker; refused when the run has more than one\n"
            "picture",
            [](CliOptions &o, const std::string &v) { o.heatmap = v; }),
        SwitchRow({"--quiet", "-q"}, "no progress line and no closing count", &CliOptions::quiet),
        SwitchRow({"--help", "-h"}, "", &CliOptions::help),
        SwitchRow({"--version"}, "", &CliOptions::version),
        {{"--"}, Arity::Shown, "", "every argument after it is a PATH", nullptr},
    };
    return rows;
}

// The row an argument names, and whether it is the "--no-" form of a flag.
const OptionRow *FindRow(const std::string &name, bool &negated)
{
    for (const OptionRow &row : OptionTable()) {
        if (row.arity == Arity::Shown) {
            continue;
        }
        for (const std::string &rowName : row.names) {
            if (name == rowName) {
                negated = false;
                return &row;
            }
            if (row.arity == Arity::Flag && name == "--no-" + rowName.substr(2)) {
                negated = true;
                return &row;
            }
        }
    }
    return nullptr;
}

// The help's left column of a row.
std::string Usage(const OptionRow &row)
{
    const std::string &name = row.names.front();
    switch (row.arity) {
    case Arity::Value:
        return name + " " + row.valueName;
    case Arity::Flag:
        return name + ", --no-" + name.substr(2);
    case Arity::Switch:
    case Arity::Shown:
        break;
    }
    return name;
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
        bool negated = false;
        const OptionRow *row = FindRow(name, negated);
        if (row == nullptr) {
            result.error = "unknown option " + name;
            return result;
        }
        std::string value;
        if (row->arity != Arity::Value) {
            if (inlineValue) {
                result.error = name + " takes no value";
                return result;
            }
        } else if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            result.error = name + " needs a value";
            return result;
        }
        if (std::string problem = row->apply(o, value, !negated); !problem.empty()) {
            result.error = "invalid value for " + name + ": " + problem;
            return result;
        }
    }
    if (o.paths.empty() && !o.help && !o.version) {
        result.error = "no picture or folder given";
    }
    return result;
}

std::string HelpText()
{
    std::string text = R"(Usage: quorvantile-convert [options] PATH...

Converts pictures into square, palette-indexed 8-bit pictures: BMP, PNG, Doom pictures and flats,
Quake pictures or PCX. A PATH is a .bmp, .png or .pcx file or a folder (its *.bmp, *.png and *.pcx
files). Without --output every picture is converted in place and its original is kept in the
folder's "Quorvantile Backup" subfolder; a result of another format goes beside its input
(a.png -> a.bmp, a.png -> a.lmp), which then stays untouched. Options not given keep the values of
the window's settings file.

)";
    // The descriptions start in column 30, or in column 38 after a long left column.
    const std::string indent(29, ' ');
    for (const OptionRow &row : OptionTable()) {
        if (row.names.front() == "--version") {
            continue; // shown on the line of --help
        }
        std::string left = row.names.front() == "--help" ? "--help, --version" : Usage(row);
        if (left.size() > 40 && !row.help.empty()) {
            // A long list of values has the line to itself; the description goes below it.
            left += "\n" + indent;
        } else if (!row.help.empty()) {
            left.resize(left.size() <= 25 ? 27 : std::max<std::size_t>(left.size() + 2, 35), ' ');
        }
        std::string help = row.help;
        for (std::size_t at = help.find('\n'); at != std::string::npos; at = help.find('\n', at)) {
            help.insert(at + 1, indent);
            at += 1 + indent.size();
        }
        text += "  " + left + help + "\n";
    }
    text += "A built-in palette name wins over a file of that name; write ./DOOM for such a file.\n"
            "Exit status: 0 every file converted, 1 a file was refused or failed, 2 usage error.\n";
    return text;
}

} // namespace qv::cli
