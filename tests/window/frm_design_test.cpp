#include "app/window_growth.h"
#include "platform/app_info.h"
#include "platform/scripted_dialog_service.h"
#include "tests/window/test_window.h"
#include "tests/window/window_fixture.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLayout>
#include <QMenuBar>

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qv {
namespace {

// The window's design in twips, as the program's layout table gives it: name, kind, the
// frame it sits in (empty for the client area), caption, left, top, width, height.
struct Design {
    const char *name;
    const char *kind;
    const char *inside;
    const char *caption;
    int left;
    int top;
    int width;
    int height;
};

// In tab order.
const std::vector<Design> kDesign = {
    {"cmdOK", "QPushButton", "", "Convert", 7080, 4800, 3495, 465},
    {"fraImage", "QGroupBox", "", "No Image", 2280, 480, 4095, 4215},
    {"optShow(0)", "QRadioButton", "fraImage", "Original", 2280, 0, 855, 255},
    {"optShow(1)", "QRadioButton", "fraImage", "Preview", 3120, 0, 855, 255},
    {"img", "qv::ImageBox", "fraImage", nullptr, 120, 240, 3840, 3840},
    {"File", "qv::FileListBox", "", nullptr, 120, 480, 2175, 3990},
    {"lbl(0)", "qv::Label", "", "Size of square:", 120, 4920, 1095, 255},
    {"vsbSize", "qv::ArrowScrollBar", "", nullptr, 1680, 4920, 255, 255},
    {"lblSize", "qv::Label", "", "64", 1320, 4920, 375, 255},
    {"cmdAnalyze", "QPushButton", "", "Find Minimum", 2040, 4920, 1095, 255},
    {"fraBrightness", "QGroupBox", "", "Brightness", 3240, 4680, 3735, 615},
    {"vsbBright(0)", "qv::ArrowScrollBar", "fraBrightness", nullptr, 720, 240, 255, 255},
    {"lblBright(0)", "qv::Label", "fraBrightness", "100", 360, 240, 375, 255},
    {"lbl(4)", "qv::Label", "fraBrightness", "R:", 120, 240, 255, 255},
    {"lbl(5)", "qv::Label", "fraBrightness", "G:", 1080, 240, 255, 255},
    {"lblBright(1)", "qv::Label", "fraBrightness", "100", 1320, 240, 375, 255},
    {"vsbBright(1)", "qv::ArrowScrollBar", "fraBrightness", nullptr, 1680, 240, 255, 255},
    {"vsbBright(2)", "qv::ArrowScrollBar", "fraBrightness", nullptr, 2640, 240, 255, 255},
    {"lbl(6)", "qv::Label", "fraBrightness", "B:", 2040, 240, 255, 255},
    {"lblBright(2)", "qv::Label", "fraBrightness", "100", 2280, 240, 375, 255},
    {"lbl(7)", "qv::Label", "", "Skipped colors (click to toggle)", 6480, 360, 2175, 225},
    {"cmdResetSkips", "QPushButton", "", "Clear", 8760, 360, 975, 225},
    {"cmdSetAllBright", "QPushButton", "fraBrightness", "Set All", 3000, 240, 615, 225},
    {"lblFolder", "qv::Label", "", "", 720, 120, 9855, 255},
    {"lbl(1)", "qv::Label", "", "Folder:", 120, 120, 615, 255},
    {"chkPal(0)", "qv::ColorCheckbox", "", nullptr, 6480, 600, 255, 255},
    {"cmdRefreshFileList", "QPushButton", "", "Refresh File List", 120, 4560, 2175, 225},
    {"lblReport", "qv::Label", "", "", 2280, 5340, 8295, 255},
};

std::string CaptionOf(const QWidget &widget)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(&widget)) {
        return button->text().toStdString();
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(&widget)) {
        return frame->title().toStdString();
    }
    if (const auto *label = qobject_cast<const Label *>(&widget)) {
        return label->Caption();
    }
    return "(no caption)";
}

class FrmTest : public testing::Test
{
protected:
    QWidget *Control(const char *name) const { return window.findChild<QWidget *>(name); }

    ScriptedDialogService dialogs;
    test::TestWindow window {dialogs};
};

