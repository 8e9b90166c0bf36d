// The Quality items beyond the method: how strongly to dither and whether exact colours keep
// their entry.
#include "app/session.h"
#include "common/mod_global.h"
#include "common/settings_schema.h"

#include <string>

namespace qv {
namespace {

constexpr const char *kStrengthPrompt = "Dither strength in per cent (0..100):";
constexpr const char *kStrengthTitle = "Dither Strength";

} // namespace

void Session::SetDitherStrength(int value)
{
    options_.ditherStrength = value;
    Tell(Change::Options);
}

void Session::mnuQualityDitherStrength_Click()
{
    const int answer =
        InputNumber(dialogs_, kStrengthPrompt, kStrengthTitle, 0, 100, options_.ditherStrength);
    WriteSetting(*ini_, settings::kDitherStrength, answer);
    SetDitherStrength(answer);
    RefreshPreview();
}

void Session::mnuQualityKeepExact_Click()
{
    options_.keepExactColors = !options_.keepExactColors;
    Tell(Change::Options);
    WriteFlagSetting(*ini_, settings::kKeepExactColors, options_.keepExactColors);
    RefreshPreview();
}

} // namespace qv
