// The Transparency menu and the picture click: the four transparency settings of the index, the
// prompts that change the two colours, and the two ways of finding the input picture's transparent
// colour.
#include "common/color_key.h"
#include "common/mod_global.h"
#include "common/report_error.h"
#include "common/settings_schema.h"
#include "engine/load_bmp_file.h"
#include "engine/source_colors.h"
#include "palette/transparency_scan.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "platform/qt/twips.h"
#include "window/frm.h"
#include "window/picture_click.h"
#include "window/preview_pause.h"

#include <string>

namespace qv {
namespace {

constexpr const char *kColorPrompt = "Enter a color value (0..255):";
constexpr const char *kInputTitle = "Input Transparency Color";
constexpr const char *kOutputTitle = "Output Transparency Color";

// Keyboard state in the classic encoding the handler takes: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
        | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
        | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace

void frm::ConnectTransparencyHandlers()
{
    connect(mnuTransparencyApply, &MenuItem::Click, this, [this] {
        Handle("mnuTransparencyApply_Click", [this] { mnuTransparencyApply_Click(); });
    });
    connect(mnuTransparencyInputColor, &MenuItem::Click, this, [this] {
        Handle("mnuTransparencyInputColor_Click", [this] { mnuTransparencyInputColor_Click(); });
    });
    connect(mnuTransparencyOutputColor, &MenuItem::Click, this, [this] {
        Handle("mnuTransparencyOutputColor_Click", [this] { mnuTransparencyOutputColor_Click(); });
    });
    connect(mnuTransparencyLeftRightCols, &MenuItem::Click, this, [this] {
        Handle(
            "mnuTransparencyLeftRightCols_Click", [this] { mnuTransparencyLeftRightCols_Click(); });
    });
    connect(mnuTransparencyScanForInputColor, &MenuItem::Click, this, [this] {
        Handle("mnuTransparencyScanForInputColor_Click",
            [this] { mnuTransparencyScanForInputColor_Click(); });
    });
    connect(img,
        &ImageBox::MouseDown,
        this,
        [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y) {
            // Qt numbers the left, right and middle buttons 1, 2 and 4, as the handler expects.
            Handle("img_MouseDown",
                [&] { img_MouseDown(static_cast<int>(button), ShiftState(shift), x, y); });
        });
}

void frm::SetInputTransparencyColor(int value)
{
    mnuTransparencyInputColor->SetTag(std::to_string(value));
    mnuTransparencyInputColor->SetCaption("&Input Transparent Color: " + std::to_string(value));
}

void frm::SetOutputTransparencyColor(int value)
{
    mnuTransparencyOutputColor->SetTag(std::to_string(value));
    mnuTransparencyOutputColor->SetCaption("&Output Transparent Color: " + std::to_string(value));
    // Reserve the entry so ordinary colours are never matched to it. The query answers for a
    // value outside the palette, so it names the entry that actually stands in.
    chkPal[GetOutputTransparencyColor()].SetValue(1);
}

void frm::mnuTransparencyApply_Click()
{
    mnuTransparencyApply->SetChecked(!mnuTransparencyApply->Checked());
    WriteFlagSetting(*ini_, settings::kApplyTransparency, mnuTransparencyApply->Checked());
    RefreshPreview();
}

void frm::mnuTransparencyLeftRightCols_Click()
{
    mnuTransparencyLeftRightCols->SetChecked(!mnuTransparencyLeftRightCols->Checked());
    WriteFlagSetting(*ini_, settings::kTransparentEdges, mnuTransparencyLeftRightCols->Checked());
    RefreshPreview();
}

void frm::mnuTransparencyInputColor_Click()
{
    const int current = GetInputTransparencyColor();
    const int answer = InputNumber(dialogs_, kColorPrompt, kInputTitle, 0, 255, current);
    WriteSetting(*ini_, settings::kInputTransparentColor, answer);
    SetInputTransparencyColor(answer);
    RefreshPreview();
}

void frm::mnuTransparencyOutputColor_Click()
{
    {
        // Unticking the old entry and ticking the new one each ask for a preview: one is enough.
        const PreviewPause pause(SuspendPreview);
        const int old = GetOutputTransparencyColor();
        const int answer = InputNumber(dialogs_, kColorPrompt, kOutputTitle, 0, 255, old);
        WriteSetting(*ini_, settings::kOutputTransparentColor, answer);
        chkPal[old].SetValue(0);
        SetOutputTransparencyColor(answer);
    }
    RefreshPreview();
}

void frm::img_MouseDown(int, int, double x, double y)
{
    // Only the picture as it is on disk holds the colour the user means; an empty box holds none.
    if (!optShow[0]->isChecked() || !img->HasPicture()) {
        return;
    }
    try {
        if (GetInputTransparentRgb()) {
            const Rgb key = SourceColorAt(CurrentPicture,
                PixelAtTwips(x, ScreenTwipsPerPixelX()),
                PixelAtTwips(y, ScreenTwipsPerPixelY()));
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
            PixelAtTwips(x, ScreenTwipsPerPixelX()),
            PixelAtTwips(y, ScreenTwipsPerPixelY()));
        SetInputTransparencyColor(value);
        WriteSetting(*ini_, settings::kInputTransparentColor, value);
        dialogs_.MessageBox("The input transparency color is now " + std::to_string(value) + ".",
            kInputTitle,
            MessageIcon::Information);
    } catch (const Failure &failure) {
        ReportError(dialogs_, "img_MouseDown", failure);
    }
}

void frm::mnuTransparencyScanForInputColor_Click()
{
    if (File->FileName().empty()) {
        return; // no picture to scan
    }
    try {
        LoadedImage image;
        if (!LoadBMPFile(
                dialogs_, vsbSize->Min(), JoinPath(File->Path(), File->FileName()), image)) {
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
