// The picture's zoom, and what lies under the mouse on the picture.
#include "app/picture_click.h"
#include "app/session.h"
#include "common/option_table.h"
#include "palette/difference_picture.h"
#include "platform/failure.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace qv {
namespace {

std::string ColorText(std::uint32_t rgb)
{
    return std::to_string(rgb >> 16 & 0xFF) + "," + std::to_string(rgb >> 8 & 0xFF) + ","
        + std::to_string(rgb & 0xFF);
}

std::uint32_t Packed(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8
        | static_cast<std::uint32_t>(blue);
}

bool Inside(std::int32_t column, std::int32_t row, std::int32_t width, std::int32_t height)
{
    return column >= 0 && row >= 0 && column < width && row < height;
}

std::size_t PixelIndex(std::int32_t column, std::int32_t row, std::int32_t width)
{
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(width)
        + static_cast<std::size_t>(column);
}

// "color 255,128,0; entry 197 (115,115,255); dE00 4.12": what the conversion saw and chose.
std::string MappedText(const MappedPixels &mapped, std::size_t p)
{
    const DitherPixel &pixel = mapped.colors.at(p);
    const std::uint8_t index = mapped.indices.at(p);
    const MatchColor &entry = mapped.entries[index];
    const std::string chosen = "entry " + std::to_string(index) + " ("
        + ColorText(Packed(entry.red, entry.green, entry.blue)) + ")";
    if (pixel.transparent) {
        return "transparent; " + chosen;
    }
    char difference[32];
    std::snprintf(difference, sizeof difference, "; dE00 %.2f", PixelDifference(pixel, entry));
    return "color " + ColorText(Packed(pixel.red, pixel.green, pixel.blue)) + "; " + chosen
        + difference;
}

// "color 255,128,0", with "; entry 5" for a picture of indices.
std::string ImageText(const DisplayImage &image, std::size_t p)
{
    if (!image.indexed) {
        return "color " + ColorText(image.pixels.at(p));
    }
    const std::uint8_t index = image.indices.at(p);
    return "color " + ColorText(image.colors[index]) + "; entry " + std::to_string(index);
}

} // namespace

void Session::mnuViewZoom_Click(int index)
{
    if (index < 0 || index >= kEnumCount<PictureZoom>) {
        Fail(kSubscriptOutOfRange);
    }
    SetZoom(static_cast<PictureZoom>(index));
    hover_.clear();
    Tell(Change::Options | Change::Picture | Change::Hover);
}

void Session::ZoomStep(int steps)
{
    const int index = std::clamp(static_cast<int>(zoom_) + steps, 0, kEnumCount<PictureZoom> - 1);
    if (index != static_cast<int>(zoom_)) {
        mnuViewZoom_Click(index);
    }
}

void Session::ShowPicture(ShownPicture picture, ShownParts parts)
{
    picture_ = std::move(picture);
    pictureParts_ = std::move(parts);
    const bool hovered = !hover_.empty();
    hover_.clear();
    Tell(hovered ? Change::Picture | Change::Hover : ChangeSet(Change::Picture));
}

std::optional<std::array<std::int32_t, 2>> Session::ShownPixelAt(double x, double y) const
{
    const DisplayImage &image = picture_.image;
    if (picture_.kind == ShownPicture::Kind::None || image.width <= 0 || image.height <= 0) {
        return std::nullopt;
    }
    std::int32_t column = PixelAtTwips(x, view_.TwipsPerPixelX());
    std::int32_t row = PixelAtTwips(y, view_.TwipsPerPixelY());
    if (zoom_ == PictureZoom::Fit && picture_.kind == ShownPicture::Kind::Preview
        && picture_.box.stretch) {
        // The box is a whole number of screen pixels; the picture is stretched over it.
        const double boxX = std::round(picture_.box.boxTwips / view_.TwipsPerPixelX());
        const double boxY = std::round(picture_.box.boxTwips / view_.TwipsPerPixelY());
        if (boxX < 1.0 || boxY < 1.0) {
            return std::nullopt;
        }
        column =
            static_cast<std::int32_t>(std::floor(static_cast<double>(column) * image.width / boxX));
        row = static_cast<std::int32_t>(std::floor(static_cast<double>(row) * image.height / boxY));
    } else {
        column /= ZoomFactor(zoom_);
        row /= ZoomFactor(zoom_);
    }
    if (!Inside(column, row, image.width, image.height)) {
        return std::nullopt;
    }
    return std::array {column, row};
}

std::string Session::HoverText(std::int32_t column, std::int32_t row) const
{
    const ShownParts &parts = pictureParts_;
    const std::string at = "Pixel " + std::to_string(column) + ", " + std::to_string(row) + ": ";
    if (parts.preview && column >= parts.previewLeft) {
        const DisplayImage &preview = *parts.preview;
        const std::int32_t x = column - parts.previewLeft;
        if (!Inside(x, row, preview.width, preview.height) || !preview.indexed) {
            return {};
        }
        const std::uint8_t index = preview.indices[PixelIndex(x, row, preview.width)];
        return "Pixel " + std::to_string(x) + ", " + std::to_string(row) + ": entry "
            + std::to_string(index) + " (" + ColorText(preview.colors[index]) + ")";
    }
    if (parts.preview && column >= parts.previewLeft - kSideBySideGap) {
        return {}; // between the two
    }
    if (parts.mapped) {
        const MappedPixels &mapped = *parts.mapped;
        if (!Inside(column, row, mapped.width, mapped.height)) {
            return {};
        }
        return at + MappedText(mapped, PixelIndex(column, row, mapped.width));
    }
    const DisplayImage &image = picture_.image;
    return at + ImageText(image, PixelIndex(column, row, image.width));
}

void Session::img_MouseMove(double x, double y)
{
    std::string text;
    try {
        if (const auto pixel = ShownPixelAt(x, y)) {
            text = HoverText((*pixel)[0], (*pixel)[1]);
        }
    } catch (const Failure &) {
        text.clear(); // a position the screen cannot report: nothing under the mouse
    }
    if (text != hover_) {
        hover_ = std::move(text);
        Tell(Change::Hover);
    }
}

void Session::img_MouseLeave()
{
    if (!hover_.empty()) {
        hover_.clear();
        Tell(Change::Hover);
    }
}

} // namespace qv
