// The options as the session holds them, the option controls (the skip list, the three brightness
// values, the size of the output square) and the plain option menus. Each change is stored at
// once and followed by the preview.
#include "app/preview_pause.h"
#include "app/session.h"
#include "common/mod_global.h"
#include "common/numbers.h"
#include "common/offsets_text.h"
#include "common/option_table.h"
#include "common/settings_schema.h"
#include "platform/checked.h"

#include <optional>

namespace qv {
namespace {

const char *const kBrightnessPrompt = "New brightness (0.. 200):";
const char *const kBrightnessTitle = "Brightness";

// A typed answer as a whole number: numeric text rounded half to even; nothing otherwise.
std::optional<std::int32_t> TypedNumber(const std::string &answer)
{
    const std::optional<double> number = ParseNumber(answer);
    return number ? RoundToInt32(*number) : std::nullopt;
}

} // namespace

Session::Session(DialogService &dialogs, SessionView &view)
    : dialogs_(dialogs)
    , view_(view)
    , ini_(std::make_unique<clsINI>(dialogs))
{ }

PaletteChoice Session::CurrentPaletteChoice() const
{
    if (!externalPalette_.empty() && paletteNumber_ >= kExternalPaletteOption) {
        return PaletteChoice::File(externalPalette_);
    }
    // The external item without a file names no resource: loading it says so.
    return PaletteChoice::BuiltIn(paletteNumber_ >= kExternalPaletteOption
            ? kExternalPaletteCaption
            : At(kBuiltInPalettes, paletteNumber_));
}

ConversionOptions Session::CurrentOptions() const
{
    ConversionOptions options = options_;
    options.palette = CurrentPaletteChoice();
    // The size bar counts down from its Min: the largest square is that end.
    options.largestSquareSize = size_.Min();
    options.squareSize = size_.Value();
    for (std::size_t i = 0; i < options.brightness.size(); ++i) {
        options.brightness[i] = brightness_[i].Value();
    }
    options.inputTransparentColor = GetInputTransparencyColor();
    options.outputTransparentColor = static_cast<std::uint8_t>(GetOutputTransparencyColor());
    for (std::size_t j = 0; j < options.skip.size(); ++j) {
        options.skip[j] = skips_[j] != 0;
    }
    return options;
}

std::int32_t Session::SkipValue(int index) const
{
    return At(skips_, index);
}

void Session::SetSkipValue(int index, std::int32_t value)
{
    std::int32_t &held = At(skips_, index);
    if (held == value) {
        return;
    }
    held = value;
    Tell(Change::Skips);
    chkPal_Change(index);
}

const ScrollValue &Session::BrightnessBar(int index) const
{
    return At(brightness_, index);
}

void Session::SetSizeValue(int value)
{
    if (size_.SetValue(value)) {
        vsbSize_Change();
    }
}

void Session::SetSizeMax(int max)
{
    const bool changed = size_.SetMax(max);
    Tell(Change::Size);
    if (changed) {
        vsbSize_Change();
    }
}

void Session::SetBrightnessValue(int index, int value)
{
    if (At(brightness_, index).SetValue(value)) {
        vsbBright_Change(index);
    }
}

void Session::chkPal_Change(int index)
{
    WriteSetting(*ini_, settings::kSkip, SkipValue(index), index);
    if (ini_->AllowSaveFile()) {
        RefreshPreview();
    }
}

void Session::cmdResetSkips_Click()
{
    {
        const PreviewPause pause(SuspendPreview);
        for (int i = 0; i < 256; ++i) {
            SetSkipValue(i, 0);
        }
        // The output transparent entry must stay out of the matcher's reach.
        SetSkipValue(GetOutputTransparencyColor(), 1);
    }
    RefreshPreview();
    view_.FocusConvertButton();
}

void Session::vsbBright_Change(int index)
{
    WriteSetting(*ini_, settings::kBright, BrightnessBar(index).Value(), index);
    Tell(Change::Brightness);
    RefreshPreview();
}

void Session::lblBright_Click(int index)
{
    const int current = BrightnessBar(index).Value();
    SetBrightnessValue(
        index, InputNumber(dialogs_, kBrightnessPrompt, kBrightnessTitle, 0, 200, current));
}

void Session::cmdSetAllBright_Click()
{
    // Always offers 100, the neutral value, rather than one of the three current values.
    const std::optional<std::int32_t> value =
        TypedNumber(dialogs_.InputBox(kBrightnessPrompt, kBrightnessTitle, "100"));
    if (!value || *value < 0 || *value > 200) {
        return;
    }
    {
        const PreviewPause pause(SuspendPreview);
        for (int i = 0; i < 3; ++i) {
            SetBrightnessValue(i, *value);
        }
    }
    RefreshPreview();
}

void Session::vsbSize_Change()
{
    Tell(Change::Size);
    RefreshPreview();
}

void Session::lblSize_Click()
{
    // The bar runs the opposite way: Max is the smallest permitted size, Min the largest.
    const std::string prompt = "New size (multiples of 4 from " + std::to_string(size_.Max())
        + " to " + std::to_string(size_.Min()) + "):";
    const std::optional<std::int32_t> typed =
        TypedNumber(dialogs_.InputBox(prompt, "Size", std::to_string(size_.Value())));
    if (!typed || *typed < size_.Max() || *typed > size_.Min()) {
        return;
    }
    std::int32_t size = *typed;
    if (size % 4 > 0) {
        size = size - size % 4 + 4;
    }
    SetSizeValue(size);
}

template <typename Option> void Session::ChooseOption(const Option &option, int index)
{
    CheckRange(Option::kCount, index, 1);
    options_.*option.field = static_cast<typename Option::Enum>(index);
    Tell(Change::Options);
    WriteSetting(*ini_, option.setting, index);
    RefreshPreview();
}

void Session::mnuScalingOption_Click(int index)
{
    ChooseOption(options::kScaling, index);
}

void Session::mnuVerticalAlignmentOption_Click(int index)
{
    ChooseOption(options::kVerticalAlignment, index);
}

void Session::mnuHorizontalAlignmentOption_Click(int index)
{
    ChooseOption(options::kHorizontalAlignment, index);
}

void Session::mnuColorMatchingOption_Click(int index)
{
    ChooseOption(options::kColorMatching, index);
}

void Session::mnuOutputFormat_Click(int index)
{
    ChooseOption(options::kOutputFormat, index);
}

void Session::mnuOutputOffsets_Click(int index)
{
    if (index != static_cast<int>(OffsetMode::Custom)) {
        ChooseOption(options::kOffsets, index);
        return;
    }
    const auto offsets = ParseOffsets(dialogs_.InputBox("Offsets X,Y (each -32768 to 32767):",
        "Custom Offsets",
        OffsetsText(options_.offsetX, options_.offsetY)));
    if (!offsets) {
        return;
    }
    options_.offsetX = offsets->first;
    options_.offsetY = offsets->second;
    WriteSetting(*ini_, settings::kOffsetX, options_.offsetX);
    WriteSetting(*ini_, settings::kOffsetY, options_.offsetY);
    ChooseOption(options::kOffsets, index);
}

void Session::mnuQualityDistance_Click(int index)
{
    ChooseOption(options::kDistance, index);
}

void Session::mnuQualityDithering_Click(int index)
{
    ChooseOption(options::kDithering, index);
}

ConversionOptions Session::SwitchConvertPaletteOn()
{
    {
        const PreviewPause pause(SuspendPreview);
        mnuPaletteConvertPalette_Click();
    }
    return CurrentOptions();
}

void Session::MappingReported(const MappingReport &report)
{
    report_ = MappingReportText(report);
    Tell(Change::Report);
}

} // namespace qv
