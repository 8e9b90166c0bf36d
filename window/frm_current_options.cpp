// The options as the window's controls hold them, and what a conversion hands back to the window.
// Every answer is read from the controls at the moment it is asked, so the controls stay the only
// home of each option.
#include "common/numbers.h"
#include "engine/qt/picture_from_bmp_data.h"
#include "platform/checked.h"
#include "platform/failure.h"
#include "window/frm.h"
#include "window/preview_pause.h"

#include <optional>

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

int frm::GetColorDistanceOption()
{
    return FirstChecked(mnuQualityDistance);
}

int frm::GetDitheringOption()
{
    return FirstChecked(mnuQualityDithering);
}

int frm::GetInputTransparencyColor()
{
    return TagNumber(*mnuTransparencyInputColor);
}

int frm::GetOutputTransparencyColor()
{
    return OutputTransparentIndexOf(TagNumber(*mnuTransparencyOutputColor));
}

PaletteChoice frm::CurrentPaletteChoice()
{
    const auto last = static_cast<int>(mnuPaletteOption.size()) - 1;
    const int chosen = GetPaletteNumber();
    const std::string externalPath = At(mnuPaletteOption, last)->Tag();
    if (!externalPath.empty() && chosen >= last) {
        return PaletteChoice::File(externalPath);
    }
    return PaletteChoice::BuiltIn(At(mnuPaletteOption, chosen)->Caption());
}

ConversionOptions frm::CurrentOptions()
{
    ConversionOptions options;
    options.palette = CurrentPaletteChoice();
    // The size bar counts down from its Min: the largest square is that end.
    options.largestSquareSize = vsbSize->Min();
    options.squareSize = vsbSize->Value();
    options.scaling = static_cast<Scaling>(GetScalingOption());
    options.verticalAlignment = static_cast<VerticalAlignment>(GetVerticalAlignmentOption());
    options.horizontalAlignment = static_cast<HorizontalAlignment>(GetHorizontalAlignmentOption());
    options.colorMatching = static_cast<ColorMatching>(GetColorMatchingOption());
    options.distance = static_cast<DistanceMeasure>(GetColorDistanceOption());
    options.dithering = static_cast<Dithering>(GetDitheringOption());
    for (std::size_t i = 0; i < options.brightness.size(); ++i) {
        options.brightness[i] = vsbBright[i]->Value();
    }
    options.convertPalette = mnuPaletteConvertPalette->Checked();
    options.applyTransparency = mnuTransparencyApply->Checked();
    options.inputTransparentColor = GetInputTransparencyColor();
    options.outputTransparentColor = static_cast<std::uint8_t>(GetOutputTransparencyColor());
    options.transparentEdges = mnuTransparencyLeftRightCols->Checked();
    options.outputFormat = static_cast<OutputFormat>(FirstChecked(mnuOutputFormat));
    options.useAlpha = mnuTransparencyUseAlpha->Checked();
    options.alphaThreshold = TagNumber(*mnuTransparencyAlphaThreshold);
    options.inputTransparentRgb = GetInputTransparentRgb();
    for (std::size_t j = 0; j < options.skip.size(); ++j) {
        options.skip[j] = chkPal[static_cast<int>(j)].Value() != 0;
    }
    return options;
}

ConversionOptions frm::SwitchConvertPaletteOn()
{
    {
        const PreviewPause pause(SuspendPreview);
        mnuPaletteConvertPalette_Click();
    }
    return CurrentOptions();
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

void frm::MappingReported(const MappingReport &report)
{
    lblReport->SetCaption(MappingReportText(report));
}

} // namespace qv
