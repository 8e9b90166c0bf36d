// Showing the session's state: each part of the window shown again when the session says it
// changed. Nothing here raises a command: the controls are set with their signals blocked.
#include "common/color_key.h"
#include "common/option_table.h"
#include "common/qt/path_caption.h"
#include "engine/qt/picture_from_bmp_data.h"
#include "platform/qt/mouse_pointer.h"
#include "window/frm.h"

#include <span>

#include <QCoreApplication>
#include <QSignalBlocker>

namespace qv {
namespace {

void CheckOnly(const MenuArray &items, int index)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i]->SetChecked(static_cast<int>(i) == index);
    }
}

// A bar set to the session's bounds and value without raising Change.
void ShowBar(ArrowScrollBar &bar, const ScrollValue &value)
{
    const QSignalBlocker quiet(&bar);
    bar.SetMin(value.Min());
    bar.SetMax(value.Max());
    bar.SetValue(value.Value());
}

} // namespace

void frm::Form_Load(const std::string &settingsPath, const std::string &settingsFolder)
{
    CreatePaletteGrid();
    TakeDesign();
    session_.Form_Load(settingsPath, settingsFolder);
    setWindowTitle(QString::fromStdString(session_.Title()));
    RestoreSize();
    LayOut();
}

void frm::Changed(ChangeSet changes)
{
    const std::pair<Change, void (frm::*)()> parts[] = {
        {Change::Folder, &frm::ShowFolder},
        {Change::FileList, &frm::ShowFileList},
        {Change::Selection, &frm::ShowSelection},
        {Change::Options, &frm::ShowOptions},
        {Change::Enabled, &frm::ShowEnabled},
        {Change::Skips, &frm::ShowSkips},
        {Change::PaletteColors, &frm::ShowPaletteColors},
        {Change::Size, &frm::ShowSize},
        {Change::Brightness, &frm::ShowBrightness},
        {Change::Picture, &frm::ShowPicture},
        {Change::FrameTitle, &frm::ShowFrameTitle},
        {Change::Report, &frm::ShowReport},
        {Change::ShowChoice, &frm::ShowChoice},
        {Change::Hover, &frm::ShowReportLine},
    };
    for (const auto &[part, show] : parts) {
        if (changes.Has(part)) {
            (this->*show)();
        }
    }
}

void frm::FocusConvertButton()
{
    cmdOK->setFocus();
}

void frm::SetBusy(bool busy)
{
    if (busy) {
        MousePointer::SetBusy();
    } else {
        MousePointer::SetDefault();
    }
}

