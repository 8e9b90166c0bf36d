// The transparency items beyond the index: Use Alpha Channel, its threshold, and the input
// transparent colour given as a colour, which means the same for every picture.
#include "app/session.h"
#include "common/color_key.h"
#include "common/mod_global.h"
#include "common/settings_schema.h"

#include <string>

namespace qv {
namespace {

constexpr const char *kThresholdPrompt = "Alpha below which a pixel is transparent (1..255):";
constexpr const char *kThresholdTitle = "Alpha Threshold";
constexpr const char *kKeyPrompt =
    "Enter the input transparent color as R,G,B or #RRGGBB, or none:";
constexpr const char *kKeyTitle = "Input Transparent RGB";

} // namespace

void Session::SetAlphaThreshold(int value)
{
    options_.alphaThreshold = value;
    Tell(Change::Options);
}

void Session::SetInputTransparentRgb(const std::optional<Rgb> &key)
{
    options_.inputTransparentRgb = key;
    Tell(Change::Options);
}

void Session::mnuTransparencyUseAlpha_Click()
{
    options_.useAlpha = !options_.useAlpha;
    Tell(Change::Options);
    WriteFlagSetting(*ini_, settings::kUseAlpha, options_.useAlpha);
    RefreshPreview();
}

void Session::mnuTransparencyAlphaThreshold_Click()
{
    const int answer =
        InputNumber(dialogs_, kThresholdPrompt, kThresholdTitle, 1, 255, options_.alphaThreshold);
    WriteSetting(*ini_, settings::kAlphaThreshold, answer);
    SetAlphaThreshold(answer);
    RefreshPreview();
}

void Session::mnuTransparencyInputRGB_Click()
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
