#pragma once

#include "common/qt/color_checkbox.h"
#include "platform/dialog_service.h"
#include "platform/qt/arrow_scroll_bar.h"
#include "platform/qt/control_array.h"
#include "platform/qt/file_list_box.h"
#include "platform/qt/image_box.h"
#include "platform/qt/label.h"
#include "platform/qt/menu_item.h"

#include <array>
#include <map>

#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace qv {

// The program's one window. Its option state lives in these controls and menu items, and the
// rest of the program reads it from there. The controls are named as in the window's design so
// a behaviour can be followed by name; Qt's parent ownership keeps them alive with the window.
class frm : public QMainWindow
{
    Q_OBJECT

public:
    explicit frm(DialogService &dialogs, QWidget *parent = nullptr);

    // Controls, in tab order.
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

    // Menus.
    QMenu *mnuFile = nullptr;
    MenuItem *mnuFileOpenFolder = nullptr;
    MenuItem *mnuFileDash = nullptr;
    MenuItem *mnuFileExit = nullptr;
    QMenu *mnuScaling = nullptr;
    MenuArray mnuScalingOption;
    QMenu *mnuVerticalAlignment = nullptr;
    MenuArray mnuVerticalAlignmentOption;
    QMenu *mnuHorizontalAlignment = nullptr;
    MenuArray mnuHorizontalAlignmentOption;
    QMenu *mnuColorMatching = nullptr;
    MenuArray mnuColorMatchingOption;
    QMenu *mnuPalette = nullptr;
    MenuItem *mnuPaletteConvertPalette = nullptr;
    MenuItem *mnuPaletteDash1 = nullptr;
    MenuArray mnuPaletteOption;
    QMenu *mnuTransparency = nullptr;
    MenuItem *mnuTransparencyApply = nullptr;
    MenuItem *mnuTransparencyInputColor = nullptr;
    MenuItem *mnuTransparencyOutputColor = nullptr;
    MenuItem *mnuTransparencyLeftRightCols = nullptr;
    MenuItem *mnuTransparencyDash = nullptr;
    MenuItem *mnuTransparencyScanForInputColor = nullptr;

    // File > Exit: closes the window, which ends the program. Nothing is saved here: every
    // setting is written when it changes.
    void mnuFileExit_Click();

private:
    void CreateControls(QWidget *client);
    void CreateMenus();
    void SetTabOrder();

    DialogService &dialogs_;
};

} // namespace qv
