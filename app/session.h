#pragma once

#include "app/file_list.h"
#include "app/session_view.h"
#include "common/cls_ini.h"
#include "common/conversion_options.h"
#include "common/scroll_value.h"
#include "common/view_options.h"
#include "engine/batch_run.h"
#include "engine/conversion_result.h"
#include "engine/conversion_sink.h"
#include "engine/display_image.h"
#include "engine/loaded_image.h"
#include "engine/preview_picture.h"
#include "palette/light_tables.h"
#include "palette/mapped_pixels.h"
#include "palette/palette_store.h"
#include "platform/app_info.h"
#include "platform/dialog_service.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// What the picture frame shows.
struct ShownPicture {
    enum class Kind {
        None,
        Original, // the picture as it is on disk, one screen pixel per picture pixel
        Preview, // the picture as the conversion would make it, shown as box says
    };
    Kind kind = Kind::None;
    DisplayImage image;
    PreviewBox box;
};

// What the hover readout reads beside the picture shown: the conversion's own pixels (at the
// original's positions, from x 0) and the preview's indices from previewLeft on.
struct ShownParts {
    std::shared_ptr<const MappedPixels> mapped;
    std::optional<DisplayImage> preview;
    std::int32_t previewLeft = 0;
};

// The program's window without a toolkit: every option value, the picture folder and its file
// list, the size range, the backup folder, the settings store and the SuspendPreview guard, and
// every command of the window under the name of the control and event it answers
// (cmdOK_Click, vsbSize_Change, mnuScalingOption_Click, ...). A command stores its settings key
// at once, shows its messages through the dialog service and tells the view which parts of the
// state changed. A view (Qt on Linux, Win32 on Windows) shows that state and hands the user's
// actions to the commands; it keeps no option of its own.
//
// The controls' own events are kept: setting a value that differs from the one held raises the
// control's change command (chkPal_Change, vsbSize_Change, vsbBright_Change), and selecting an
// entry of the file list raises File_Click, wherever the change comes from.
class Session : public ConversionSink
{
public:
    Session(DialogService &dialogs, SessionView &view);

    // --- Start-up (session_load.cpp). settingsPath: the settings file; settingsFolder: its folder
    // (the program's own or the user's configuration folder), shown when no stored folder exists.
    void Form_Load(const std::string &settingsPath, const std::string &settingsFolder);
    clsINI &Settings() { return *ini_; }
    const std::string &SettingsFolder() const { return settingsFolder_; }
    // The window's title, set by start-up.
    const std::string &Title() const { return title_; }

    // --- The options as the session holds them (session_options.cpp).
    // The chosen item of each option menu.
    int GetPaletteNumber() const { return paletteNumber_; }
    int GetScalingOption() const { return static_cast<int>(options_.scaling); }
    int GetVerticalAlignmentOption() const { return static_cast<int>(options_.verticalAlignment); }
    int GetHorizontalAlignmentOption() const
    {
        return static_cast<int>(options_.horizontalAlignment);
    }
    int GetColorMatchingOption() const { return static_cast<int>(options_.colorMatching); }
    int GetColorDistanceOption() const { return static_cast<int>(options_.distance); }
    int GetDitheringOption() const { return static_cast<int>(options_.dithering); }
    int GetOutputFormatOption() const { return static_cast<int>(options_.outputFormat); }
    int GetOffsetsOption() const { return static_cast<int>(options_.offsets); }
    // The captions of the menu items that show the value they hold, as both views write them; a
    // file name's "&" is doubled so that it shows and underlines nothing.
    std::string CustomOffsetsCaption() const; // "C&ustom Offsets (4,-2)…"
    std::string DitherStrengthCaption() const; // "Dither Stren&gth: 100 %"
    std::string ExternalPaletteCaption() const; // "&Use External" or "&Use External: doom.wad"
    std::string InputTransparentColorCaption() const; // "&Input Transparent Color: 255"
    std::string OutputTransparentColorCaption() const; // "&Output Transparent Color: 255"
    std::string AlphaThresholdCaption() const; // "Alpha &Threshold: 128"
    std::string ColorMapCaption() const; // "Color &Map: None…" or "Color &Map: freedoom2.wad…"
    std::string LightLevelCaption() const; // "&Light Level: 12"
    // The numbers held for the two colours; an output colour outside 0..255 answers 255.
    int GetInputTransparencyColor() const { return inputColor_; }
    int GetOutputTransparencyColor() const { return OutputTransparentIndexOf(outputColor_); }
    // The output colour as it was set, shown in its caption even when outside 0..255.
    int OutputTransparencyColorAsSet() const { return outputColor_; }
    int GetAlphaThreshold() const { return options_.alphaThreshold; }
    int GetDitherStrength() const { return options_.ditherStrength; }
    bool KeepExactColorsChecked() const { return options_.keepExactColors; }
    std::optional<Rgb> GetInputTransparentRgb() const { return options_.inputTransparentRgb; }
    bool ConvertPaletteChecked() const { return options_.convertPalette; }
    bool ApplyTransparencyChecked() const { return options_.applyTransparency; }
    bool TransparentEdgesChecked() const { return options_.transparentEdges; }
    bool UseAlphaChecked() const { return options_.useAlpha; }
    // The controls that only shape a conversion (the palette items, the brightness controls, the
    // edge-column item) are enabled: they follow Convert Palette from its first click on.
    bool ConversionControlsEnabled() const { return conversionControlsEnabled_; }
    // The external palette file of the last palette item; empty while none was chosen.
    const std::string &ExternalPalettePath() const { return externalPalette_; }
    // What the external palette file is, for its palette item beside the file's name ("GIMP
    // palette, 16 colours"), as found when the file was chosen or restored; empty while none
    // was chosen.
    const std::string &ExternalPaletteDetail() const { return externalPaletteDetail_; }
    // The chosen palette: the external file when its item is chosen and has a path, otherwise
    // the built-in palette of the chosen item.
    PaletteChoice CurrentPaletteChoice() const;
    // Every option of a conversion, as held now.
    ConversionOptions CurrentOptions() const;
    // The value of skip box index (0: the matcher may use the entry; any other value is kept).
    std::int32_t SkipValue(int index) const;
    // Sets skip box index; a value that differs raises chkPal_Change(index).
    void SetSkipValue(int index, std::int32_t value);