TEST_F(FrmTest, EveryControlHasItsKindCaptionAndPlace)
{
    for (const Design &d : kDesign) {
        SCOPED_TRACE(d.name);
        QWidget *control = Control(d.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(std::string(control->metaObject()->className()), d.kind);
        const QWidget *parent = *d.inside ? Control(d.inside) : window.centralWidget();
        EXPECT_EQ(control->parentWidget(), parent);
        if (d.caption != nullptr) {
            EXPECT_EQ(CaptionOf(*control), d.caption);
        }
        EXPECT_EQ(control->geometry(), QRect(d.left / 15, d.top / 15, d.width / 15, d.height / 15));
    }
}

TEST_F(FrmTest, NamedMembersAreTheControlsOfTheDesign)
{
    const std::map<std::string, QWidget *> members = {{"cmdOK", window.cmdOK},
        {"fraImage", window.fraImage},
        {"optShow(0)", window.optShow[0]},
        {"optShow(1)", window.optShow[1]},
        {"img", window.img},
        {"File", window.File},
        {"lbl(0)", window.lbl.at(0)},
        {"lbl(1)", window.lbl.at(1)},
        {"lbl(4)", window.lbl.at(4)},
        {"lbl(5)", window.lbl.at(5)},
        {"lbl(6)", window.lbl.at(6)},
        {"lbl(7)", window.lbl.at(7)},
        {"vsbSize", window.vsbSize},
        {"lblSize", window.lblSize},
        {"cmdAnalyze", window.cmdAnalyze},
        {"fraBrightness", window.fraBrightness},
        {"vsbBright(0)", window.vsbBright[0]},
        {"vsbBright(1)", window.vsbBright[1]},
        {"vsbBright(2)", window.vsbBright[2]},
        {"lblBright(0)", window.lblBright[0]},
        {"lblBright(1)", window.lblBright[1]},
        {"lblBright(2)", window.lblBright[2]},
        {"cmdResetSkips", window.cmdResetSkips},
        {"cmdSetAllBright", window.cmdSetAllBright},
        {"lblFolder", window.lblFolder},
        {"chkPal(0)", &window.chkPal[0]},
        {"cmdRefreshFileList", window.cmdRefreshFileList},
        {"lblReport", window.lblReport}};
    ASSERT_EQ(members.size(), kDesign.size());
    for (const auto &[name, member] : members) {
        EXPECT_EQ(member, Control(name.c_str())) << name;
    }
    EXPECT_EQ(window.lbl.size(), 6u);
    EXPECT_EQ(window.chkPal.Count(), 1);
}

TEST_F(FrmTest, FurtherPropertiesOfTheDesign)
{
    const struct {
        ArrowScrollBar *bar;
        int min, max, step, value;
    } bars[] = {{window.vsbSize, 512, 32, 4, 64},
        {window.vsbBright[0], 200, 0, 1, 100},
        {window.vsbBright[1], 200, 0, 1, 100},
        {window.vsbBright[2], 200, 0, 1, 100}};
    for (const auto &b : bars) {
        SCOPED_TRACE(b.bar->objectName().toStdString());
        EXPECT_EQ(b.bar->Min(), b.min);
        EXPECT_EQ(b.bar->Max(), b.max);
        EXPECT_EQ(b.bar->SmallChange(), b.step);
        EXPECT_EQ(b.bar->LargeChange(), b.step);
        EXPECT_EQ(b.bar->Value(), b.value);
    }
    for (Label *value :
        {window.lblSize, window.lblBright[0], window.lblBright[1], window.lblBright[2]}) {
        EXPECT_EQ(value->frameShape(), QFrame::Box);
        EXPECT_TRUE(value->alignment() & Qt::AlignHCenter);
    }
    EXPECT_EQ(window.lblFolder->frameShape(), QFrame::Box);
    EXPECT_EQ(window.lbl.at(0)->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(window.session().Files().Pattern(), "*.bmp;*.png;*.pcx");
    EXPECT_EQ(window.File->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(window.optShow[0]->isChecked());
    EXPECT_FALSE(window.optShow[1]->isChecked());
    EXPECT_EQ(window.cmdResetSkips->toolTip(), "Reset the skipped color list");
    EXPECT_EQ(window.chkPal[0].Value(), 0);
    EXPECT_FALSE(window.img->HasPicture());
    EXPECT_EQ(window.windowTitle(), "Quorvantile");
    EXPECT_FALSE(window.windowIcon().isNull());
}

// The window starts at the design's 711 x 375 client area, its smallest; enlarged, the picture
// frame takes the room and every control keeps its place relative to the frame.
TEST_F(FrmTest, ClientAreaStartsAt711By375AndTheFrameTakesAnyRoomAdded)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.centralWidget()->size(), QSize(711, 375));
    EXPECT_EQ(window.centralWidget()->minimumSize(), QSize(711, 375));
    EXPECT_EQ(window.height(), 375 + window.menuBar()->height());
    EXPECT_EQ(window.width(), 711);
    // Every control of the client area lies inside it.
    for (const Design &d : kDesign) {
        if (!*d.inside) {
            EXPECT_TRUE(window.centralWidget()->rect().contains(Control(d.name)->geometry()))
                << d.name;
        }
    }

    window.resize(window.size() + QSize(100, 50));
    QApplication::processEvents();
    ASSERT_EQ(window.centralWidget()->size(), QSize(811, 425));
    for (const Design &d : kDesign) {
        const ControlPlace design {d.left / 15, d.top / 15, d.width / 15, d.height / 15};
        const ControlPlace grown = *d.inside ? design : Grown(design, AnchorOf(d.name), 100, 50);
        const QRect place = Control(d.name)->geometry();
        EXPECT_EQ(ControlPlace(place.x(), place.y(), place.width(), place.height()), grown)
            << d.name;
    }
}

TEST_F(FrmTest, ConvertHasTheFocusAndTabFollowsTheDesign)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), window.cmdOK);

    // Tab visits the controls that take the focus in the order of the design.
    std::vector<std::string> chain;
    QWidget *at = window.cmdOK;
    do {
        if ((at->focusPolicy() & Qt::TabFocus) != 0 && window.isAncestorOf(at)) {
            chain.push_back(at->objectName().toStdString());
        }
        at = at->nextInFocusChain();
    } while (at != window.cmdOK);
    const std::vector<std::string> expected = {"cmdOK",
        "optShow(0)",
        "optShow(1)",
        "File",
        "vsbSize",
        "cmdAnalyze",
        "vsbBright(0)",
        "vsbBright(1)",
        "vsbBright(2)",
        "cmdResetSkips",
        "cmdSetAllBright",
        "cmdRefreshFileList"};
    EXPECT_EQ(chain, expected);
}

