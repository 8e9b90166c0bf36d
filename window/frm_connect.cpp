// Every user action on the window, handed to the session's command of that control and event,
// and the folders and files dropped onto the window.
#include "common/option_table.h"
#include "window/frm.h"

#include <functional>
#include <utility>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QMimeData>
#include <QUrl>

namespace qv {
namespace {

// Calls back on every mouse press on the watched widget, before the widget handles it: an option
// button acts on the press, not on the click that follows.
class PressFilter : public QObject
{
public:
    PressFilter(QObject *watched, std::function<void()> onPress)
        : QObject(watched)
        , onPress_(std::move(onPress))
    {
        watched->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            onPress_();
        }
        return false;
    }

private:
    std::function<void()> onPress_;
};

// Keyboard state in the classic encoding the picture click takes: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
        | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
        | (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

std::vector<std::string> LocalPaths(const QMimeData *data)
{
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toStdString());
        }
    }
    return paths;
}

} // namespace

void frm::Run(const char *name, const std::function<void()> &command)
{
    session_.Handle(name, command);
}

void frm::ConnectControls()
{
    Session &s = session_;
    const auto onClick = [this](QPushButton *button, const char *name, void (Session::*command)()) {
        connect(button, &QPushButton::clicked, this, [this, name, command] {
            Run(name, [this, command] { (session_.*command)(); });
        });
    };
    onClick(cmdOK, "cmdOK_Click", &Session::cmdOK_Click);
    onClick(cmdAnalyze, "cmdAnalyze_Click", &Session::cmdAnalyze_Click);
    onClick(cmdRefreshFileList, "cmdRefreshFileList_Click", &Session::cmdRefreshFileList_Click);
    onClick(cmdResetSkips, "cmdResetSkips_Click", &Session::cmdResetSkips_Click);
    onClick(cmdSetAllBright, "cmdSetAllBright_Click", &Session::cmdSetAllBright_Click);

    // Every change of the list's selection is the session's too; a click also runs File_Click.
    const auto selection = [this] {
        std::vector<bool> selected;
        for (int i = 0; i < File->ListCount(); ++i) {
            selected.push_back(File->Selected(i));
        }
        return selected;
    };
    const auto takeSelection = [this, &s, selection] {
        Run("File_Click",
            [&s, this, selection] { s.SetFileSelection(selection(), File->ListIndex()); });
    };
    connect(File, &QListWidget::itemSelectionChanged, this, takeSelection);
    connect(File, &QListWidget::currentRowChanged, this, takeSelection);
    connect(File, &FileListBox::Click, this, [this, &s, selection] {
        Run("File_Click",
            [&s, this, selection] { s.File_SelectionChanged(selection(), File->ListIndex()); });
    });
    connect(lblFolder, &Label::Click, this, [this, &s] {
        Run("lblFolder_Click", [&s] { s.lblFolder_Click(); });
    });
    for (int i = 0; i < static_cast<int>(optShow.size()); ++i) {
        connect(optShow[static_cast<std::size_t>(i)],
            &QRadioButton::toggled,
            this,
            [this, &s, i](bool on) {
                if (on) {
                    Run("optShow_Click", [&s, i] { s.SetShowChoice(i); });
                }
            });
        new PressFilter(optShow[static_cast<std::size_t>(i)],
            [this, &s, i] { Run("optShow_MouseDown", [&s, i] { s.optShow_MouseDown(i); }); });
    }
    ConnectSkipBox(0);
    for (int i = 0; i < 3; ++i) {
        ArrowScrollBar *bar = vsbBright[static_cast<std::size_t>(i)];
        connect(bar, &ArrowScrollBar::Change, this, [this, &s, i, bar] {
            Run("vsbBright_Change", [&s, i, bar] { s.SetBrightnessValue(i, bar->Value()); });
        });
        connect(lblBright[static_cast<std::size_t>(i)], &Label::Click, this, [this, &s, i] {
            Run("lblBright_Click", [&s, i] { s.lblBright_Click(i); });
        });
    }
    connect(vsbSize, &ArrowScrollBar::Change, this, [this, &s] {
        Run("vsbSize_Change", [&s, this] { s.SetSizeValue(vsbSize->Value()); });
    });
    connect(lblSize, &Label::Click, this, [this, &s] {
        Run("lblSize_Click", [&s] { s.lblSize_Click(); });
    });
    connect(img,
        &ImageBox::MouseDown,
        this,
        [this, &s](Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y) {
            // Qt numbers the left, right and middle buttons 1, 2 and 4, as the command expects.
            Run("img_MouseDown",
                [&] { s.img_MouseDown(static_cast<int>(button), ShiftState(shift), x, y); });
        });
    connect(img, &ImageBox::MouseMove, this, [this, &s](double x, double y) {
        Run("img_MouseMove", [&] { s.img_MouseMove(x, y); });
    });
    connect(img, &ImageBox::MouseLeave, this, [this, &s] {
        Run("img_MouseMove", [&] { s.img_MouseLeave(); });
    });
    connect(img, &ImageBox::ZoomWheel, this, [this, &s](int steps) {
        Run(options::kZoom.handlerName, [&] { s.ZoomStep(steps); });
    });
}

