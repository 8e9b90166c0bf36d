#pragma once

#include "app/session.h"
#include "app/session_view.h"
#include "common/qt/color_checkbox.h"
#include "platform/dialog_service.h"
#include "platform/qt/arrow_scroll_bar.h"
#include "platform/qt/control_array.h"
#include "platform/qt/file_list_box.h"
#include "platform/qt/image_box.h"
#include "platform/qt/label.h"
#include "platform/qt/menu_item.h"
#include "platform/qt/twips.h"

#include <array>
#include <functional>
#include <map>
#include <string>

#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace qv {

// The picture's place inside its frame at the design's size, in pixels.
inline constexpr QRect kPictureArea = TwipsRect(120, 240, 3840, 3840);

// The program's window on Qt: the controls of the window's design, named as in it, showing the
// state of one Session and handing every user action to the session's command of that control
// and event. It holds no option of its own: a control shows what the session holds, and a
// control the user changes tells the session, which answers with what changed. Qt's parent
// ownership keeps the controls alive with the window.
class frm : public QMainWindow, public SessionView
{
    Q_OBJECT

public:
    explicit frm(DialogService &dialogs, QWidget *parent = nullptr);

    // Start-up: the 255 further palette-entry boxes, then the session's start-up, which shows
    // every value it restores.
    void Form_Load(const std::string &settingsPath, const std::string &settingsFolder);
    Session &session() { return session_; }

    // --- What the session asks of its view.
    void Changed(ChangeSet changes) override;
    void FocusConvertButton() override;
    void SetBusy(bool busy) override;
    void KeepPainting() override;
    void CloseWindow() override;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    // The window's size is kept for the next start.
    void closeEvent(QCloseEvent *event) override;
    // The client area's resizing lays the controls out again.
    bool eventFilter(QObject *watched, QEvent *event) override;

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
    MenuItem *mnuQualityKeepExact = nullptr;
    MenuItem *mnuQualityDitherStrength = nullptr;
    MenuItem *mnuPaletteConvertPalette = nullptr;
    MenuArray mnuPaletteOption;
    MenuItem *mnuTransparencyApply = nullptr;
    MenuItem *mnuTransparencyInputColor = nullptr;
    MenuItem *mnuTransparencyOutputColor = nullptr;
    MenuItem *mnuTransparencyLeftRightCols = nullptr;
    MenuItem *mnuTransparencyUseAlpha = nullptr;
    MenuItem *mnuTransparencyAlphaThreshold = nullptr;
    MenuItem *mnuTransparencyInputRGB = nullptr;
    MenuItem *mnuTransparencyScanForInputColor = nullptr;
    MenuArray mnuOutputFormat;
    MenuArray mnuOutputOffsets;
    MenuArray mnuViewPicture;
    MenuItem *mnuViewColorMap = nullptr;
    MenuItem *mnuViewLightLevel = nullptr;
    MenuItem *mnuViewNoColorMap = nullptr;
    MenuArray mnuViewZoom;

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
    MenuItem *mnuQualityDash2 = nullptr;
    MenuItem *mnuQualityDash3 = nullptr;
    QMenu *mnuPalette = nullptr;
    MenuItem *mnuPaletteDash1 = nullptr;
    QMenu *mnuTransparency = nullptr;
    MenuItem *mnuTransparencyDash = nullptr;
    QMenu *mnuOutput = nullptr;
    MenuItem *mnuOutputDash = nullptr;
    QMenu *mnuView = nullptr;
    MenuItem *mnuViewDash = nullptr;
    MenuItem *mnuViewDash2 = nullptr;

    // The design (frm_design.cpp, frm_menu_design.cpp).
    void CreateControls(QWidget *client);
    void CreatePaletteGrid();
    void CreateMenus();
    void SetTabOrder();
    // Each user action to its session command (frm_connect.cpp).
    void ConnectControls();
    void ConnectMenus();
    // The Change of chkPal(index) to the session.
    void ConnectSkipBox(int index);
    // Runs a session command under its name (what an escaping failure is reported as).
    void Run(const char *name, const std::function<void()> &command);

    // Showing the session's state, one part each (frm_show.cpp).
    void ShowFolder();
    void ShowFileList();
    void ShowSelection();
    void ShowOptions();
    void ShowEnabled();
    void ShowSkips();
    void ShowPaletteColors();
    void ShowSize();
    void ShowBrightness();
    void ShowPicture();
    void ShowFrameTitle();
    void ShowReport();
    // The line under the frame alone: the report, or what lies under the mouse.
    void ShowReportLine();
    void ShowChoice();
    // The View menu's check marks and its colour map items.
    void ShowViewMenu();
    // Notes the design place of each control of the client area not noted yet: the design's
    // controls, then the palette grid's (frm_layout.cpp).
    void TakeDesign();
    // Every control noted where the frame's growth puts it.
    void LayOut();
    // The window at the size the session holds, at least the design's.
    void RestoreSize();

    DialogService &dialogs_;
    Session session_;
    QWidget *client_ = nullptr;
    // The client area's controls at their design places, in pixels.
    std::vector<std::pair<QWidget *, QRect>> design_;
};

} // namespace qv