// Name, caption, and how an item is made: an option of a menu array, a check item, a plain
// command, a separator, or a menu of its own.
enum class ItemKind { Option, Check, Command, Separator, Submenu };

struct MenuDesign {
    const char *name;
    const char *caption;
    std::vector<std::tuple<const char *, const char *, ItemKind>> items;
};

const std::vector<MenuDesign> kMenus = {
    {"mnuFile",
        "&File",
        {{"mnuFileOpenFolder", "&Open Folder", ItemKind::Command},
            {"mnuFileRestore", "&Restore Originals…", ItemKind::Command},
            {"mnuFileDash", "-", ItemKind::Separator},
            {"mnuFileExit", "E&xit", ItemKind::Command}}},
    {"mnuScaling",
        "&Scaling",
        {{"mnuScalingOption(0)", "&None", ItemKind::Option},
            {"mnuScalingOption(1)", "&64x64", ItemKind::Option},
            {"mnuScalingOption(2)", "&128x128", ItemKind::Option},
            {"mnuScalingOption(3)", "&32x32", ItemKind::Option}}},
    {"mnuVerticalAlignment",
        "&Vertical Alignment",
        {{"mnuVerticalAlignmentOption(0)", "&Top", ItemKind::Option},
            {"mnuVerticalAlignmentOption(1)", "&Center", ItemKind::Option},
            {"mnuVerticalAlignmentOption(2)", "&Bottom", ItemKind::Option},
            {"mnuVerticalAlignmentOption(3)", "&Weighted", ItemKind::Option}}},
    {"mnuHorizontalAlignment",
        "&Horizontal Alignment",
        {{"mnuHorizontalAlignmentOption(0)", "&Left", ItemKind::Option},
            {"mnuHorizontalAlignmentOption(1)", "&Center", ItemKind::Option},
            {"mnuHorizontalAlignmentOption(2)", "&Right", ItemKind::Option},
            {"mnuHorizontalAlignmentOption(3)", "&Weighted", ItemKind::Option}}},
    {"mnuColorMatching",
        "&Color Matching",
        {{"mnuColorMatchingOption(0)", "&Pixel", ItemKind::Option},
            {"mnuColorMatchingOption(1)", "Average &Row", ItemKind::Option},
            {"mnuColorMatchingOption(2)", "Average &Column", ItemKind::Option},
            {"mnuColorMatchingOption(3)", "Average &Square", ItemKind::Option}}},
    {"mnuQuality",
        "&Quality",
        {{"mnuQualityDistance(0)", "&RGB Distance", ItemKind::Option},
            {"mnuQualityDistance(1)", "&Weighted RGB", ItemKind::Option},
            {"mnuQualityDistance(2)", "&OKLab", ItemKind::Option},
            {"mnuQualityDistance(3)", "&CIEDE2000", ItemKind::Option},
            {"mnuQualityDash", "-", ItemKind::Separator},
            {"mnuQualityDithering(0)", "&No Dithering", ItemKind::Option},
            {"mnuQualityDithering(1)", "&Floyd-Steinberg", ItemKind::Option},
            {"mnuQualityDithering(2)", "Or&dered (Bayer 8x8)", ItemKind::Option},
            {"mnuQualityDithering(3)", "&Atkinson", ItemKind::Option},
            {"mnuQualityDithering(4)", "&Jarvis-Judice-Ninke", ItemKind::Option},
            {"mnuQualityDithering(5)", "St&ucki", ItemKind::Option},
            {"mnuQualityDithering(6)", "&Burkes", ItemKind::Option},
            {"mnuQualityDithering(7)", "&Sierra", ItemKind::Option},
            {"mnuQualityDithering(8)", "Sierra &Two-Row", ItemKind::Option},
            {"mnuQualityDithering(9)", "Sierra &Lite", ItemKind::Option},
            {"mnuQualityDithering(10)", "&Pattern (Knoll)", ItemKind::Option},
            {"mnuQualityDithering(11)", "Pattern (Blue No&ise)", ItemKind::Option},
            {"mnuQualityDash2", "-", ItemKind::Separator},
            {"mnuQualityKeepExact", "&Keep Exact Colors", ItemKind::Check},
            {"mnuQualityDitherStrength", "Dither Stren&gth: ", ItemKind::Command},
            {"mnuQualityDash3", "-", ItemKind::Separator},
            {"mnuView", "&View", ItemKind::Submenu}}},
    {"mnuPalette",
        "&Palette",
        {{"mnuPaletteConvertPalette", "&Convert Palette", ItemKind::Check},
            {"mnuPaletteDash1", "-", ItemKind::Separator},
            {"mnuPaletteOption(0)", "WOLF3D", ItemKind::Option},
            {"mnuPaletteOption(1)", "SPEAR", ItemKind::Option},
            {"mnuPaletteOption(2)", "BLAKESTONE", ItemKind::Option},
            {"mnuPaletteOption(3)", "BODYCOUNT", ItemKind::Option},
            {"mnuPaletteOption(4)", "CORRIDOR7", ItemKind::Option},
            {"mnuPaletteOption(5)", "NOAH3D", ItemKind::Option},
            {"mnuPaletteOption(6)", "DOOM", ItemKind::Option},
            {"mnuPaletteOption(7)", "&Use External", ItemKind::Option}}},
    {"mnuTransparency",
        "&Transparency",
        {{"mnuTransparencyApply", "&Apply Transparency", ItemKind::Check},
            {"mnuTransparencyInputColor", "&Input Transparent Color: ", ItemKind::Command},
            {"mnuTransparencyOutputColor", "&Output Transparent Color: ", ItemKind::Command},
            {"mnuTransparencyLeftRightCols",
                "&Make Left and Right Columns Transparent",
                ItemKind::Check},
            {"mnuTransparencyInputRGB", "Input Transparent &RGB…", ItemKind::Command},
            {"mnuTransparencyUseAlpha", "&Use Alpha Channel", ItemKind::Check},
            {"mnuTransparencyAlphaThreshold", "Alpha &Threshold: ", ItemKind::Command},
            {"mnuTransparencyDash", "-", ItemKind::Separator},
            {"mnuTransparencyScanForInputColor",
                "&Scan Input Image For Transparent Color",
                ItemKind::Command}}},
    {"mnuOutput",
        "&Output",
        {{"mnuOutputFormat(0)", "&BMP", ItemKind::Option},
            {"mnuOutputFormat(1)", "&PNG", ItemKind::Option},
            {"mnuOutputFormat(2)", "&Doom Picture (.lmp)", ItemKind::Option},
            {"mnuOutputFormat(3)", "Doom &Flat (.lmp)", ItemKind::Option},
            {"mnuOutputFormat(4)", "&Quake Picture (.lmp)", ItemKind::Option},
            {"mnuOutputFormat(5)", "P&CX", ItemKind::Option},
            {"mnuOutputDash", "-", ItemKind::Separator},
            {"mnuOutputOffsets(0)", "&No Offsets", ItemKind::Option},
            {"mnuOutputOffsets(1)", "&Sprite Offsets (Centre, Bottom)", ItemKind::Option},
            {"mnuOutputOffsets(2)", "C&entre Offsets", ItemKind::Option},
            {"mnuOutputOffsets(3)", "C&ustom Offsets…", ItemKind::Option}}},
};

