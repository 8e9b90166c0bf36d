// Showing the session's state: each part of the window shown again when the session says it
// changed. Nothing here raises a command: the controls are set quietly, and the system's
// controls raise nothing when the program sets them.
#include "common/color_key.h"
#include "common/win32/path_caption.h"
#include "platform/win32/wide_text.h"
#include "window-win32/dib_picture.h"
#include "window-win32/frm.h"

namespace qv::win32 {
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
    bar.SetRange(value.Min(), value.Max(), value.Value(), true);
}

} // namespace

void frm::Form_Load(const std::string &settingsPath, const std::string &settingsFolder)
{
    CreatePaletteGrid();
    session_.Form_Load(settingsPath, settingsFolder);
    RestoreSize();
    SetWindowTextW(window_, Wide(session_.Title()).c_str());
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
        {Change::ViewSettings, &frm::ShowViewSettings},
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
    SetFocus(cmdOK);
}

void frm::SetBusy(bool busy)
{
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void frm::KeepPainting()
{
    // Repaints only: the window takes no input while its batch runs. Bounded, so that a window
    // that keeps asking to be painted cannot hold the batch up.
    MSG message;
    for (int i = 0; i < 1000 && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
         ++i) {
        DispatchMessageW(&message);
    }
}

void frm::CloseWindow()
{
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void frm::ShowFolder()
{
    SetPathCaption(*lblFolder, *tips, session_.Files().Path());
    mnuFileOpenFolder->SetTag(session_.FolderTag());
}

void frm::ShowFileList()
{
    std::vector<std::string> names;
    for (int i = 0; i < session_.Files().ListCount(); ++i) {
        names.push_back(session_.Files().List(i));
    }
    File->SetEntries(names);
}

void frm::ShowSelection()
{
    const FileList &files = session_.Files();
    std::vector<bool> selected;
    for (int i = 0; i < files.ListCount(); ++i) {
        selected.push_back(files.Selected(i));
    }
    File->SetSelection(selected, files.ListIndex());
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
    CheckOnly(mnuViewZoom, static_cast<int>(s.GetZoom()));
    mnuViewColorMap->SetCaption(s.ColorMapCaption());
    mnuViewLightLevel->SetCaption(s.LightLevelCaption());
    mnuViewLightLevel->SetEnabled(s.HasColorMap());
    mnuViewNoColorMap->SetEnabled(s.HasColorMap());
}

void frm::ShowEnabled()
{
    const BOOL enabled = session_.ConversionControlsEnabled() ? TRUE : FALSE;
    mnuTransparencyLeftRightCols->SetEnabled(enabled != FALSE);
    for (MenuItem *item : mnuPaletteOption) {
        item->SetEnabled(enabled != FALSE);
    }
    // The frame's controls are its siblings here: each follows it.
    for (HWND control : {fraBrightness, cmdSetAllBright}) {
        EnableWindow(control, enabled);
    }
    for (std::size_t i = 0; i < lblBright.size(); ++i) {
        EnableWindow(lblBright[i]->Handle(), enabled);
        EnableWindow(vsbBright[i]->Handle(), enabled);
    }
    for (int member : {4, 5, 6}) {
        EnableWindow(lbl.at(member)->Handle(), enabled);
    }
}

void frm::ShowSkips()
{
    for (std::size_t index = 0; index < chkPal.size(); ++index) {
        if (chkPal[index] != nullptr) {
            chkPal[index]->SetValue(session_.SkipValue(static_cast<int>(index)), true);
        }
    }
}

void frm::ShowPaletteColors()
{
    const std::array<std::uint32_t, 256> &colors = session_.Palette().PaletteColors();
    for (std::size_t index = 0; index < chkPal.size(); ++index) {
        if (chkPal[index] != nullptr) {
            chkPal[index]->SetColor(colors[index]);
        }
    }
}

void frm::ShowSize()
{
    ShowBar(*vsbSize, session_.SizeBar());
    lblSize->SetCaption(std::to_string(session_.SizeBar().Value()));
}

void frm::ShowBrightness()
{
    for (std::size_t i = 0; i < 3; ++i) {
        const ScrollValue &value = session_.BrightnessBar(static_cast<int>(i));
        ShowBar(*vsbBright[i], value);
        lblBright[i]->SetCaption(std::to_string(value.Value()));
    }
}

void frm::ShowZoom()
{
    const PictureZoom zoom = session_.GetZoom();
    img->SetZoom(zoom == PictureZoom::Fit ? 0 : ZoomFactor(zoom));
}

void frm::ShowViewSettings()
{
    ShowZoom();
    ShowViewMenu();
}

void frm::ShowPicture()
{
    const ShownPicture &picture = session_.Picture();
    ShowZoom();
    switch (picture.kind) {
    case ShownPicture::Kind::None:
        img->ClearPicture();
        break;
    case ShownPicture::Kind::Original:
        img->SetStretch(false);
        img->SetPicture(DibPictureOf(picture.image));
        break;
    case ShownPicture::Kind::Preview:
        img->SetStretch(picture.box.stretch);
        img->SetSizeTwips(picture.box.boxTwips, picture.box.boxTwips);
        img->SetPicture(DibPictureOf(picture.image));
        break;
    }
    UpdateWindow(img->Handle());
}

void frm::ShowFrameTitle()
{
    SetWindowTextW(fraImage, Wide(session_.FrameTitle()).c_str());
}

void frm::ShowReport()
{
    ShowReportLine();
    for (std::size_t index = 0; index < chkPal.size(); ++index) {
        if (chkPal[index] != nullptr) {
            const int entry = static_cast<int>(index);
            tips->Set(chkPal[index]->Handle(), session_.EntryTip(entry));
            chkPal[index]->SetUsed(session_.EntryUsed(entry));
        }
    }
}

void frm::ShowReportLine()
{
    lblReport->SetCaption(session_.ReportText());
}

void frm::ShowChoice()
{
    for (std::size_t i = 0; i < optShow.size(); ++i) {
        const bool chosen = static_cast<int>(i) == session_.ShowChoice();
        SendMessageW(optShow[i], BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ShowViewMenu();
}

} // namespace qv::win32
