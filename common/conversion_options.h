#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace qv {

// How many values an option's enum has: the settings range and the option table's lists of names
// are checked against it (common/option_table.h), so a new value is counted here too.
template <typename E> inline constexpr int kEnumCount = 0;

// Option values in the order of their menus: the value is the index of the checked item.
enum class Scaling : int { None = 0, Square64 = 1, Square128 = 2, Square32 = 3 };
template <> inline constexpr int kEnumCount<Scaling> = 4;
enum class VerticalAlignment : int { Top = 0, Center = 1, Bottom = 2, Weighted = 3 };
template <> inline constexpr int kEnumCount<VerticalAlignment> = 4;
enum class HorizontalAlignment : int { Left = 0, Center = 1, Right = 2, Weighted = 3 };
template <> inline constexpr int kEnumCount<HorizontalAlignment> = 4;
enum class ColorMatching : int { Pixel = 0, AverageRow = 1, AverageColumn = 2, AverageSquare = 3 };
template <> inline constexpr int kEnumCount<ColorMatching> = 4;
// The result's file format: the 8-bit BMP and indexed PNG, then the games' own formats.
enum class OutputFormat : int {
    Bmp = 0,
    Png = 1,
    DoomPicture = 2,
    DoomFlat = 3,
    QuakePicture = 4,
    Pcx = 5,
};
template <> inline constexpr int kEnumCount<OutputFormat> = 6;
// Where a game anchors the picture (Doom picture header, PNG grAb chunk): nowhere (0, 0), the
// horizontal centre of the bottom row (a standing sprite), the centre (projectiles, effects),
// or the custom offsetX, offsetY.
enum class OffsetMode : int { None = 0, Sprite = 1, Centre = 2, Custom = 3 };
template <> inline constexpr int kEnumCount<OffsetMode> = 4;

// A colour as a picture holds it, each component 0..255.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb &) const = default;
};
// How far apart two colours are for every match of a conversion: squared RGB, the "redmean"
// weighted RGB, Euclidean OKLab, CIEDE2000.
enum class DistanceMeasure : int { Rgb = 0, WeightedRgb = 1, OkLab = 2, Ciede2000 = 3 };
template <> inline constexpr int kEnumCount<DistanceMeasure> = 4;
// The dithering method: none, Floyd-Steinberg, 8 x 8 ordered, the other error-diffusion kernels,
// then pattern dithering by a Bayer or a blue-noise threshold.
enum class Dithering : int {
    None = 0,
    FloydSteinberg = 1,
    Ordered = 2,
    Atkinson = 3,
    JarvisJudiceNinke = 4,
    Stucki = 5,
    Burkes = 6,
    Sierra3 = 7,
    Sierra2 = 8,
    SierraLite = 9,
    Pattern = 10,
    PatternBlueNoise = 11,
};
template <> inline constexpr int kEnumCount<Dithering> = 12;

// The target palette: a palette file when filePath is set, otherwise the built-in palette of that
// resource name.
struct PaletteChoice {
    std::string builtInName = "WOLF3D";
    std::string filePath;

    static PaletteChoice BuiltIn(std::string name) { return {std::move(name), {}}; }
    static PaletteChoice File(std::string path) { return {{}, std::move(path)}; }

    bool operator==(const PaletteChoice &) const = default;
};

// The palette entries the matcher must never choose: true for a skipped entry.
using SkipSet = std::array<bool, 256>;

// A skip set with only one entry skipped.
constexpr SkipSet SkipOnly(std::size_t entry)
{
    SkipSet skip {};
    skip[entry] = true;
    return skip;
}

// Everything one conversion depends on, as plain values. Each front end builds it at the moment
// the conversion starts (the window from its controls, the command line from the settings file
// and its options, tests directly); the engine never asks for an option any other way. The
// defaults are those of the program's first start.
struct ConversionOptions {
    PaletteChoice palette;
    // Side of the output square, and the largest side a picture may have (the size control's
    // upper end).
    std::int32_t squareSize = 64;
    std::int32_t largestSquareSize = 512;
    Scaling scaling = Scaling::None;
    VerticalAlignment verticalAlignment = VerticalAlignment::Bottom;
    HorizontalAlignment horizontalAlignment = HorizontalAlignment::Center;
    ColorMatching colorMatching = ColorMatching::Pixel;
    DistanceMeasure distance = DistanceMeasure::Rgb;
    Dithering dithering = Dithering::None;
    // How much of the dithering is applied, 0..100 %: 0 gives the undithered result.
    std::int32_t ditherStrength = 100;
    // A pixel whose colour a usable entry holds exactly keeps that entry whatever error reaches it.
    bool keepExactColors = false;
    // Per channel, 0..200 with 100 unchanged: red, green, blue.
    std::array<std::int32_t, 3> brightness = {100, 100, 100};
    bool convertPalette = true;
    bool applyTransparency = true;
    // For an 8-bit picture an index of its own table, for a deeper one an index of the target
    // palette; a value outside 0..255 matches no pixel.
    std::int32_t inputTransparentColor = 255;
    std::uint8_t outputTransparentColor = 255;
    bool transparentEdges = true;
    SkipSet skip = SkipOnly(255);
    // The file format of the result: an 8-bit BMP, or an 8-bit indexed PNG with the same indices.
    OutputFormat outputFormat = OutputFormat::Bmp;
    // The offsets written into Doom pictures and, unless None, into PNG results as grAb.
    OffsetMode offsets = OffsetMode::None;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
    // Pixels of a picture with alpha whose alpha is below the threshold (1..255) become the output
    // transparent index.
    bool useAlpha = false;
    std::int32_t alphaThreshold = 128;
    // With Apply Transparency on, pixels of this source colour (before brightness, 8-bit pixels
    // through their own table) become the output transparent index in every depth; the index
    // above is then not used.
    std::optional<Rgb> inputTransparentRgb;
    // With Apply Transparency on, each picture is keyed by its own most frequent source colour, as
    // if inputTransparentRgb held it.
    bool keyByMostFrequentColor = false;

    bool operator==(const ConversionOptions &) const = default;
};

// The output transparent index a stored or typed colour stands for: a value outside 0..255 (only
// a hand-edited settings file gives one) has no entry to reserve, and the last entry, the usual
// transparent one, stands in for it.
constexpr std::uint8_t OutputTransparentIndexOf(std::int32_t value)
{
    return value < 0 || value > 255 ? 255 : static_cast<std::uint8_t>(value);
}

} // namespace qv
