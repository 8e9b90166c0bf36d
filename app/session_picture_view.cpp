// The View menu: the preview alone, beside the original or as the difference of each pixel
// from its entry; and, with a game's colour map, the preview as the game lights it.
#include "app/session.h"
#include "common/mod_common_dialog.h"
#include "common/mod_global.h"
#include "common/report_error.h"
#include "common/settings_schema.h"
#include "palette/difference_picture.h"
#include "palette/light_view.h"
#include "platform/checked.h"
#include "platform/failure.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

namespace qv {
namespace {

constexpr const char *kColorMapFilter =
    "Color Maps (*.wad;*.lmp;*.dat)|*.wad;*.lmp;*.dat|All Files (*.*)|*.*";
constexpr const char *kColorMapTitle = "Select the color map to light the preview with";
constexpr const char *kLightPrompt = "Light level (0 is the brightest table):";
constexpr const char *kLightTitle = "Light Level";
// The colour between the original and the preview (the frame's grey).
constexpr std::uint32_t kGapColor = 0xC0C0C0;

std::uint32_t ColorAt(const DisplayImage &image, std::size_t x, std::size_t y)
{
    const std::size_t p = y * static_cast<std::size_t>(image.width) + x;
    return image.indexed ? image.colors[At(image.indices, p)] : At(image.pixels, p);
}

// left and right next to each other, top edges level, in one picture of colours.
DisplayImage SideBySide(const DisplayImage &left, const DisplayImage &right)
{
    DisplayImage both;
    both.width = CheckedAdd(CheckedAdd(left.width, kSideBySideGap), right.width);
    both.height = std::max(left.height, right.height);
    both.pixels.assign(CheckedCast<std::size_t>(CheckedMul(both.width, both.height)), kGapColor);
    const auto put = [&both](const DisplayImage &part, std::int32_t atX) {
        for (std::int32_t y = 0; y < part.height; ++y) {
            for (std::int32_t x = 0; x < part.width; ++x) {
                both.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(both.width)
                    + static_cast<std::size_t>(atX + x)] =
                    ColorAt(part, static_cast<std::size_t>(x), static_cast<std::size_t>(y));
            }
        }
    };
    put(left, 0);
    put(right, left.width + kSideBySideGap);
    return both;
}

DisplayImage DifferenceImage(const MappedPixels &mapped)
{
    const DifferencePicture difference = MakeDifferencePicture(mapped);
    DisplayImage image;
    image.width = difference.width;
    image.height = difference.height;
    image.pixels.resize(difference.rgb.size() / 3);
    for (std::size_t p = 0; p < image.pixels.size(); ++p) {
        image.pixels[p] = static_cast<std::uint32_t>(difference.rgb[3 * p]) << 16
            | static_cast<std::uint32_t>(difference.rgb[3 * p + 1]) << 8
            | difference.rgb[3 * p + 2];
    }
    return image;
}

// The scale's stops as words: "dE00 0 black, 1 dark blue, ..., 20+ red".
std::string DifferenceLegend()
{
    static constexpr std::array<const char *, kDifferenceScale.size()> kColorNames {
        "black", "dark blue", "green", "yellow", "orange", "red"};
    std::string legend = "dE00";
    for (std::size_t i = 0; i < kDifferenceScale.size(); ++i) {
        char stop[16];
        std::snprintf(stop, sizeof stop, "%g", kDifferenceScale[i].deltaE);
        legend += std::string(i == 0 ? " " : ", ") + stop
            + (i + 1 == kDifferenceScale.size() ? "+ " : " ") + kColorNames[i];
    }
    return legend + ", grey checks transparent";
}

} // namespace

std::string Session::EntryTip(int index) const
{
    const std::string entry = "Entry " + std::to_string(index);
    if (!previewEntries_ || index < 0 || index > 255) {
        return entry;
    }
    const std::int64_t pixels = previewEntries_->pixels[static_cast<std::size_t>(index)];
    return entry + ": " + std::to_string(pixels) + (pixels == 1 ? " pixel" : " pixels")
        + " of the preview";
}

bool Session::EntryUsed(int index) const
{
    return previewEntries_ && index >= 0 && index <= 255
        && previewEntries_->pixels[static_cast<std::size_t>(index)] > 0;
}

PictureView Session::ShownView() const
{
    return showChoice_ == 0 ? PictureView::Original : pictureView_;
}

