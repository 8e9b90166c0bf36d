// The option controls: the skip list, the three brightness values, the size of the output square
// and the five plain option menus. Each change is stored at once and followed by the preview.
#include "common/mod_global.h"
#include "common/numbers.h"
#include "common/settings_schema.h"
#include "window/frm.h"
#include "window/preview_pause.h"

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

void CheckOnly(const MenuArray &items, int index)
{
    for (int c = 0; c < static_cast<int>(items.size()); ++c) {
        items[static_cast<std::size_t>(c)]->SetChecked(c == index);
    }
}

} // namespace

void frm::ConnectSkipBox(int index)
{
    connect(&chkPal[index], &ColorCheckbox::Change, this, [this, index] {
        Handle("chkPal_Change", [this, index] { chkPal_Change(index); });
    });
}

void frm::ConnectOptionHandlers()
{
    ConnectSkipBox(0);
    connect(cmdResetSkips, &QPushButton::clicked, this, [this] {
        Handle("cmdResetSkips_Click", [this] { cmdResetSkips_Click(); });
    });
    for (int i = 0; i < 3; ++i) {
        connect(vsbBright[i], &ArrowScrollBar::Change, this, [this, i] {
            Handle("vsbBright_Change", [this, i] { vsbBright_Change(i); });
        });
        connect(lblBright[i], &Label::Click, this, [this, i] {
            Handle("lblBright_Click", [this, i] { lblBright_Click(i); });
        });
    }
    connect(cmdSetAllBright, &QPushButton::clicked, this, [this] {
        Handle("cmdSetAllBright_Click", [this] { cmdSetAllBright_Click(); });
    });
    connect(vsbSize, &ArrowScrollBar::Change, this, [this] {
        Handle("vsbSize_Change", [this] { vsbSize_Change(); });
    });
    connect(lblSize, &Label::Click, this, [this] {
        Handle("lblSize_Click", [this] { lblSize_Click(); });
    });

    struct OptionMenu {
        MenuArray *items;
        const char *name;
        void (frm::*handler)(int);
    };
    const OptionMenu menus[] = {
        {&mnuScalingOption, "mnuScalingOption_Click", &frm::mnuScalingOption_Click},
        {&mnuVerticalAlignmentOption,
            "mnuVerticalAlignmentOption_Click",
            &frm::mnuVerticalAlignmentOption_Click},
        {&mnuHorizontalAlignmentOption,
            "mnuHorizontalAlignmentOption_Click",
            &frm::mnuHorizontalAlignmentOption_Click},
        {&mnuColorMatchingOption,
            "mnuColorMatchingOption_Click",
            &frm::mnuColorMatchingOption_Click},
        {&mnuOutputFormat, "mnuOutputFormat_Click", &frm::mnuOutputFormat_Click},
        {&mnuQualityDistance, "mnuQualityDistance_Click", &frm::mnuQualityDistance_Click},
        {&mnuQualityDithering, "mnuQualityDithering_Click", &frm::mnuQualityDithering_Click},
    };
    for (const OptionMenu &menu : menus) {
        for (MenuItem *item : *menu.items) {
            connect(item, &MenuItem::Click, this, [this, menu](int index) {
                Handle(menu.name, [this, menu, index] { (this->*menu.handler)(index); });
            });
        }
    }
}

void frm::chkPal_Change(int index)
{
    WriteSetting(*ini_, settings::kSkip, chkPal[index].Value(), index);
    if (ini_->AllowSaveFile()) {
        RefreshPreview();
    }
}

void frm::cmdResetSkips_Click()
{
    {
        const PreviewPause pause(SuspendPreview);
        for (int i = 0; i < 256; ++i) {
            chkPal[i].SetValue(0);
        }
        // The output transparent entry must stay out of the matcher's reach.
        chkPal[GetOutputTransparencyColor()].SetValue(1);
    }
    RefreshPreview();
    cmdOK->setFocus();
}

void frm::vsbBright_Change(int index)
{
    const int value = vsbBright[index]->Value();
    lblBright[index]->SetCaption(std::to_string(value));
    WriteSetting(*ini_, settings::kBright, value, index);
    RefreshPreview();
}

void frm::lblBright_Click(int index)
{
    ArrowScrollBar &bar = *vsbBright[index];
    bar.SetValue(InputNumber(dialogs_, kBrightnessPrompt, kBrightnessTitle, 0, 200, bar.Value()));
}

void frm::cmdSetAllBright_Click()
{
    // Always offers 100, the neutral value, rather than one of the three current values.
    const std::optional<std::int32_t> value =
        TypedNumber(dialogs_.InputBox(kBrightnessPrompt, kBrightnessTitle, "100"));
    if (!value || *value < 0 || *value > 200) {
        return;
    }
    {
        const PreviewPause pause(SuspendPreview);
        for (ArrowScrollBar *bar : vsbBright) {
            bar->SetValue(*value);
        }
    }
    RefreshPreview();
}

void frm::vsbSize_Change()
{
    lblSize->SetCaption(std::to_string(vsbSize->Value()));
    RefreshPreview();
}

void frm::lblSize_Click()
{
    // The bar runs the opposite way: Max is the smallest permitted size, Min the largest.
    const std::string prompt = "New size (multiples of 4 from " + std::to_string(vsbSize->Max())
        + " to " + std::to_string(vsbSize->Min()) + "):";
    const std::optional<std::int32_t> typed =
        TypedNumber(dialogs_.InputBox(prompt, "Size", std::to_string(vsbSize->Value())));
    if (!typed || *typed < vsbSize->Max() || *typed > vsbSize->Min()) {
        return;
    }
    std::int32_t size = *typed;
    if (size % 4 > 0) {
        size = size - size % 4 + 4;
    }
    vsbSize->SetValue(size);
}

void frm::mnuScalingOption_Click(int index)
{
    CheckOnly(mnuScalingOption, index);
    WriteSetting(*ini_, settings::kScaleMode, index);
    RefreshPreview();
}

void frm::mnuVerticalAlignmentOption_Click(int index)
{
    CheckOnly(mnuVerticalAlignmentOption, index);
    WriteSetting(*ini_, settings::kVerticalAlignment, index);
    RefreshPreview();
}

void frm::mnuHorizontalAlignmentOption_Click(int index)
{
    CheckOnly(mnuHorizontalAlignmentOption, index);
    WriteSetting(*ini_, settings::kHorizontalAlignment, index);
    RefreshPreview();
}

void frm::mnuColorMatchingOption_Click(int index)
{
    CheckOnly(mnuColorMatchingOption, index);
    WriteSetting(*ini_, settings::kColorMatching, index);
    RefreshPreview();
}

void frm::mnuOutputFormat_Click(int index)
{
    CheckOnly(mnuOutputFormat, index);
    WriteSetting(*ini_, settings::kOutputFormat, index);
    RefreshPreview();
}

void frm::mnuQualityDistance_Click(int index)
{
    CheckOnly(mnuQualityDistance, index);
    WriteSetting(*ini_, settings::kColorDistance, index);
    RefreshPreview();
}

void frm::mnuQualityDithering_Click(int index)
{
    CheckOnly(mnuQualityDithering, index);
    WriteSetting(*ini_, settings::kDithering, index);
    RefreshPreview();
}

} // namespace qv
