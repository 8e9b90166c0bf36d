#pragma once

#include "common/built_in_palettes.h"
#include "common/cls_ini.h"
#include "common/conversion_options.h"
#include "common/view_options.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>

namespace qv {

enum class SettingKind {
    Flag, // "-1" on, "0" off; any number other than 0 reads as on
    Number, // a whole number; one outside min..max reads as the default
    Text,
};

// One persisted setting: where it is stored, what it holds, its default and what is accepted. A
// numbered setting (count > 1) stands for the keys name0, name1, ... name(count - 1).
struct Setting {
    const char *section;
    const char *key;
    SettingKind kind;
    std::int32_t defaultValue = 0;
    std::int32_t min = std::numeric_limits<std::int32_t>::min();
    std::int32_t max = std::numeric_limits<std::int32_t>::max();
    std::int32_t count = 1;
};

// Every setting of the settings file. Start-up, the handlers that store a change and the command
// line all read them from here.
namespace settings {

inline constexpr Setting kPath {"General", "Path", SettingKind::Text};
inline constexpr Setting kConvertPalette {"General", "ConvertPalette", SettingKind::Flag, -1};
inline constexpr Setting kPalette {
    "General", "Palette", SettingKind::Number, 0, 0, kExternalPaletteOption};
inline constexpr Setting kVerticalAlignment {
    "General", "VerticalAlignment", SettingKind::Number, 2, 0, kEnumCount<VerticalAlignment> - 1};
inline constexpr Setting kHorizontalAlignment {"General",
    "HorizontalAlignment",
    SettingKind::Number,
    1,
    0,
    kEnumCount<HorizontalAlignment> - 1};
inline constexpr Setting kExternalPalette {"General", "ExternalPalette", SettingKind::Text};
inline constexpr Setting kApplyTransparency {"General", "ApplyTransparency", SettingKind::Flag, -1};
// Any number is kept; one outside 0..255 matches no pixel.
inline constexpr Setting kInputTransparentColor {
    "General", "InputTransparentColor", SettingKind::Number, 255};
// Any number is kept and shown; one outside 0..255 stands for entry 255.
inline constexpr Setting kOutputTransparentColor {
    "General", "OutputTransparentColor", SettingKind::Number, 255};
inline constexpr Setting kTransparentEdges {"General", "TransparentEdges", SettingKind::Flag, -1};
inline constexpr Setting kScaleMode {
    "General", "ScaleMode", SettingKind::Number, 0, 0, kEnumCount<Scaling> - 1};
inline constexpr Setting kColorMatching {
    "General", "ColorMatching", SettingKind::Number, 0, 0, kEnumCount<ColorMatching> - 1};
// The distance measure (DistanceMeasure) and the dithering (Dithering).
inline constexpr Setting kColorDistance {
    "General", "ColorDistance", SettingKind::Number, 0, 0, kEnumCount<DistanceMeasure> - 1};
inline constexpr Setting kDithering {
    "General", "Dithering", SettingKind::Number, 0, 0, kEnumCount<Dithering> - 1};
// How much of the dithering is applied, in per cent, and whether exact colours keep their entry.
inline constexpr Setting kDitherStrength {
    "General", "DitherStrength", SettingKind::Number, 100, 0, 100};
inline constexpr Setting kKeepExactColors {"General", "KeepExactColors", SettingKind::Flag, 0};
// Red, green, blue.
inline constexpr Setting kBright {"General", "Bright", SettingKind::Number, 100, 0, 200, 3};
// The skip checkbox of each palette entry; Skip255 defaults to 1, the default output
// transparent entry. Any number is kept; only 0 lets the matcher use the entry.
inline constexpr Setting kSkip {"Colors",
    "Skip",
    SettingKind::Number,
    0,
    std::numeric_limits<std::int32_t>::min(),
    std::numeric_limits<std::int32_t>::max(),
    256};

// 0 an 8-bit BMP, 1 an 8-bit indexed PNG, 2 a Doom picture, 3 a Doom flat, 4 a Quake picture,
// 5 a PCX.
inline constexpr Setting kOutputFormat {
    "General", "OutputFormat", SettingKind::Number, 0, 0, kEnumCount<OutputFormat> - 1};
inline constexpr Setting kUseAlpha {"General", "UseAlpha", SettingKind::Flag, 0};
inline constexpr Setting kAlphaThreshold {
    "General", "AlphaThreshold", SettingKind::Number, 128, 1, 255};
// "R,G,B" or "#RRGGBB"; empty or "none" for no colour key.
inline constexpr Setting kInputTransparentRGB {"General", "InputTransparentRGB", SettingKind::Text};
// The offsets (OffsetMode) and the custom ones, each within a Doom picture's 16-bit field.
inline constexpr Setting kOffsets {
    "General", "Offsets", SettingKind::Number, 0, 0, kEnumCount<OffsetMode> - 1};
inline constexpr Setting kOffsetX {"General", "OffsetX", SettingKind::Number, 0, -32768, 32767};
inline constexpr Setting kOffsetY {"General", "OffsetY", SettingKind::Number, 0, -32768, 32767};

// What the picture frame shows (PictureView) and its zoom (PictureZoom); the light level (a table
// of the colour map, checked against its count when drawn) and the colour map file (empty: no
// light view); the window's size in pixels, 0 for the design's size. Written only when changed.
inline constexpr Setting kPictureView {
    "General", "PictureView", SettingKind::Number, 0, 0, kEnumCount<PictureView> - 1};
inline constexpr Setting kZoom {
    "General", "Zoom", SettingKind::Number, 0, 0, kEnumCount<PictureZoom> - 1};
inline constexpr Setting kLightLevel {"General", "LightLevel", SettingKind::Number, 0, 0, 65535};
inline constexpr Setting kColorMap {"General", "ColorMap", SettingKind::Text};
inline constexpr Setting kWindowWidth {"General", "WindowWidth", SettingKind::Number, 0, 0, 16384};
inline constexpr Setting kWindowHeight {
    "General", "WindowHeight", SettingKind::Number, 0, 0, 16384};

inline constexpr std::array<const Setting *, 31> kAll = {&kPath,
    &kConvertPalette,
    &kPalette,
    &kVerticalAlignment,
    &kHorizontalAlignment,
    &kExternalPalette,
    &kApplyTransparency,
    &kInputTransparentColor,
    &kOutputTransparentColor,
    &kTransparentEdges,
    &kScaleMode,
    &kColorMatching,
    &kColorDistance,
    &kDithering,
    &kDitherStrength,
    &kKeepExactColors,
    &kBright,
    &kSkip,
    &kOutputFormat,
    &kUseAlpha,
    &kAlphaThreshold,
    &kInputTransparentRGB,
    &kOffsets,
    &kOffsetX,
    &kOffsetY,
    &kPictureView,
    &kZoom,
    &kLightLevel,
    &kColorMap,
    &kWindowWidth,
    &kWindowHeight};

} // namespace settings

// The key of member index of a setting ("Bright2"); the plain key for a single setting.
std::string SettingKey(const Setting &setting, std::int32_t index = 0);
// The default of member index (Skip255 is 1, every other member the setting's default).
std::int32_t SettingDefault(const Setting &setting, std::int32_t index = 0);

// The stored value of a number key, or defaultValue when it is missing or outside min..max.
std::int32_t ReadLongInRange(const clsINI &ini,
    const std::string &section,
    const std::string &key,
    std::int32_t min,
    std::int32_t max,
    std::int32_t defaultValue);

// A setting as start-up takes it: a number with its default and range, a flag as on or off, a
// text as stored (fallback when missing).
std::int32_t ReadSetting(const clsINI &ini, const Setting &setting, std::int32_t index = 0);
bool ReadFlagSetting(const clsINI &ini, const Setting &setting);
std::string ReadTextSetting(
    const clsINI &ini, const Setting &setting, const std::string &fallback = {});

// Stores a change (and saves the file, as every write of the store does).
void WriteSetting(clsINI &ini, const Setting &setting, std::int32_t value, std::int32_t index = 0);
void WriteFlagSetting(clsINI &ini, const Setting &setting, bool on);
void WriteTextSetting(clsINI &ini, const Setting &setting, const std::string &text);

} // namespace qv
