#pragma once

#include "common/conversion_options.h"
#include "common/settings_schema.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <tuple>

// The one table of the options a user chooses from a list or switches on and off: for each, its
// field of ConversionOptions, its settings key (with default and range), the names of its values
// (settings number = index = enum value, command-line word, menu caption), its command-line name
// and help, and its menu. The settings reader, the command line (parser and --help) and the
// window's option menus are all made from it, so a new value is one entry here.
namespace qv {

// One value of a choice: its command-line word and its menu caption (with its mnemonic).
struct ChoiceName {
    const char *word;
    const char *caption;
};

// An option that takes one of the values of enum E; value i is stored as the number i.
template <typename E, std::size_t N> struct ChoiceOption {
    const Setting &setting;
    E ConversionOptions::*field;
    std::array<ChoiceName, N> names;
    const char *cliName; // "--scale"
    const char *help; // lines after the first are indented under it in --help
    const char *menuName; // the menu array's name, "mnuScalingOption"
    const char *handlerName; // what its failures are reported as, "mnuScalingOption_Click"

    static constexpr std::size_t kCount = N;
    using Enum = E;
};

// An option that is on or off: a check item of a menu, --name and --no-name on the command line.
struct FlagOption {
    const Setting &setting;
    bool ConversionOptions::*field;
    const char *cliName;
    const char *help;
    const char *menuName;
    const char *caption;
    const char *handlerName;
};

// A choice of the window alone (what the frame shows, its zoom): no conversion option, no
// command-line name; a menu of captions whose index is the stored number.
template <typename E, std::size_t N> struct ViewChoiceOption {
    const Setting &setting;
    std::array<const char *, N> captions;
    const char *menuName;
    const char *handlerName;

    static constexpr std::size_t kCount = N;
    using Enum = E;
};

namespace options {

inline constexpr ChoiceOption<Scaling, 4> kScaling {settings::kScaleMode,
    &ConversionOptions::scaling,
    {{{"none", "&None"}, {"64", "&64x64"}, {"128", "&128x128"}, {"32", "&32x32"}}},
    "--scale",
    "rescale the square to 64, 128 or 32 pixels; none: no square,\n"
    "each picture keeps its own size",
    "mnuScalingOption",
    "mnuScalingOption_Click"};

inline constexpr ChoiceOption<VerticalAlignment, 4> kVerticalAlignment {
    settings::kVerticalAlignment,
    &ConversionOptions::verticalAlignment,
    {{{"top", "&Top"}, {"center", "&Center"}, {"bottom", "&Bottom"}, {"weighted", "&Weighted"}}},
    "--valign",
    "",
    "mnuVerticalAlignmentOption",
    "mnuVerticalAlignmentOption_Click"};

inline constexpr ChoiceOption<HorizontalAlignment, 4> kHorizontalAlignment {
    settings::kHorizontalAlignment,
    &ConversionOptions::horizontalAlignment,
    {{{"left", "&Left"}, {"center", "&Center"}, {"right", "&Right"}, {"weighted", "&Weighted"}}},
    "--halign",
    "",
    "mnuHorizontalAlignmentOption",
    "mnuHorizontalAlignmentOption_Click"};

inline constexpr ChoiceOption<ColorMatching, 4> kColorMatching {settings::kColorMatching,
    &ConversionOptions::colorMatching,
    {{{"pixel", "&Pixel"},
        {"row", "Average &Row"},
        {"column", "Average &Column"},
        {"square", "Average &Square"}}},
    "--match",
    "colour matching when the square shrinks",
    "mnuColorMatchingOption",
    "mnuColorMatchingOption_Click"};

inline constexpr ChoiceOption<DistanceMeasure, 4> kDistance {settings::kColorDistance,
    &ConversionOptions::distance,
    {{{"rgb", "&RGB Distance"},
        {"weighted", "&Weighted RGB"},
        {"oklab", "&OKLab"},
        {"ciede2000", "&CIEDE2000"}}},
    "--distance",
    "colour distance of every match",
    "mnuQualityDistance",
    "mnuQualityDistance_Click"};

inline constexpr ChoiceOption<Dithering, 12> kDithering {settings::kDithering,
    &ConversionOptions::dithering,
    {{{"none", "&No Dithering"},
        {"fs", "&Floyd-Steinberg"},
        {"ordered", "Or&dered (Bayer 8x8)"},
        {"atkinson", "&Atkinson"},
        {"jjn", "&Jarvis-Judice-Ninke"},
        {"stucki", "St&ucki"},
        {"burkes", "&Burkes"},
        {"sierra", "&Sierra"},
        {"sierra2", "Sierra &Two-Row"},
        {"sierra-lite", "Sierra &Lite"},
        {"pattern", "&Pattern (Knoll)"},
        {"pattern-blue", "Pattern (Blue No&ise)"}}},
    "--dither",
    "dithering: 8 x 8 ordered; error diffusion by the kernel of\n"
    "Floyd-Steinberg, Atkinson, Jarvis-Judice-Ninke, Stucki, Burkes\n"
    "or Sierra (three rows, two rows, lite); or a pattern of entries\n"
    "mixed for each colour, placed by a Bayer or blue-noise threshold",
    "mnuQualityDithering",
    "mnuQualityDithering_Click"};

// The output format and the offsets: the rows of the Output menu.
inline constexpr ChoiceOption<OutputFormat, 6> kOutputFormat {settings::kOutputFormat,
    &ConversionOptions::outputFormat,
    {{{"bmp", "&BMP"},
        {"png", "&PNG"},
        {"doom-picture", "&Doom Picture (.lmp)"},
        {"doom-flat", "Doom &Flat (.lmp)"},
        {"quake-picture", "&Quake Picture (.lmp)"},
        {"pcx", "P&CX"}}},
    "--format",
    "file format of the results: 8-bit BMP, indexed PNG, Doom picture\n"
    "(offsets, see-through output transparent colour), Doom flat (a\n"
    "square of 64, or 8 to 256 for source ports), Quake picture, PCX",
    "mnuOutputFormat",
    "mnuOutputFormat_Click"};

// The command line takes X,Y for custom offsets (OffsetsRow in cli/cli_options.cpp); "custom"
// takes the stored ones.
inline constexpr ChoiceOption<OffsetMode, 4> kOffsets {settings::kOffsets,
    &ConversionOptions::offsets,
    {{{"none", "&No Offsets"},
        {"sprite", "&Sprite Offsets (Centre, Bottom)"},
        {"centre", "C&entre Offsets"},
        {"custom", "C&ustom Offsets…"}}},
    "--offsets",
    "where the game anchors each picture, in Doom pictures and as a\n"
    "PNG grAb chunk: sprite (centre of the bottom row), centre, or X,Y;\n"
    "sprite and centre measure the pixels drawn, not transparent borders",
    "mnuOutputOffsets",
    "mnuOutputOffsets_Click"};

inline constexpr FlagOption kKeepExactColors {settings::kKeepExactColors,
    &ConversionOptions::keepExactColors,
    "--keep-exact",
    "a pixel of a colour the palette holds keeps it, whatever the\n"
    "dithering",
    "mnuQualityKeepExact",
    "&Keep Exact Colors",
    "mnuQualityKeepExact_Click"};

inline constexpr FlagOption kConvertPalette {settings::kConvertPalette,
    &ConversionOptions::convertPalette,
    "--convert-palette",
    "",
    "mnuPaletteConvertPalette",
    "&Convert Palette",
    "mnuPaletteConvertPalette_Click"};

inline constexpr FlagOption kApplyTransparency {settings::kApplyTransparency,
    &ConversionOptions::applyTransparency,
    "--transparency",
    "replace the input transparent colour",
    "mnuTransparencyApply",
    "&Apply Transparency",
    "mnuTransparencyApply_Click"};

inline constexpr FlagOption kTransparentEdges {settings::kTransparentEdges,
    &ConversionOptions::transparentEdges,
    "--edges",
    "make the left and right columns transparent",
    "mnuTransparencyLeftRightCols",
    "&Make Left and Right Columns Transparent",
    "mnuTransparencyLeftRightCols_Click"};

inline constexpr FlagOption kUseAlpha {settings::kUseAlpha,
    &ConversionOptions::useAlpha,
    "--alpha",
    "pixels of alpha below the threshold become transparent",
    "mnuTransparencyUseAlpha",
    "&Use Alpha Channel",
    "mnuTransparencyUseAlpha_Click"};

inline constexpr ViewChoiceOption<PictureView, 4> kPictureView {settings::kPictureView,
    {{"&Original", "&Preview", "&Side by Side", "&Difference"}},
    "mnuViewPicture",
    "mnuViewPicture_Click"};

inline constexpr ViewChoiceOption<PictureZoom, 5> kZoom {
    settings::kZoom, {{"&Fit", "&1x", "&2x", "&4x", "&8x"}}, "mnuViewZoom", "mnuViewZoom_Click"};

// Every choice option, in the order of the menu bar and of --help.
inline constexpr auto kChoices = std::tie(kScaling,
    kVerticalAlignment,
    kHorizontalAlignment,
    kColorMatching,
    kDistance,
    kDithering,
    kOutputFormat,
    kOffsets);

// Every on/off option, in the order of the menus.
inline constexpr std::array<const FlagOption *, 5> kFlags = {
    &kKeepExactColors, &kConvertPalette, &kApplyTransparency, &kTransparentEdges, &kUseAlpha};

} // namespace options

// Each list of names has one entry per enum value, and the settings range is exactly those values.
template <typename Option> constexpr bool AgreesWithItsEnum(const Option &option)
{
    return static_cast<int>(Option::kCount)
        == kEnumCount<typename Option::Enum> && option.setting.min == 0
        && option.setting.max == static_cast<std::int32_t>(Option::kCount) - 1
        && option.setting.kind == SettingKind::Number;
}
static_assert(std::apply(
    [](const auto &...option) { return (AgreesWithItsEnum(option) && ...); }, options::kChoices));

static_assert(AgreesWithItsEnum(options::kPictureView) && AgreesWithItsEnum(options::kZoom));

static_assert(std::none_of(options::kFlags.begin(), options::kFlags.end(), [](const FlagOption *f) {
    return f->setting.kind != SettingKind::Flag;
}));

// Calls f(option) for every choice option of the table, in order.
template <typename F> void ForEachChoice(F &&f)
{
    std::apply([&](const auto &...option) { (f(option), ...); }, options::kChoices);
}

// The stored value of a choice option, its default when missing or out of range.
template <typename Option> typename Option::Enum ReadChoice(const clsINI &ini, const Option &option)
{
    return static_cast<typename Option::Enum>(ReadSetting(ini, option.setting));
}

// Every choice and on/off option of the table as the settings file holds it, into options.
inline void ReadTableOptions(const clsINI &ini, ConversionOptions &options)
{
    ForEachChoice([&](const auto &option) { options.*option.field = ReadChoice(ini, option); });
    for (const FlagOption *flag : options::kFlags) {
        options.*flag->field = ReadFlagSetting(ini, flag->setting);
    }
    options.offsetX = ReadSetting(ini, settings::kOffsetX);
    options.offsetY = ReadSetting(ini, settings::kOffsetY);
}

} // namespace qv
