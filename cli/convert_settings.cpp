#include "cli/convert_settings.h"

#include "platform/files.h"

#include <algorithm>
#include <cctype>

namespace qv::cli {
namespace {

constexpr const char *kGeneral = "General";

std::int32_t ReadLongInRange(const clsINI &ini,
    const std::string &key,
    std::int32_t min,
    std::int32_t max,
    std::int32_t defaultValue)
{
    const std::int32_t value = ini.ReadLong(kGeneral, key, defaultValue);
    return value < min || value > max ? defaultValue : value;
}

bool ReadFlag(const clsINI &ini, const std::string &key)
{
    return ini.ReadLong(kGeneral, key, -1) != 0;
}

bool SameNameIgnoringCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

std::string ChoosePalette(const std::string &value, ConvertSettings &settings)
{
    for (std::size_t i = 0; i < kBuiltInPalettes.size(); ++i) {
        if (SameNameIgnoringCase(value, kBuiltInPalettes[i])) {
            settings.paletteNumber = static_cast<int>(i);
            return {};
        }
    }
    if (FileExists(value)) {
        settings.paletteNumber = kExternalPaletteOption;
        settings.externalPalette = value;
        return {};
    }
    std::string names;
    for (const char *name : kBuiltInPalettes) {
        names += names.empty() ? name : std::string(", ") + name;
    }
    return "unknown palette " + value + ": neither a built-in palette (" + names
        + ") nor a palette file";
}

} // namespace

ConvertSettings SettingsFromIni(const clsINI &ini)
{
    ConvertSettings s;
    for (std::size_t n = 0; n < s.skip.size(); ++n) {
        s.skip[n] = ini.ReadLong("Colors", "Skip" + std::to_string(n), n == 255 ? 1 : 0);
    }
    s.convertPalette = ReadFlag(ini, "ConvertPalette");
    s.paletteNumber = ReadLongInRange(ini, "Palette", 0, kExternalPaletteOption, 0);
    s.verticalAlignment = ReadLongInRange(ini, "VerticalAlignment", 0, 3, 2);
    s.horizontalAlignment = ReadLongInRange(ini, "HorizontalAlignment", 0, 3, 1);
    // A stored path naming no file is not taken; the external choice then falls back to WOLF3D.
    const std::string external = ini.ReadString(kGeneral, "ExternalPalette", "");
    s.externalPalette = !external.empty() && FileExists(external) ? external : "";
    if (s.paletteNumber == kExternalPaletteOption && s.externalPalette.empty()) {
        s.paletteNumber = 0;
    }
    s.applyTransparency = ReadFlag(ini, "ApplyTransparency");
    s.inputTransparent = ini.ReadLong(kGeneral, "InputTransparentColor", 255);
    s.outputTransparent = ReadLongInRange(ini, "OutputTransparentColor", 0, 255, 255);
    s.skip[static_cast<std::size_t>(s.outputTransparent)] = 1;
    s.transparentEdges = ReadFlag(ini, "TransparentEdges");
    s.scaling = ReadLongInRange(ini, "ScaleMode", 0, 3, 0);
    s.colorMatching = ReadLongInRange(ini, "ColorMatching", 0, 3, 0);
    for (std::size_t i = 0; i < s.brightness.size(); ++i) {
        s.brightness[i] = ReadLongInRange(ini, "Bright" + std::to_string(i), 0, 200, 100);
    }
    return s;
}

std::string ApplyOptions(const CliOptions &options, ConvertSettings &settings)
{
    if (options.palette) {
        if (std::string problem = ChoosePalette(*options.palette, settings); !problem.empty()) {
            return problem;
        }
    }
    settings.squareSize = options.size.value_or(settings.squareSize);
    settings.scaling = options.scale.value_or(settings.scaling);
    settings.verticalAlignment = options.verticalAlign.value_or(settings.verticalAlignment);
    settings.horizontalAlignment = options.horizontalAlign.value_or(settings.horizontalAlignment);
    settings.colorMatching = options.match.value_or(settings.colorMatching);
    settings.brightness = options.brightness.value_or(settings.brightness);
    settings.convertPalette = options.convertPalette.value_or(settings.convertPalette);
    settings.applyTransparency = options.transparency.value_or(settings.applyTransparency);
    settings.inputTransparent = options.inputTransparent.value_or(settings.inputTransparent);
    settings.outputTransparent = options.outputTransparent.value_or(settings.outputTransparent);
    settings.transparentEdges = options.edges.value_or(settings.transparentEdges);
    if (options.skip) {
        for (std::size_t n = 0; n < settings.skip.size(); ++n) {
            settings.skip[n] = (*options.skip)[n] ? 1 : 0;
        }
    }
    settings.skip[static_cast<std::size_t>(settings.outputTransparent)] = 1;
    return {};
}

} // namespace qv::cli