// The Quality menu's View menu.
const MenuDesign kViewMenu = {"mnuView",
    "&View",
    {{"mnuViewPicture(0)", "&Original", ItemKind::Option},
        {"mnuViewPicture(1)", "&Preview", ItemKind::Option},
        {"mnuViewPicture(2)", "&Side by Side", ItemKind::Option},
        {"mnuViewPicture(3)", "&Difference", ItemKind::Option},
        {"mnuViewDash", "-", ItemKind::Separator},
        {"mnuViewColorMap", "Color &Map: None…", ItemKind::Command},
        {"mnuViewLightLevel", "&Light Level: ", ItemKind::Command},
        {"mnuViewNoColorMap", "&No Color Map", ItemKind::Command},
        {"mnuViewDash2", "-", ItemKind::Separator},
        {"mnuViewZoom(0)", "&Fit", ItemKind::Option},
        {"mnuViewZoom(1)", "&1x", ItemKind::Option},
        {"mnuViewZoom(2)", "&2x", ItemKind::Option},
        {"mnuViewZoom(3)", "&4x", ItemKind::Option},
        {"mnuViewZoom(4)", "&8x", ItemKind::Option}}};

// Every menu has its place on the bar of the fixed-width window, none behind an overflow arrow.
TEST_F(FrmTest, EveryMenuFitsOnTheBar)
{
    window.show();
    QApplication::processEvents();
    QMenuBar *bar = window.menuBar();
    for (QAction *menu : bar->actions()) {
        const QRect place = bar->actionGeometry(menu);
        EXPECT_FALSE(place.isEmpty()) << menu->objectName().toStdString();
        EXPECT_LE(place.right(), bar->width()) << menu->objectName().toStdString();
    }
}