    const ScrollValue &SizeBar() const { return size_; }
    // Sets the size bar; a value that differs raises vsbSize_Change.
    void SetSizeValue(int value);
    // Sets the size bar's Max, the smallest permitted size; a value pulled into the new span
    // raises vsbSize_Change.
    void SetSizeMax(int max);
    const ScrollValue &BrightnessBar(int index) const;
    // Sets brightness bar index; a value that differs raises vsbBright_Change(index).
    void SetBrightnessValue(int index, int value);

    // --- Palette menu (session_palette.cpp).
    void mnuPaletteOption_Click(int index);
    // Records an external palette path in the last palette item; a missing file clears path.
    void SetExternalPalette(std::string &path);
    void mnuPaletteConvertPalette_Click();
    PaletteStore &Palette() { return palette_; }

    // --- Transparency menu and the picture click (session_transparency.cpp).
    void SetInputTransparencyColor(int value);
    void SetOutputTransparencyColor(int value);
    void mnuTransparencyApply_Click();
    void mnuTransparencyInputColor_Click();
    void mnuTransparencyOutputColor_Click();
    void mnuTransparencyLeftRightCols_Click();
    void mnuTransparencyScanForInputColor_Click();
    // x and y in twips from the picture's top-left corner.
    void img_MouseDown(int button, int shift, double x, double y);

    // --- Alpha and the colour key (session_color_key.cpp).
    void mnuTransparencyUseAlpha_Click();
    void mnuTransparencyAlphaThreshold_Click();
    void mnuTransparencyInputRGB_Click();
    void SetAlphaThreshold(int value);
    void SetInputTransparentRgb(const std::optional<Rgb> &key);

    // --- Option controls and option menus (session_options.cpp).
    void chkPal_Change(int index);
    void cmdResetSkips_Click();
    void vsbBright_Change(int index);
    void lblBright_Click(int index);
    void cmdSetAllBright_Click();
    void vsbSize_Change();
    void lblSize_Click();
    void mnuScalingOption_Click(int index);
    void mnuVerticalAlignmentOption_Click(int index);
    void mnuHorizontalAlignmentOption_Click(int index);
    void mnuColorMatchingOption_Click(int index);
    void mnuOutputFormat_Click(int index);
    // None, Sprite and Centre are chosen as they are; Custom asks for "X,Y" first, and a
    // cancelled or unreadable answer changes nothing.
    void mnuOutputOffsets_Click(int index);
    void mnuQualityDistance_Click(int index);
    void mnuQualityDithering_Click(int index);

    // --- The dithering's strength and exact colours (session_dither.cpp).
    void mnuQualityDitherStrength_Click();
    void mnuQualityKeepExact_Click();
    void SetDitherStrength(int value);

