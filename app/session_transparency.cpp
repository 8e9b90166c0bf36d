// The Transparency menu and the picture click: the four transparency settings of the index, the
// prompts that change the two colours, and the two ways of finding the input picture's
// transparent colour.
#include "app/picture_click.h"
#include "app/preview_pause.h"
#include "app/session.h"
#include "common/color_key.h"
#include "common/mod_global.h"
#include "common/report_error.h"
#include "common/settings_schema.h"
#include "engine/load_bmp_file.h"
#include "engine/source_colors.h"
#include "palette/transparency_scan.h"
#include "platform/failure.h"
#include "platform/files.h"

#include <string>

namespace qv {
namespace {

constexpr const char *kColorPrompt = "Enter a color value (0..255):";
constexpr const char *kInputTitle = "Input Transparency Color";
constexpr const char *kOutputTitle = "Output Transparency Color";

} // namespace

void Session::SetInputTransparencyColor(int value)
{
    inputColor_ = value;
    Tell(Change::Options);
}

void Session::SetOutputTransparencyColor(int value)
{
    outputColor_ = value;
    Tell(Change::Options);
    // Reserve the entry so ordinary colours are never matched to it. The query answers for a
    // value outside the palette, so it names the entry that actually stands in.
    SetSkipValue(GetOutputTransparencyColor(), 1);
}

void Session::mnuTransparencyApply_Click()
{
    options_.applyTransparency = !options_.applyTransparency;
    Tell(Change::Options);
    WriteFlagSetting(*ini_, settings::kApplyTransparency, options_.applyTransparency);
    RefreshPreview();
}

void Session::mnuTransparencyLeftRightCols_Click()
{
    options_.transparentEdges = !options_.transparentEdges;
    Tell(Change::Options);
    WriteFlagSetting(*ini_, settings::kTransparentEdges, options_.transparentEdges);
    RefreshPreview();
}

void Session::mnuTransparencyInputColor_Click()
{
    const int current = GetInputTransparencyColor();
    const int answer = InputNumber(dialogs_, kColorPrompt, kInputTitle, 0, 255, current);
    WriteSetting(*ini_, settings::kInputTransparentColor, answer);
    SetInputTransparencyColor(answer);
    RefreshPreview();
}

void Session::mnuTransparencyOutputColor_Click()
{
    {
        // Unticking the old entry and ticking the new one each ask for a preview: one is enough.
        const PreviewPause pause(SuspendPreview);
        const int old = GetOutputTransparencyColor();
        const int answer = InputNumber(dialogs_, kColorPrompt, kOutputTitle, 0, 255, old);
        WriteSetting(*ini_, settings::kOutputTransparentColor, answer);
        SetSkipValue(old, 0);
        SetOutputTransparencyColor(answer);
    }
    RefreshPreview();
}

void Session::img_MouseDown(int, int, double x, double y)
{
    // Only the picture as it is on disk holds the colour the user means; an empty box holds none.
    if (showChoice_ != 0 || picture_.kind == ShownPicture::Kind::None) {
        return;
    }
    try {
        // The original is shown at its own size at Fit, at whole screen pixels per pixel else.
        const std::int32_t column = PixelAtTwips(x, view_.TwipsPerPixelX()) / ZoomFactor(zoom_);
        const std::int32_t row = PixelAtTwips(y, view_.TwipsPerPixelY()) / ZoomFactor(zoom_);
        if (GetInputTransparentRgb()) {
            const Rgb key = SourceColorAt(CurrentPicture, column, row);
            SetInputTransparentRgb(key);
            WriteTextSetting(*ini_, settings::kInputTransparentRGB, ColorKeyText(key));
            dialogs_.MessageBox("The input transparency color is now " + ColorKeyText(key) + ".",
                kInputTitle,
                MessageIcon::Information);
            return;
        }
        const int value = PickTransparentIndex(dialogs_,
            palette_,
            CurrentOptions(),
            CurrentPicture.pixels,
            CurrentPicture.width,
            CurrentPicture.height,
            CurrentPicture.bitCount,
            column,
            row);
        SetInputTransparencyColor(value);
        WriteSetting(*ini_, settings::kInputTransparentColor, value);
        dialogs_.MessageBox("The input transparency color is now " + std::to_string(value) + ".",
            kInputTitle,
            MessageIcon::Information);
    } catch (const Failure &failure) {
        ReportError(dialogs_, "img_MouseDown", failure);
    }
}

void Session::mnuTransparencyScanForInputColor_Click()
{
    if (files_.FileName().empty()) {
        return; // no picture to scan
    }
    try {
        LoadedImage image;
        if (!LoadBMPFile(
                dialogs_, size_.Min(), JoinPath(files_.Path(), files_.FileName()), image)) {
            return;
        }
        if (GetInputTransparentRgb()) {
            // For this run only, as the index scan.
            const Rgb key = MostFrequentSourceColor(image);
            SetInputTransparentRgb(key);
            RefreshPreview();
            dialogs_.MessageBox("The input transparency color is now " + ColorKeyText(key) + ".",
                kInputTitle,
                MessageIcon::Information);
            return;
        }
        const int value = ScanForTransparentColor(dialogs_,
            palette_,
            CurrentOptions(),
            image.pixels,
            image.width,
            image.height,
            image.bitCount);
        // For this run only: a scan answers for one picture, not for the next start.
        SetInputTransparencyColor(value);
        RefreshPreview();
        dialogs_.MessageBox("The input transparency color is now " + std::to_string(value) + ".",
            kInputTitle,
            MessageIcon::Information);
    } catch (const Failure &failure) {
        ReportError(dialogs_, "mnuTransparencyScanForInputColor_Click", failure);
    }
}

} // namespace qv