TEST_F(FrmTest, MenuTreeHasItsNamesCaptionsAndOrderAndNothingIsChecked)
{
    const auto check = [](const QMenu *menu, const MenuDesign &design) {
        SCOPED_TRACE(design.name);
        const QList<QAction *> items = menu->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(design.items.size()));
        int option = 0;
        for (std::size_t i = 0; i < design.items.size(); ++i) {
            const auto &[name, caption, kind] = design.items[i];
            SCOPED_TRACE(name);
            QAction *action = items[static_cast<qsizetype>(i)];
            if (kind == ItemKind::Submenu) {
                EXPECT_EQ(action->objectName().toStdString(), name);
                EXPECT_EQ(action->text().toStdString(), caption);
                EXPECT_NE(action->menu(), nullptr);
                continue;
            }
            auto *item = qobject_cast<MenuItem *>(action);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->objectName().toStdString(), name);
            EXPECT_EQ(item->Caption(), caption);
            EXPECT_EQ(item->isSeparator(), kind == ItemKind::Separator);
            EXPECT_EQ(item->isCheckable(), kind == ItemKind::Option || kind == ItemKind::Check);
            EXPECT_EQ(item->Index(), kind == ItemKind::Option ? option++ : -1);
            option = kind == ItemKind::Separator ? 0 : option; // a new array may follow
            EXPECT_FALSE(item->Checked());
            EXPECT_TRUE(item->Enabled());
            const bool openFolder = std::string(name) == "mnuFileOpenFolder";
            EXPECT_EQ(item->shortcut(), openFolder ? QKeySequence("Ctrl+O") : QKeySequence());
        }
    };
    const QList<QAction *> top = window.menuBar()->actions();
    ASSERT_EQ(top.size(), static_cast<qsizetype>(kMenus.size()));
    for (std::size_t m = 0; m < kMenus.size(); ++m) {
        QAction *title = top[static_cast<qsizetype>(m)];
        EXPECT_EQ(title->objectName().toStdString(), kMenus[m].name);
        EXPECT_EQ(title->text().toStdString(), kMenus[m].caption);
        ASSERT_NE(title->menu(), nullptr);
        check(title->menu(), kMenus[m]);
    }
    const auto *view = window.findChild<QMenu *>("mnuView");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->title().toStdString(), kViewMenu.caption);
    check(view, kViewMenu);
}

