#pragma once

#include "common/cls_ini.h"
#include "common/conversion_options.h"
#include "common/qt/color_checkbox.h"
#include "engine/batch_run.h"
#include "engine/conversion_sink.h"
#include "engine/loaded_image.h"
#include "palette/palette_store.h"
#include "platform/dialog_service.h"
#include "platform/qt/arrow_scroll_bar.h"
#include "platform/qt/control_array.h"
#include "platform/qt/file_list_box.h"
#include "platform/qt/image_box.h"
#include "platform/qt/label.h"
#include "platform/qt/menu_item.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace qv {

// The program's one window. Its option state lives in these controls and menu items, and the
// rest of the program reads it from there. The controls are named as in the window's design so
// a behaviour can be followed by name; Qt's parent ownership keeps them alive with the window.
class frm : public QMainWindow, public ConversionSink
{
    Q_OBJECT

public:
    explicit frm(DialogService &dialogs, QWidget *parent = nullptr);

    // File > Exit: closes the window, which ends the program. Nothing is saved here: every
    // setting is written when it changes.
    void mnuFileExit_Click();

    // --- The options as the controls hold them (frm_current_options.cpp). Every answer is read
    // from the controls at the moment it is asked; nothing is cached.
    // Index of the first checked item of each option menu, 0 when none is checked.
    int GetPaletteNumber();
    int GetScalingOption();
    int GetVerticalAlignmentOption();
    int GetHorizontalAlignmentOption();
    int GetColorMatchingOption();
    int GetColorDistanceOption();
    int GetDitheringOption();
    // The numbers in the colour items' tags; an output colour outside 0..255 answers 255.
    int GetInputTransparencyColor();
    int GetOutputTransparencyColor();
    // The chosen palette: the external file when its item is chosen and has a path, otherwise the
    // built-in palette named by the chosen item's caption.
    PaletteChoice CurrentPaletteChoice();
    // Every option of a conversion, read from the controls now.
    ConversionOptions CurrentOptions();

    // --- What a conversion hands back (frm_current_options.cpp).
    DialogService &Dialogs() override { return dialogs_; }
    void ShowPreview(const PreviewPicture &picture) override;
    // Runs the Convert Palette menu command without its own preview refresh: the conversion
    // converts the picture itself right after this.
    ConversionOptions SwitchConvertPaletteOn() override;
    // The previewed picture's report goes into the line under the picture frame; Convert's
    // pictures leave it alone.
    bool WantsMappingReport() const override { return previewing_; }
    void MappingReported(const MappingReport &report) override;

    PaletteStore &Palette() { return palette_; }
    // Folder that receives the backup copy of each input; set by Convert.
    const std::string &BackupFolder() const { return backupFolder_; }

    // --- Palette menu (frm_palette.cpp).
    void mnuPaletteOption_Click(int index);
    // Records an external palette path in the last palette item; a missing file clears path.
    void SetExternalPalette(std::string &path);
    void ShowPaletteColors();
    void mnuPaletteConvertPalette_Click();

    // --- Transparency menu and the picture click (frm_transparency.cpp).
    void SetInputTransparencyColor(int value);
    void SetOutputTransparencyColor(int value);
    void mnuTransparencyApply_Click();
    void mnuTransparencyInputColor_Click();
    void mnuTransparencyOutputColor_Click();
    void mnuTransparencyLeftRightCols_Click();
    void mnuTransparencyScanForInputColor_Click();
    // x and y in twips.
    void img_MouseDown(int button, int shift, double x, double y);

    // --- Alpha and the colour key (frm_color_key.cpp).
    void mnuTransparencyUseAlpha_Click();
    void mnuTransparencyAlphaThreshold_Click();
    void mnuTransparencyInputRGB_Click();
    void SetAlphaThreshold(int value);
    // The colour key in the menu item's tag ("255,0,255", empty for none).
    void SetInputTransparentRgb(const std::optional<Rgb> &key);
    std::optional<Rgb> GetInputTransparentRgb();

    // --- Preview (frm_preview.cpp).
    void RefreshPreview();

    // --- Start-up (frm_load.cpp). settingsPath: the settings file; settingsFolder: its folder (the
    // program's own or the user's configuration folder), shown when no stored folder exists.
    void Form_Load(const std::string &settingsPath, const std::string &settingsFolder);
    clsINI &Settings() { return *ini_; }

    // --- Dropping folders and files onto the window (frm_drop.cpp).
    void DropPaths(const std::vector<std::string> &paths);

    // --- File > Restore Originals (frm_restore.cpp).
    void mnuFileRestore_Click();

    // --- Folder and file list (frm_files.cpp).
    void mnuFileOpenFolder_Click();
    void lblFolder_Click();
    void cmdRefreshFileList_Click();
    void File_Click();
    void optShow_MouseDown(int index);
    // Reads the folder again, keeping the selected entries and the current one by name, without
    // a preview (frm_files.cpp).
    void RefreshKeepingSelection();
    // Shows folder as the picture folder and stores it as "Path"; nothing is selected yet.
    void OpenPictureFolder(const std::string &folder);

