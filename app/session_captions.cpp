// The captions of the menu items that show the value they hold. Both views write these words, so
// they are made here once.
#include "app/session.h"
#include "common/built_in_palettes.h"
#include "common/offsets_text.h"
#include "common/paths.h"

#include <string>

namespace qv {
namespace {

// text shown as it is in a menu caption: each "&" doubled, so none marks a mnemonic.
std::string Literal(const std::string &text)
{
    std::string shown;
    for (const char c : text) {
        shown += c;
        if (c == '&') {
            shown += '&';
        }
    }
    return shown;
}

} // namespace

std::string Session::CustomOffsetsCaption() const
{
    return "C&ustom Offsets (" + OffsetsText(options_.offsetX, options_.offsetY) + ")…";
}

std::string Session::DitherStrengthCaption() const
{
    return "Dither Stren&gth: " + std::to_string(options_.ditherStrength) + " %";
}

std::string Session::ExternalPaletteCaption() const
{
    if (externalPalette_.empty()) {
        return kExternalPaletteCaption;
    }
    return std::string(kExternalPaletteCaption) + ": "
        + Literal(FileNameFromPath(externalPalette_));
}

std::string Session::InputTransparentColorCaption() const
{
    return "&Input Transparent Color: " + std::to_string(inputColor_);
}

std::string Session::OutputTransparentColorCaption() const
{
    return "&Output Transparent Color: " + std::to_string(outputColor_);
}

std::string Session::AlphaThresholdCaption() const
{
    return "Alpha &Threshold: " + std::to_string(options_.alphaThreshold);
}

std::string Session::ColorMapCaption() const
{
    return "Color &Map: " + (lightTables_ ? Literal(FileNameFromPath(colorMapPath_)) : "None")
        + "…";
}

std::string Session::LightLevelCaption() const
{
    return "&Light Level: " + std::to_string(lightLevel_);
}

} // namespace qv