    // --- Folder, file list and picture frame (session_files.cpp).
    void mnuFileOpenFolder_Click();
    void lblFolder_Click();
    void cmdRefreshFileList_Click();
    void File_Click();
    void optShow_MouseDown(int index);
    // The list's selection as the view now shows it (a flag per entry, the current entry),
    // taken without a click.
    void SetFileSelection(const std::vector<bool> &selected, int current);
    // The user clicked the list (a flag per entry, the current entry): the selection is taken,
    // then File_Click.
    void File_SelectionChanged(const std::vector<bool> &selected, int current);
    // Reads the folder again, keeping the selected entries and the current one by name, without
    // a preview.
    void RefreshKeepingSelection();
    // Shows folder as the picture folder and stores it as "Path"; nothing is selected yet.
    void OpenPictureFolder(const std::string &folder);
    // Selects entry i of the file list, as the program does, which raises File_Click.
    void SelectFile(int i);
    const FileList &Files() const { return files_; }
    // The folder the folder browser opens at: the one chosen last.
    const std::string &FolderTag() const { return folderTag_; }
    // 0 Original, 1 Preview. Choosing only marks it; optShow_MouseDown also shows the picture.
    int ShowChoice() const { return showChoice_; }
    void SetShowChoice(int index);
    const ShownPicture &Picture() const { return picture_; }
    const std::string &FrameTitle() const { return frameTitle_; }
    // The line under the frame: the report of the picture last previewed, or while the mouse is
    // over the picture, what lies under it.
    const std::string &ReportText() const { return hover_.empty() ? report_ : hover_; }

    // --- What the views show and how, as stored values (session_view_settings.cpp). Each setter
    // stores its key at once (only then: a first start writes none of them) and tells the view.
    PictureView GetPictureView() const { return pictureView_; }
    void SetPictureView(PictureView view);
    PictureZoom GetZoom() const { return zoom_; }
    void SetZoom(PictureZoom zoom);
    // A table of the colour map; checked against the colour map's count where it is drawn.
    int GetLightLevel() const { return lightLevel_; }
    void SetLightLevel(int level);
    // The colour map file of the light view; empty for none.
    const std::string &ColorMapPath() const { return colorMapPath_; }
    void SetColorMapPath(const std::string &path);
    // The window's size in pixels; 0 stands for the design's size.
    int GetWindowWidth() const { return windowWidth_; }
    int GetWindowHeight() const { return windowHeight_; }
    void SetWindowSize(int width, int height);
    // The window closes with a client area of width x height pixels; the design's size is
    // design. Stores the size, 0 x 0 for the design's, when it differs from the one held.
    void Form_Unload(int width, int height, int designWidth, int designHeight);

    // --- The View menu (session_picture_view.cpp). The frame shows the original, or the preview
    // alone, beside the original (Side by Side) or as each pixel's CIEDE2000 difference from its
    // entry (Difference, on the scale the report line then gives). The kind of preview is kept
    // in the settings; Original and Preview are the two option buttons' choices, and the window
    // still starts on the original. With a colour map the preview is drawn as the game lights
    // it: each index p as the map's table at the light level holds it.
    void mnuViewPicture_Click(int index);
    void mnuViewColorMap_Click();
    void mnuViewNoColorMap_Click();
    void mnuViewLightLevel_Click();
    // The View menu's checked item: Original while the original is shown.
    PictureView ShownView() const;
    bool HasColorMap() const { return lightTables_.has_value(); }
    // The tooltip of palette entry index: "Entry 12", and while a preview's report is shown
    // ": 340 pixels of the preview". It changes with the report line.
    std::string EntryTip(int index) const;

    // --- Zoom, and the pixel under the mouse (session_zoom.cpp). At Fit the frame shows the
    // picture as it always has; at 1x to 8x each picture pixel is that many screen pixels square
    // and the picture click picks the pixel under the mouse.
    void mnuViewZoom_Click(int index);
    // The mouse wheel with Ctrl: steps through the zoom's choices, towards 8x for steps above 0.
    void ZoomStep(int steps);
    // The mouse at x, y twips from the picture box's top-left corner: the line under the frame
    // tells the pixel's colour, its entry and their CIEDE2000 difference, as far as the picture
    // shown holds them. Leaving the box brings the report back.
    void img_MouseMove(double x, double y);
    void img_MouseLeave();
    // Whether the preview's report counts pixels of entry index (the colour grid marks those).
    bool EntryUsed(int index) const;

    // --- Dropping folders and files onto the window (session_drop.cpp).
    void DropPaths(const std::vector<std::string> &paths);

    // --- File menu (session_restore.cpp).
    void mnuFileRestore_Click();
    void mnuFileExit_Click();