void Session::mnuViewPicture_Click(int index)
{
    if (index < 0 || index >= kEnumCount<PictureView>) {
        Fail(kSubscriptOutOfRange);
    }
    const auto view = static_cast<PictureView>(index);
    if (view != PictureView::Original) {
        // The kind of preview is what is kept: the window still starts on the original.
        SetPictureView(view);
    }
    optShow_MouseDown(view == PictureView::Original ? 0 : 1);
    Tell(Change::Options);
}

void Session::LoadColorMap(const std::string &path)
{
    LightTables tables = ReadLightTables(path);
    if (tables.Count() == 0) {
        Fail(kUnknownFileFormat);
    }
    lightTables_ = std::move(tables);
    if (static_cast<std::size_t>(lightLevel_) >= lightTables_->Count()) {
        lightLevel_ = 0;
    }
}

void Session::mnuViewColorMap_Click()
{
    int filterIndex = 0;
    const std::string path = ShowOpenFileDialog(dialogs_,
        kColorMapFilter,
        kColorMapTitle,
        settingsFolder_,
        colorMapPath_,
        filterIndex,
        false);
    if (path.empty()) {
        return; // cancelled: the colour map held stays
    }
    try {
        LoadColorMap(path);
    } catch (const Failure &failure) {
        ReportError(dialogs_, "mnuViewColorMap_Click", failure);
        return;
    }
    SetColorMapPath(path);
    SetLightLevel(lightLevel_);
    Tell(Change::Options);
    RefreshPreview();
}

void Session::mnuViewNoColorMap_Click()
{
    lightTables_.reset();
    SetColorMapPath("");
    Tell(Change::Options);
    RefreshPreview();
}

void Session::mnuViewLightLevel_Click()
{
    if (!lightTables_) {
        return;
    }
    const int last = static_cast<int>(lightTables_->Count()) - 1;
    const int before = std::min(lightLevel_, last);
    // The preview follows the slider; only the level chosen with OK is kept.
    const auto show = [this, last](int level) {
        lightLevel_ = std::clamp(level, 0, last);
        RefreshPreview();
    };
    const std::optional<int> chosen =
        dialogs_.SliderBox(kLightPrompt, kLightTitle, 0, last, before, show);
    if (!chosen) {
        show(before);
        return;
    }
    SetLightLevel(std::clamp(*chosen, 0, last));
    Tell(Change::Options);
    RefreshPreview();
}

DisplayImage Session::LitPreview(DisplayImage image) const
{
    if (lightTables_ && image.indexed) {
        image.indices = LightView(*lightTables_,
            static_cast<std::size_t>(lightLevel_),
            image.indices,
            ApplyTransparencyChecked()
                ? std::optional(static_cast<std::uint8_t>(GetOutputTransparencyColor()))
                : std::nullopt);
    }
    return image;
}

void Session::ShowPreview(const PreviewPicture &picture)
{
    // Decoded before anything changes, so a broken picture leaves the previous one on show.
    DisplayImage image =
        LitPreview(DisplayImageFromBMPData(picture.fileBytes, picture.paletteTable));
    const std::optional<DisplayImage> original =
        pictureView_ == PictureView::SideBySide ? DisplayImageOf(CurrentPicture) : std::nullopt;
    if (original) {
        DisplayImage both = SideBySide(*original, image);
        ShowPicture({ShownPicture::Kind::Original, std::move(both), {}},
            {nullptr, std::move(image), original->width + kSideBySideGap});
    } else {
        ShowPicture({ShownPicture::Kind::Preview, image, picture.box}, {nullptr, image, 0});
    }
}

void Session::ShowPreviewView(const ConversionResult &result)
{
    if (!result.entries || report_.empty()) {
        return;
    }
    previewEntries_ = result.entries;
    report_ += ", " + std::to_string(result.entries->Used()) + " entries";
    if (pictureView_ == PictureView::Difference && result.mapped) {
        // The line is the picture's legend here; the figures are the preview's.
        ShowPicture({ShownPicture::Kind::Original, DifferenceImage(*result.mapped), {}},
            {result.mapped, std::nullopt, 0});
        report_ = DifferenceLegend();
    } else {
        pictureParts_.mapped = result.mapped;
    }
    Tell(Change::Report);
}

} // namespace qv
