// The menu tree of the window and the handler of File > Exit. No item is checked here: start-up
// checks one item of each option menu and sets the check items from the settings.
#include "common/built_in_palettes.h"
#include "window/frm.h"

#include <string>
#include <vector>

#include <QKeySequence>
#include <QMenuBar>

namespace qv {
namespace {

QMenu *TopMenu(QMenuBar *bar, const char *name, const char *caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

enum class Check { None, Checkable };

MenuItem *Item(
    QMenu *menu, const std::string &name, const std::string &caption, Check check = Check::None)
{
    auto *item = new MenuItem(caption, -1, menu);
    item->setObjectName(QString::fromStdString(name));
    item->setCheckable(check == Check::Checkable);
    menu->addAction(item);
    return item;
}

// A menu array: checkable items named name(0), name(1), ... with those captions.
MenuArray Items(QMenu *menu, const std::string &name, const std::vector<std::string> &captions)
{
    MenuArray items;
    int index = 0;
    for (const std::string &caption : captions) {
        auto *item = new MenuItem(caption, index, menu);
        item->setObjectName(QString::fromStdString(name + "(" + std::to_string(index) + ")"));
        item->setCheckable(true);
        menu->addAction(item);
        items.push_back(item);
        ++index;
    }
    return items;
}

} // namespace

void frm::CreateMenus()
{
    QMenuBar *bar = menuBar();
    // Nine menus share the fixed width of the window: a slightly narrower face keeps the last
    // one on the bar instead of behind an overflow arrow.
    QFont narrow = bar->font();
    narrow.setStretch(88);
    bar->setFont(narrow);

    mnuFile = TopMenu(bar, "mnuFile", "&File");
    mnuFileOpenFolder = Item(mnuFile, "mnuFileOpenFolder", "&Open Folder");
    mnuFileOpenFolder->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFileRestore = Item(mnuFile, "mnuFileRestore", "&Restore Originals…");
    mnuFileDash = Item(mnuFile, "mnuFileDash", "-");
    mnuFileExit = Item(mnuFile, "mnuFileExit", "E&xit");
    connect(mnuFileExit, &MenuItem::Click, this, [this] {
        Handle("mnuFileExit_Click", [this] { mnuFileExit_Click(); });
    });

    mnuScaling = TopMenu(bar, "mnuScaling", "&Scaling");
    mnuScalingOption =
        Items(mnuScaling, "mnuScalingOption", {"&None", "&64x64", "&128x128", "&32x32"});

    mnuVerticalAlignment = TopMenu(bar, "mnuVerticalAlignment", "&Vertical Alignment");
    mnuVerticalAlignmentOption = Items(mnuVerticalAlignment,
        "mnuVerticalAlignmentOption",
        {"&Top", "&Center", "&Bottom", "&Weighted"});

    mnuHorizontalAlignment = TopMenu(bar, "mnuHorizontalAlignment", "&Horizontal Alignment");
    mnuHorizontalAlignmentOption = Items(mnuHorizontalAlignment,
        "mnuHorizontalAlignmentOption",
        {"&Left", "&Center", "&Right", "&Weighted"});

    mnuColorMatching = TopMenu(bar, "mnuColorMatching", "&Color Matching");
    mnuColorMatchingOption = Items(mnuColorMatching,
        "mnuColorMatchingOption",
        {"&Pixel", "Average &Row", "Average &Column", "Average &Square"});

    mnuQuality = TopMenu(bar, "mnuQuality", "&Quality");
    mnuQualityDistance = Items(mnuQuality,
        "mnuQualityDistance",
        {"&RGB Distance", "&Weighted RGB", "&OKLab", "&CIEDE2000"});
    mnuQualityDash = Item(mnuQuality, "mnuQualityDash", "-");
    mnuQualityDithering = Items(mnuQuality,
        "mnuQualityDithering",
        {"&No Dithering", "&Floyd-Steinberg", "Or&dered (Bayer 8x8)"});

    mnuPalette = TopMenu(bar, "mnuPalette", "&Palette");
    mnuPaletteConvertPalette =
        Item(mnuPalette, "mnuPaletteConvertPalette", "&Convert Palette", Check::Checkable);
    mnuPaletteDash1 = Item(mnuPalette, "mnuPaletteDash1", "-");
    std::vector<std::string> palettes(kBuiltInPalettes.begin(), kBuiltInPalettes.end());
    palettes.emplace_back("&Use External");
    mnuPaletteOption = Items(mnuPalette, "mnuPaletteOption", palettes);

    mnuTransparency = TopMenu(bar, "mnuTransparency", "&Transparency");
    mnuTransparencyApply =
        Item(mnuTransparency, "mnuTransparencyApply", "&Apply Transparency", Check::Checkable);
    mnuTransparencyInputColor =
        Item(mnuTransparency, "mnuTransparencyInputColor", "&Input Transparent Color: ");
    mnuTransparencyOutputColor =
        Item(mnuTransparency, "mnuTransparencyOutputColor", "&Output Transparent Color: ");
    mnuTransparencyLeftRightCols = Item(mnuTransparency,
        "mnuTransparencyLeftRightCols",
        "&Make Left and Right Columns Transparent",
        Check::Checkable);
    mnuTransparencyInputRGB =
        Item(mnuTransparency, "mnuTransparencyInputRGB", "Input Transparent &RGB…");
    mnuTransparencyUseAlpha =
        Item(mnuTransparency, "mnuTransparencyUseAlpha", "&Use Alpha Channel", Check::Checkable);
    mnuTransparencyAlphaThreshold =
        Item(mnuTransparency, "mnuTransparencyAlphaThreshold", "Alpha &Threshold: ");
    mnuTransparencyDash = Item(mnuTransparency, "mnuTransparencyDash", "-");
    mnuTransparencyScanForInputColor = Item(mnuTransparency,
        "mnuTransparencyScanForInputColor",
        "&Scan Input Image For Transparent Color");

    mnuOutput = TopMenu(bar, "mnuOutput", "&Output");
    mnuOutputFormat = Items(mnuOutput, "mnuOutputFormat", {"&BMP", "&PNG"});
}

void frm::mnuFileExit_Click()
{
    close();
}

} // namespace qv