void frm::KeepPainting()
{
    // Repaints only: the window takes no input while its batch runs.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frm::CloseWindow()
{
    close();
}

void frm::ShowFolder()
{
    SetPathCaption(*lblFolder, session_.Files().Path());
    mnuFileOpenFolder->SetTag(session_.FolderTag());
}

void frm::ShowFileList()
{
    std::vector<std::string> names;
    for (int i = 0; i < session_.Files().ListCount(); ++i) {
        names.push_back(session_.Files().List(i));
    }
    const QSignalBlocker quiet(File);
    File->SetEntries(session_.Files().Path(), names);
}

void frm::ShowSelection()
{
    const FileList &files = session_.Files();
    const QSignalBlocker quiet(File);
    File->SetCurrentRow(files.ListIndex());
    for (int i = 0; i < files.ListCount() && i < File->ListCount(); ++i) {
        File->item(i)->setSelected(files.Selected(i));
    }
}

void frm::ShowOptions()
{
    const Session &s = session_;
    CheckOnly(mnuScalingOption, s.GetScalingOption());
    CheckOnly(mnuVerticalAlignmentOption, s.GetVerticalAlignmentOption());
    CheckOnly(mnuHorizontalAlignmentOption, s.GetHorizontalAlignmentOption());
    CheckOnly(mnuColorMatchingOption, s.GetColorMatchingOption());
    CheckOnly(mnuQualityDistance, s.GetColorDistanceOption());
    CheckOnly(mnuQualityDithering, s.GetDitheringOption());
    mnuQualityKeepExact->SetChecked(s.KeepExactColorsChecked());
    mnuQualityDitherStrength->SetTag(std::to_string(s.GetDitherStrength()));
    mnuQualityDitherStrength->SetCaption(s.DitherStrengthCaption());
    CheckOnly(mnuOutputFormat, s.GetOutputFormatOption());
    CheckOnly(mnuOutputOffsets, s.GetOffsetsOption());
    mnuOutputOffsets.back()->SetCaption(s.CustomOffsetsCaption());
    CheckOnly(mnuPaletteOption, s.GetPaletteNumber());
    MenuItem &external = *mnuPaletteOption.back();
    external.SetTag(s.ExternalPalettePath());
    external.SetCaption(s.ExternalPaletteCaption());
    external.SetDetail(s.ExternalPaletteDetail());

    mnuPaletteConvertPalette->SetChecked(s.ConvertPaletteChecked());
    mnuTransparencyApply->SetChecked(s.ApplyTransparencyChecked());
    mnuTransparencyLeftRightCols->SetChecked(s.TransparentEdgesChecked());
    mnuTransparencyUseAlpha->SetChecked(s.UseAlphaChecked());

    const std::string input = std::to_string(s.GetInputTransparencyColor());
    mnuTransparencyInputColor->SetTag(input);
    mnuTransparencyInputColor->SetCaption(s.InputTransparentColorCaption());
    const std::string output = std::to_string(s.OutputTransparencyColorAsSet());
    mnuTransparencyOutputColor->SetTag(output);
    mnuTransparencyOutputColor->SetCaption(s.OutputTransparentColorCaption());
    const std::string threshold = std::to_string(s.GetAlphaThreshold());
    mnuTransparencyAlphaThreshold->SetTag(threshold);
    mnuTransparencyAlphaThreshold->SetCaption(s.AlphaThresholdCaption());
    const std::optional<Rgb> key = s.GetInputTransparentRgb();
    mnuTransparencyInputRGB->SetTag(key ? ColorKeyText(key) : std::string());
    ShowViewMenu();
}

void frm::ShowViewMenu()
{
    const Session &s = session_;
    CheckOnly(mnuViewPicture, static_cast<int>(s.ShownView()));
    mnuViewColorMap->SetCaption(s.ColorMapCaption());
    mnuViewLightLevel->SetCaption(s.LightLevelCaption());
    mnuViewLightLevel->SetEnabled(s.HasColorMap());
    mnuViewNoColorMap->SetEnabled(s.HasColorMap());
    CheckOnly(mnuViewZoom, static_cast<int>(s.GetZoom()));
}

void frm::ShowEnabled()
{
    const bool enabled = session_.ConversionControlsEnabled();
    mnuTransparencyLeftRightCols->SetEnabled(enabled);
    for (MenuItem *item : mnuPaletteOption) {
        item->SetEnabled(enabled);
    }
    fraBrightness->setEnabled(enabled);
    cmdSetAllBright->setEnabled(enabled);
    for (std::size_t i = 0; i < lblBright.size(); ++i) {
        lblBright[i]->setEnabled(enabled);
        vsbBright[i]->setEnabled(enabled);
    }
}

void frm::ShowSkips()
{
    for (const auto &[index, box] : chkPal) {
        const QSignalBlocker quiet(box);
        box->SetValue(session_.SkipValue(index));
    }
}

void frm::ShowPaletteColors()
{
    const std::array<std::uint32_t, 256> &colors = session_.Palette().PaletteColors();
    for (const auto &[index, box] : chkPal) {
        box->SetColor(colors[static_cast<std::size_t>(index)]);
    }
}

void frm::ShowSize()
{
    ShowBar(*vsbSize, session_.SizeBar());
    lblSize->SetCaption(std::to_string(session_.SizeBar().Value()));
}

void frm::ShowBrightness()
{
    for (int i = 0; i < 3; ++i) {
        const ScrollValue &value = session_.BrightnessBar(i);
        ShowBar(*vsbBright[static_cast<std::size_t>(i)], value);
        lblBright[static_cast<std::size_t>(i)]->SetCaption(std::to_string(value.Value()));
    }
}

void frm::ShowPicture()
{
    const ShownPicture &picture = session_.Picture();
    const PictureZoom zoom = session_.GetZoom();
    img->SetZoom(zoom == PictureZoom::Fit ? 0 : ZoomFactor(zoom));
    switch (picture.kind) {
    case ShownPicture::Kind::None:
        img->ClearPicture();
        return;
    case ShownPicture::Kind::Original:
        img->SetStretch(false);
        img->SetPicture(ToQImage(picture.image));
        return;
    case ShownPicture::Kind::Preview:
        img->hide();
        img->SetStretch(false);
        if (picture.box.stretch && img->Zoom() == 0) {
            img->SetWidthTwips(picture.box.boxTwips);
            img->SetHeightTwips(picture.box.boxTwips);
            img->SetStretch(true);
        }
        img->SetPicture(ToQImage(picture.image));
        img->show();
        img->Redraw();
        return;
    }
}

void frm::ShowFrameTitle()
{
    fraImage->setTitle(QString::fromStdString(session_.FrameTitle()));
}

void frm::ShowReport()
{
    ShowReportLine();
    for (const auto &[index, box] : chkPal) {
        box->setToolTip(QString::fromStdString(session_.EntryTip(index)));
        box->SetUsedMark(session_.EntryUsed(index));
    }
}

void frm::ShowReportLine()
{
    lblReport->SetCaption(session_.ReportText());
}

void frm::ShowChoice()
{
    QRadioButton *chosen = optShow.at(static_cast<std::size_t>(session_.ShowChoice()));
    const QSignalBlocker quiet(chosen);
    chosen->setChecked(true);
    ShowViewMenu();
}

} // namespace qv