    // --- Preview (session_preview.cpp).
    void RefreshPreview();

    // --- Convert and Find Minimum (session_batch.cpp).
    void cmdOK_Click();
    void cmdAnalyze_Click();
    // How many threads a batch converts on; below 1, one per core.
    void SetBatchWorkers(int workers) { batchWorkers_ = workers; }
    // Folder that receives the backup copy of each input; set by Convert.
    const std::string &BackupFolder() const { return backupFolder_; }

    // Runs a command the view received. A failure that escapes it is reported under the
    // command's name and the session goes on; the command's own failure paths come first.
    void Handle(const char *name, const std::function<void()> &command);

    // --- What a conversion hands back (session_options.cpp).
    DialogService &Dialogs() override { return dialogs_; }
    void ShowPreview(const PreviewPicture &picture) override;
    // Runs the Convert Palette command without its own preview refresh: the conversion converts
    // the picture itself right after this.
    ConversionOptions SwitchConvertPaletteOn() override;
    // The previewed picture's report goes into the line under the picture frame; Convert's
    // pictures leave it alone.
    bool WantsMappingReport() const override { return previewing_; }
    bool WantsMappedPixels() const override
    {
        return previewing_
            && (pictureView_ == PictureView::Difference || pictureView_ == PictureView::SideBySide);
    }
    void MappingReported(const MappingReport &report) override;

    // While true, preview refreshes do nothing: set around multi-step changes.
    bool SuspendPreview = false;
    // The picture the file display loaded last (the picture click reads it).
    LoadedImage CurrentPicture;

private:
    // How a batch ended: the files it went through, and whether Cancel stopped it early.
    struct BatchOutcome {
        std::size_t done = 0;
        bool stopped = false;
    };
    BatchOutcome ConvertItems(const std::vector<BatchItem> &items);
    // Makes index the one chosen item of a choice option and stores it.
    template <typename Option> void ChooseOption(const Option &option, int index);
    void ClearPicture();
    // Shows picture in the frame; parts are what its pixels are made of.
    void ShowPicture(ShownPicture picture, ShownParts parts = {});
    // The picture pixel under x, y twips from the picture box's corner, at the zoom shown.
    std::optional<std::array<std::int32_t, 2>> ShownPixelAt(double x, double y) const;
    std::string HoverText(std::int32_t column, std::int32_t row) const;
    // Reads the light tables of a colour map file; a failure leaves the ones held.
    void LoadColorMap(const std::string &path);
    // The preview's indices at the light level, when a colour map is held.
    DisplayImage LitPreview(DisplayImage image) const;
    // The preview's entry count on the report line, and the difference picture.
    void ShowPreviewView(const ConversionResult &result);
    // Start-up's part for the values above: read, not stored back.
    void ReadViewSettings();
    void Tell(ChangeSet changes) { view_.Changed(changes); }

    DialogService &dialogs_;
    SessionView &view_;
    PaletteStore palette_;
    std::unique_ptr<clsINI> ini_;
    std::string settingsFolder_;
    std::string title_;

    // The option values. options_.palette, skip, squareSize, largestSquareSize, brightness,
    // inputTransparentColor and outputTransparentColor are not kept there but made from the
    // values below by CurrentOptions.
    ConversionOptions options_;
    int paletteNumber_ = 0;
    std::string externalPalette_;
    std::string externalPaletteDetail_;
    int inputColor_ = 0;
    int outputColor_ = 0;
    std::array<std::int32_t, 256> skips_ {};
    ScrollValue size_ {512, 32, 64};
    std::array<ScrollValue, 3> brightness_ {
        ScrollValue {200, 0, 100}, ScrollValue {200, 0, 100}, ScrollValue {200, 0, 100}};
    bool conversionControlsEnabled_ = true;

    FileList files_ {kPicturePattern};
    std::string folderTag_;
    int showChoice_ = 0;
    ShownPicture picture_;
    ShownParts pictureParts_;
    std::string hover_;
    std::string frameTitle_ = "No Image";
    std::string report_;

    PictureView pictureView_ = PictureView::Original;
    PictureZoom zoom_ = PictureZoom::Fit;
    int lightLevel_ = 0;
    std::string colorMapPath_;
    std::optional<LightTables> lightTables_;
    std::optional<EntryCounts> previewEntries_; // of the preview the report line describes
    int windowWidth_ = 0;
    int windowHeight_ = 0;

    std::string backupFolder_;
    int batchWorkers_ = 0;
    bool previewing_ = false; // while RefreshPreview converts
};

} // namespace qv
