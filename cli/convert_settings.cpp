#include "cli/convert_settings.h"

#include "common/built_in_palettes.h"
#include "common/color_key.h"
#include "common/option_table.h"
#include "common/settings_schema.h"
#include "palette/load_palette_data.h"
#include "palette/palette_reading.h"
#include "platform/failure.h"
#include "platform/files.h"

#include <algorithm>
#include <cctype>

namespace qv::cli {
namespace {

bool SameNameIgnoringCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

PaletteChoice BuiltIn(int number)
{
    return PaletteChoice::BuiltIn(kBuiltInPalettes.at(static_cast<std::size_t>(number)));
}

} // namespace

ConversionOptions OptionsFromSettings(const clsINI &ini)
{
    ConversionOptions o;
    for (std::size_t n = 0; n < o.skip.size(); ++n) {
        o.skip[n] = ReadSetting(ini, settings::kSkip, static_cast<std::int32_t>(n)) != 0;
    }
    ReadTableOptions(ini, o);
    // A stored path is taken whatever it names, so that a file gone or broken stops the run
    // (PaletteFileProblem) instead of converting with WOLF3D as the window's start-up would.
    const int palette = ReadSetting(ini, settings::kPalette);
    const std::string external = ReadTextSetting(ini, settings::kExternalPalette);
    if (palette == kExternalPaletteOption && !external.empty()) {
        o.palette = PaletteChoice::File(external);
    } else {
        o.palette = BuiltIn(palette == kExternalPaletteOption ? 0 : palette);
    }
    o.inputTransparentColor = ReadSetting(ini, settings::kInputTransparentColor);
    o.outputTransparentColor =
        OutputTransparentIndexOf(ReadSetting(ini, settings::kOutputTransparentColor));
    o.skip[o.outputTransparentColor] = true;
    for (std::size_t i = 0; i < o.brightness.size(); ++i) {
        o.brightness[i] = ReadSetting(ini, settings::kBright, static_cast<std::int32_t>(i));
    }
    o.alphaThreshold = ReadSetting(ini, settings::kAlphaThreshold);
    o.ditherStrength = ReadSetting(ini, settings::kDitherStrength);
    // A stored key that reads as no colour at all is no key, as the window takes it.
    o.inputTransparentRgb = ParseColorKey(ReadTextSetting(ini, settings::kInputTransparentRGB)).key;
    return o;
}

std::string ChoosePalette(const std::string &value, ConversionOptions &options)
{
    for (std::size_t i = 0; i < kBuiltInPalettes.size(); ++i) {
        if (SameNameIgnoringCase(value, kBuiltInPalettes[i])) {
            options.palette = BuiltIn(static_cast<int>(i));
            return {};
        }
    }
    // Anything of that name is taken as the file meant; PaletteFileProblem then says what is
    // wrong with a folder or a device.
    if (PathExists(value)) {
        options.palette = PaletteChoice::File(value);
        return {};
    }
    return "unknown palette " + value + ": neither a built-in palette (" + BuiltInPaletteNames()
        + ") nor a palette file";
}

std::string PaletteFileProblem(const PaletteChoice &choice)
{
    if (choice.filePath.empty()) {
        return {};
    }
    try {
        if (!ReadPaletteFileData(choice.filePath)) {
            return PaletteFileName(choice.filePath) + ": unknown palette file format";
        }
    } catch (const Failure &failure) {
        return "Error #" + std::to_string(failure.Number()) + ": " + failure.Description();
    }
    return {};
}

std::string ApplyOptions(const CliOptions &cli, ConversionOptions &options)
{
    for (const ConversionOverride &change : cli.conversion) {
        if (std::string problem = change(options); !problem.empty()) {
            return problem;
        }
    }
    options.skip[options.outputTransparentColor] = true;
    return {};
}

} // namespace qv::cli