// Alt and a letter reach exactly one item of an open menu, and one menu of the bar: no two items
// of a menu share a mnemonic (items without one are fine, separators are not items). Checked on
// the started window, whose run-time captions (colours, threshold, external palette) are set.
TEST(FrmMnemonics, NoTwoItemsOfAMenuShareAMnemonic)
{
    test::WindowFixture fixture;
    const std::string palette =
        fixture.program.Write("grey.act", std::vector<std::uint8_t>(768, 9));
    test::TestWindow &window = fixture.Start("Palette=7\r\nExternalPalette=" + palette + "\r\n");
    ASSERT_EQ(window.mnuPaletteOption.back()->Caption(), "&Use External: grey.act");
    // The bar first, then each of its menus.
    std::vector<std::pair<std::string, QList<QAction *>>> menus = {
        {"the menu bar", window.menuBar()->actions()}};
    for (QAction *title : window.menuBar()->actions()) {
        ASSERT_NE(title->menu(), nullptr);
        menus.emplace_back(title->objectName().toStdString(), title->menu()->actions());
    }
    int mnemonics = 0;
    for (const auto &[menu, items] : menus) {
        std::map<int, std::string> taken; // mnemonic key -> caption
        for (const QAction *item : items) {
            if (item->isSeparator()) {
                continue;
            }
            const QKeySequence key = QKeySequence::mnemonic(item->text());
            if (key.isEmpty()) {
                continue;
            }
            ++mnemonics;
            const auto [at, added] = taken.emplace(key[0].toCombined(), item->text().toStdString());
            EXPECT_TRUE(added) << menu << ": \"" << item->text().toStdString()
                               << "\" repeats the key of \"" << at->second << "\"";
        }
    }
    EXPECT_GT(mnemonics, 40); // the captions' "&" really are read as mnemonics
    EXPECT_TRUE(fixture.dialogs.Log().empty());
}

TEST_F(FrmTest, MenuArraysAreAddressedByIndex)
{
    const std::vector<std::pair<const MenuArray *, std::string>> arrays = {
        {&window.mnuScalingOption, "mnuScalingOption"},
        {&window.mnuVerticalAlignmentOption, "mnuVerticalAlignmentOption"},
        {&window.mnuHorizontalAlignmentOption, "mnuHorizontalAlignmentOption"},
        {&window.mnuColorMatchingOption, "mnuColorMatchingOption"},
        {&window.mnuPaletteOption, "mnuPaletteOption"}};
    for (const auto &[array, name] : arrays) {
        for (std::size_t i = 0; i < array->size(); ++i) {
            const MenuItem *item = (*array)[i];
            EXPECT_EQ(item->objectName().toStdString(), name + "(" + std::to_string(i) + ")");
            EXPECT_EQ(item->Index(), static_cast<int>(i));
        }
    }
    EXPECT_EQ(window.mnuPaletteOption.size(), 8u);
    EXPECT_EQ(window.mnuScalingOption.size(), 4u);
}

TEST_F(FrmTest, CtrlOChoosesOpenFolderFromAnywhereInTheWindow)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy chosen(window.mnuFileOpenFolder, &MenuItem::Click);

    // Each Ctrl+O opens the folder browser, which is cancelled here.
    for (int i = 0; i < 3; ++i) {
        dialogs.QueueFolder("");
    }
    for (QWidget *at :
        std::initializer_list<QWidget *> {window.cmdOK, window.File, window.vsbSize}) {
        at->setFocus();
        QTest::keyClick(at, Qt::Key_O, Qt::ControlModifier);
    }

    EXPECT_EQ(chosen.count(), 3);
    EXPECT_TRUE(dialogs.AllAnswersUsed());
}

// Name, size and modification time of every file in a folder.
std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> Snapshot(
    const std::string &folder)
{
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> files;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().filename().string()] = {entry.file_size(), entry.last_write_time()};
        }
    }
    return files;
}

TEST_F(FrmTest, ExitClosesTheWindowAndWritesNothing)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto programFolder = Snapshot(ProgramFolder());
    const auto workingFolder = Snapshot(std::filesystem::current_path().string());
    ASSERT_FALSE(programFolder.empty()) << "the test program itself lies there";

    window.mnuFileExit->trigger();
    QApplication::processEvents();

    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Snapshot(ProgramFolder()), programFolder);
    EXPECT_EQ(Snapshot(std::filesystem::current_path().string()), workingFolder);
    EXPECT_TRUE(dialogs.Log().empty());
}

} // namespace
} // namespace qv