void frm::ConnectSkipBox(int index)
{
    ColorCheckbox *box = &chkPal[index];
    connect(box, &ColorCheckbox::Change, this, [this, index, box] {
        Run("chkPal_Change", [this, index, box] { session_.SetSkipValue(index, box->Value()); });
    });
}

void frm::ConnectMenus()
{
    Session &s = session_;
    const auto onClick = [this](MenuItem *item, const char *name, void (Session::*command)()) {
        connect(item, &MenuItem::Click, this, [this, name, command] {
            Run(name, [this, command] { (session_.*command)(); });
        });
    };
    onClick(mnuFileOpenFolder, "mnuFileOpenFolder_Click", &Session::mnuFileOpenFolder_Click);
    onClick(mnuFileRestore, "mnuFileRestore_Click", &Session::mnuFileRestore_Click);
    onClick(mnuFileExit, "mnuFileExit_Click", &Session::mnuFileExit_Click);
    onClick(mnuPaletteConvertPalette,
        options::kConvertPalette.handlerName,
        &Session::mnuPaletteConvertPalette_Click);
    onClick(mnuTransparencyApply,
        options::kApplyTransparency.handlerName,
        &Session::mnuTransparencyApply_Click);
    onClick(mnuTransparencyInputColor,
        "mnuTransparencyInputColor_Click",
        &Session::mnuTransparencyInputColor_Click);
    onClick(mnuTransparencyOutputColor,
        "mnuTransparencyOutputColor_Click",
        &Session::mnuTransparencyOutputColor_Click);
    onClick(mnuTransparencyLeftRightCols,
        options::kTransparentEdges.handlerName,
        &Session::mnuTransparencyLeftRightCols_Click);
    onClick(mnuTransparencyScanForInputColor,
        "mnuTransparencyScanForInputColor_Click",
        &Session::mnuTransparencyScanForInputColor_Click);
    onClick(mnuTransparencyUseAlpha,
        options::kUseAlpha.handlerName,
        &Session::mnuTransparencyUseAlpha_Click);
    onClick(mnuTransparencyAlphaThreshold,
        "mnuTransparencyAlphaThreshold_Click",
        &Session::mnuTransparencyAlphaThreshold_Click);
    onClick(mnuQualityKeepExact,
        options::kKeepExactColors.handlerName,
        &Session::mnuQualityKeepExact_Click);
    onClick(mnuQualityDitherStrength,
        "mnuQualityDitherStrength_Click",
        &Session::mnuQualityDitherStrength_Click);
    onClick(mnuViewColorMap, "mnuViewColorMap_Click", &Session::mnuViewColorMap_Click);
    onClick(mnuViewLightLevel, "mnuViewLightLevel_Click", &Session::mnuViewLightLevel_Click);
    onClick(mnuViewNoColorMap, "mnuViewNoColorMap_Click", &Session::mnuViewNoColorMap_Click);
    onClick(mnuTransparencyInputRGB,
        "mnuTransparencyInputRGB_Click",
        &Session::mnuTransparencyInputRGB_Click);

    struct OptionMenu {
        const MenuArray &items;
        const char *name;
        void (Session::*command)(int);
    };
    const OptionMenu menus[] = {
        {mnuScalingOption, options::kScaling.handlerName, &Session::mnuScalingOption_Click},
        {mnuVerticalAlignmentOption,
            options::kVerticalAlignment.handlerName,
            &Session::mnuVerticalAlignmentOption_Click},
        {mnuHorizontalAlignmentOption,
            options::kHorizontalAlignment.handlerName,
            &Session::mnuHorizontalAlignmentOption_Click},
        {mnuColorMatchingOption,
            options::kColorMatching.handlerName,
            &Session::mnuColorMatchingOption_Click},
        {mnuQualityDistance, options::kDistance.handlerName, &Session::mnuQualityDistance_Click},
        {mnuQualityDithering, options::kDithering.handlerName, &Session::mnuQualityDithering_Click},
        {mnuOutputFormat, options::kOutputFormat.handlerName, &Session::mnuOutputFormat_Click},
        {mnuOutputOffsets, options::kOffsets.handlerName, &Session::mnuOutputOffsets_Click},
        {mnuPaletteOption, "mnuPaletteOption_Click", &Session::mnuPaletteOption_Click},
        {mnuViewPicture, options::kPictureView.handlerName, &Session::mnuViewPicture_Click},
        {mnuViewZoom, options::kZoom.handlerName, &Session::mnuViewZoom_Click},
    };
    for (const OptionMenu &menu : menus) {
        for (MenuItem *item : menu.items) {
            connect(item, &MenuItem::Click, this, [this, &s, menu](int index) {
                Run(menu.name, [&s, menu, index] { (s.*menu.command)(index); });
            });
        }
    }
}

void frm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!LocalPaths(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void frm::dropEvent(QDropEvent *event)
{
    const std::vector<std::string> paths = LocalPaths(event->mimeData());
    if (paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    Run("Form_DragDrop", [this, paths] { session_.DropPaths(paths); });
}

} // namespace qv
