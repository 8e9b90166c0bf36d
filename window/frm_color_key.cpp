// The transparency items beyond the index: Use Alpha Channel, its threshold, and the input
// transparent colour given as a colour, which means the same for every picture.
#include "common/color_key.h"
#include "common/mod_global.h"
#include "common/settings_schema.h"
#include "window/frm.h"

#include <cstdlib>
#include <string>

namespace qv {
namespace {

constexpr const char *kThresholdPrompt = "Alpha below which a pixel is transparent (1..255):";
constexpr const char *kThresholdTitle = "Alpha Threshold";
constexpr const char *kKeyPrompt =
    "Enter the input transparent color as R,G,B or #RRGGBB, or none:";
constexpr const char *kKeyTitle = "Input Transparent RGB";

} // namespace

void frm::ConnectColorKeyHandlers()
{
    connect(mnuTransparencyUseAlpha, &MenuItem::Click, this, [this] {
        Handle("mnuTransparencyUseAlpha_Click", [this] { mnuTransparencyUseAlpha_Click(); });
    });
    connect(mnuTransparencyAlphaThreshold, &MenuItem::Click, this, [this] {
        Handle("mnuTransparencyAlphaThreshold_Click",
            [this] { mnuTransparencyAlphaThreshold_Click(); });
    });
    connect(mnuTransparencyInputRGB, &MenuItem::Click, this, [this] {
        Handle("mnuTransparencyInputRGB_Click", [this] { mnuTransparencyInputRGB_Click(); });
    });
}

void frm::SetAlphaThreshold(int value)
{
    mnuTransparencyAlphaThreshold->SetTag(std::to_string(value));
    mnuTransparencyAlphaThreshold->SetCaption("Alpha &Threshold: " + std::to_string(value));
}

void frm::SetInputTransparentRgb(const std::optional<Rgb> &key)
{
    mnuTransparencyInputRGB->SetTag(key ? ColorKeyText(key) : std::string());
}

std::optional<Rgb> frm::GetInputTransparentRgb()
{
    return ParseColorKey(mnuTransparencyInputRGB->Tag()).key;
}

void frm::mnuTransparencyUseAlpha_Click()
{
    mnuTransparencyUseAlpha->SetChecked(!mnuTransparencyUseAlpha->Checked());
    WriteFlagSetting(*ini_, settings::kUseAlpha, mnuTransparencyUseAlpha->Checked());
    RefreshPreview();
}

void frm::mnuTransparencyAlphaThreshold_Click()
{
    const int current = std::atoi(mnuTransparencyAlphaThreshold->Tag().c_str());
    const int answer = InputNumber(dialogs_, kThresholdPrompt, kThresholdTitle, 1, 255, current);
    WriteSetting(*ini_, settings::kAlphaThreshold, answer);
    SetAlphaThreshold(answer);
    RefreshPreview();
}

void frm::mnuTransparencyInputRGB_Click()
{
    const std::string answer =
        dialogs_.InputBox(kKeyPrompt, kKeyTitle, ColorKeyText(GetInputTransparentRgb()));
    if (answer.empty()) {
        return; // cancelled
    }
    const ColorKeyValue value = ParseColorKey(answer);
    if (!value.valid) {
        dialogs_.MessageBox(
            answer + " is not a color: type R,G,B (each 0 to 255), #RRGGBB or none.",
            kKeyTitle,
            MessageIcon::Error);
        return;
    }
    WriteTextSetting(*ini_, settings::kInputTransparentRGB, ColorKeyText(value.key));
    SetInputTransparentRgb(value.key);
    RefreshPreview();
}

} // namespace qv
