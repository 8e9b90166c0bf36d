// What the engine asks the window. Every answer is read from the controls at the moment it is
// asked, so the controls stay the only home of each option.
#include "common/numbers.h"
#include "engine/qt/picture_from_bmp_data.h"
#include "platform/checked.h"
#include "platform/failure.h"
#include "window/frm.h"
#include "window/preview_pause.h"

#include <optional>
#include <span>

namespace qv {
namespace {

// The index of the first checked item, 0 when none is: an option menu always has an answer.
int FirstChecked(const MenuArray &items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i]->Checked()) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

// The number a colour tag holds, read like any number in text and rounded half-even.
int TagNumber(const MenuItem &item)
{
    const std::optional<std::int32_t> value = RoundToInt32(LeadingNumber(item.Tag()));
    if (!value) {
        Fail(kOverflow);
    }
    return *value;
}

} // namespace

int frm::GetPaletteNumber()
{
    return FirstChecked(mnuPaletteOption);
}

int frm::LastPaletteOption()
{
    return static_cast<int>(mnuPaletteOption.size()) - 1;
}

std::string frm::PaletteOptionCaption(int index)
{
    return At(mnuPaletteOption, index)->Caption();
}

std::string frm::PaletteOptionTag(int index)
{
    return At(mnuPaletteOption, index)->Tag();
}

int frm::SkipValue(int index)
{
    return chkPal[index].Value();
}

bool frm::ApplyTransparencyChecked()
{
    return mnuTransparencyApply->Checked();
}

int frm::GetInputTransparencyColor()
{
    return TagNumber(*mnuTransparencyInputColor);
}

int frm::GetOutputTransparencyColor()
{
    // An output colour outside the palette (only a hand-edited settings file gives one) has no
    // entry to reserve; the last entry, the usual transparent one, stands in for it.
    const int value = TagNumber(*mnuTransparencyOutputColor);
    return value < 0 || value > 255 ? 255 : value;
}

int frm::LargestSquareSize()
{
    // The size bar counts down from its Min: the largest square is that end.
    return vsbSize->Min();
}

int frm::SquareSize()
{
    return vsbSize->Value();
}

int frm::GetScalingOption()
{
    return FirstChecked(mnuScalingOption);
}

int frm::GetVerticalAlignmentOption()
{
    return FirstChecked(mnuVerticalAlignmentOption);
}

int frm::GetHorizontalAlignmentOption()
{
    return FirstChecked(mnuHorizontalAlignmentOption);
}

int frm::GetColorMatchingOption()
{
    return FirstChecked(mnuColorMatchingOption);
}

bool frm::ConvertPaletteChecked()
{
    return mnuPaletteConvertPalette->Checked();
}

bool frm::TransparentEdgesChecked()
{
    return mnuTransparencyLeftRightCols->Checked();
}

int frm::BrightnessValue(int channel)
{
    return At(std::span<ArrowScrollBar *>(vsbBright), channel)->Value();
}

void frm::RunConvertPaletteCommand()
{
    // The engine converts the picture itself right after this; the command's own preview would
    // convert it a second time.
    const PreviewPause pause(SuspendPreview);
    mnuPaletteConvertPalette_Click();
}

void frm::ShowPreview(const PreviewPicture &picture)
{
    // Built before the box is touched, so a broken picture leaves the previous one on show.
    const QImage shown = PictureFromBMPData(picture.fileBytes, picture.paletteTable);
    img->hide();
    img->SetStretch(false);
    if (picture.box.stretch) {
        img->SetWidthTwips(picture.box.boxTwips);
        img->SetHeightTwips(picture.box.boxTwips);
        img->SetStretch(true);
    }
    img->SetPicture(shown);
    img->show();
    img->Redraw();
}

} // namespace qv