    // --- Option controls and option menus (frm_options.cpp).
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
    void mnuQualityDistance_Click(int index);
    void mnuQualityDithering_Click(int index);

    // --- Convert and Find Minimum (frm_batch.cpp).
    void cmdOK_Click();
    void cmdAnalyze_Click();
    // How many threads a batch converts on; below 1, one per core.
    void SetBatchWorkers(int workers) { batchWorkers_ = workers; }

    // While true, preview refreshes do nothing: set around multi-step changes.
    bool SuspendPreview = false;
    // The picture the file display loaded last (the picture click reads it).
    LoadedImage CurrentPicture;

    // Runs a handler reached from a signal. A failure that escapes it is reported under the
    // handler's name and the window goes on; the handler's own failure paths come first.
    void Handle(const char *name, const std::function<void()> &handler);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

    // The controls, named as in the window's design, in tab order, then the menus. Protected so
    // that the tests' window can publish the ones its tests check; nothing else outside frm
    // reaches them.
    QPushButton *cmdOK = nullptr;
    QGroupBox *fraImage = nullptr;
    std::array<QRadioButton *, 2> optShow {};
    ImageBox *img = nullptr;
    FileListBox *File = nullptr;
    // Members 0, 1, 4, 5, 6 and 7 only.
    std::map<int, Label *> lbl;
    ArrowScrollBar *vsbSize = nullptr;
    Label *lblSize = nullptr;
    QPushButton *cmdAnalyze = nullptr;
    QGroupBox *fraBrightness = nullptr;
    std::array<ArrowScrollBar *, 3> vsbBright {};
    std::array<Label *, 3> lblBright {};
    QPushButton *cmdResetSkips = nullptr;
    QPushButton *cmdSetAllBright = nullptr;
    Label *lblFolder = nullptr;
    ControlArray<ColorCheckbox> chkPal;
    QPushButton *cmdRefreshFileList = nullptr;
    // The mapping report of the picture last previewed.
    Label *lblReport = nullptr;

    // Menus.
    MenuItem *mnuFileOpenFolder = nullptr;
    MenuItem *mnuFileRestore = nullptr;
    MenuItem *mnuFileExit = nullptr;
    MenuArray mnuScalingOption;
    MenuArray mnuVerticalAlignmentOption;
    MenuArray mnuHorizontalAlignmentOption;
    MenuArray mnuColorMatchingOption;
    MenuArray mnuQualityDistance;
    MenuArray mnuQualityDithering;
    MenuItem *mnuPaletteConvertPalette = nullptr;
    MenuArray mnuPaletteOption;
    MenuItem *mnuTransparencyApply = nullptr;
    MenuItem *mnuTransparencyInputColor = nullptr;
    MenuItem *mnuTransparencyOutputColor = nullptr;
    MenuItem *mnuTransparencyLeftRightCols = nullptr;
    MenuItem *mnuTransparencyUseAlpha = nullptr;
    MenuItem *mnuTransparencyAlphaThreshold = nullptr;
    MenuItem *mnuTransparencyInputRGB = nullptr;
    MenuArray mnuOutputFormat;

private:
    // Menus and separators no test needs to reach.
    QMenu *mnuFile = nullptr;
    MenuItem *mnuFileDash = nullptr;
    QMenu *mnuScaling = nullptr;
    QMenu *mnuVerticalAlignment = nullptr;
    QMenu *mnuHorizontalAlignment = nullptr;
    QMenu *mnuColorMatching = nullptr;
    QMenu *mnuQuality = nullptr;
    MenuItem *mnuQualityDash = nullptr;
    QMenu *mnuPalette = nullptr;
    MenuItem *mnuPaletteDash1 = nullptr;
    QMenu *mnuTransparency = nullptr;
    MenuItem *mnuTransparencyDash = nullptr;
    MenuItem *mnuTransparencyScanForInputColor = nullptr;
    QMenu *mnuOutput = nullptr;

    void CreateControls(QWidget *client);
    void CreateMenus();
    void SetTabOrder();
    // Signal connections of each area, made once by the constructor.
    void ConnectPaletteHandlers();
    void ConnectTransparencyHandlers();
    void ConnectColorKeyHandlers();
    void ConnectRestoreHandlers();
    void ConnectFileHandlers();
    void ConnectOptionHandlers();
    void ConnectBatchHandlers();

    DialogService &dialogs_;
    PaletteStore palette_;
    std::unique_ptr<clsINI> ini_;
    std::string backupFolder_;
    int batchWorkers_ = 0;

    // How a batch ended: the files it went through, and whether Cancel stopped it before the end.
    struct BatchOutcome {
        std::size_t done = 0;
        bool stopped = false;
    };
    // Converts the items off the window's thread with a progress window for a long batch,
    // showing each file's messages in list order (frm_batch.cpp).
    BatchOutcome ConvertItems(const std::vector<BatchItem> &items);
    bool previewing_ = false; // while RefreshPreview converts

    // The settings folder given to Form_Load: the picture folder when none is stored, and the
    // palette dialog's initial folder.
    std::string settingsFolder_;
    // Connects the Change of chkPal(index) to chkPal_Change(index) (frm_options.cpp).
    void ConnectSkipBox(int index);
};

} // namespace qv
