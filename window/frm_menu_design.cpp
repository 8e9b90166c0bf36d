// The menu tree of the window. The option menus' items and the check items come from the option
// table. No item is checked here: the session's state, once shown, checks them.
#include "common/built_in_palettes.h"
#include "common/option_table.h"
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

MenuItem *Item(QMenu *menu, const FlagOption &option)
{
    return Item(menu, option.menuName, option.caption, Check::Checkable);
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

// The menu array of a choice option, one item per value.
template <typename Option> MenuArray Items(QMenu *menu, const Option &option)
{
    std::vector<std::string> captions;
    for (const ChoiceName &name : option.names) {
        captions.emplace_back(name.caption);
    }
    return Items(menu, option.menuName, captions);
}

template <typename E, std::size_t N>
MenuArray Items(QMenu *menu, const ViewChoiceOption<E, N> &option)
{
    return Items(menu, option.menuName, {option.captions.begin(), option.captions.end()});
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

    mnuScaling = TopMenu(bar, "mnuScaling", "&Scaling");
    mnuScalingOption = Items(mnuScaling, options::kScaling);

    mnuVerticalAlignment = TopMenu(bar, "mnuVerticalAlignment", "&Vertical Alignment");
    mnuVerticalAlignmentOption = Items(mnuVerticalAlignment, options::kVerticalAlignment);

    mnuHorizontalAlignment = TopMenu(bar, "mnuHorizontalAlignment", "&Horizontal Alignment");
    mnuHorizontalAlignmentOption = Items(mnuHorizontalAlignment, options::kHorizontalAlignment);

    mnuColorMatching = TopMenu(bar, "mnuColorMatching", "&Color Matching");
    mnuColorMatchingOption = Items(mnuColorMatching, options::kColorMatching);

    mnuQuality = TopMenu(bar, "mnuQuality", "&Quality");
    mnuQualityDistance = Items(mnuQuality, options::kDistance);
    mnuQualityDash = Item(mnuQuality, "mnuQualityDash", "-");
    mnuQualityDithering = Items(mnuQuality, options::kDithering);
    mnuQualityDash2 = Item(mnuQuality, "mnuQualityDash2", "-");
    mnuQualityKeepExact = Item(mnuQuality, options::kKeepExactColors);
    mnuQualityDitherStrength = Item(mnuQuality, "mnuQualityDitherStrength", "Dither Stren&gth: ");
    // What the frame shows of the preview: a menu of the Quality menu, the bar being full.
    mnuQualityDash3 = Item(mnuQuality, "mnuQualityDash3", "-");
    mnuView = mnuQuality->addMenu("&View");
    mnuView->setObjectName("mnuView");
    mnuView->menuAction()->setObjectName("mnuView");
    mnuViewPicture = Items(mnuView, options::kPictureView);
    mnuViewDash = Item(mnuView, "mnuViewDash", "-");
    mnuViewColorMap = Item(mnuView, "mnuViewColorMap", "Color &Map: None…");
    mnuViewLightLevel = Item(mnuView, "mnuViewLightLevel", "&Light Level: ");
    mnuViewNoColorMap = Item(mnuView, "mnuViewNoColorMap", "&No Color Map");
    mnuViewDash2 = Item(mnuView, "mnuViewDash2", "-");
    mnuViewZoom = Items(mnuView, options::kZoom);

    mnuPalette = TopMenu(bar, "mnuPalette", "&Palette");
    mnuPaletteConvertPalette = Item(mnuPalette, options::kConvertPalette);
    mnuPaletteDash1 = Item(mnuPalette, "mnuPaletteDash1", "-");
    std::vector<std::string> palettes(kBuiltInPalettes.begin(), kBuiltInPalettes.end());
    palettes.emplace_back(kExternalPaletteCaption);
    mnuPaletteOption = Items(mnuPalette, "mnuPaletteOption", palettes);

    mnuTransparency = TopMenu(bar, "mnuTransparency", "&Transparency");
    mnuTransparencyApply = Item(mnuTransparency, options::kApplyTransparency);
    mnuTransparencyInputColor =
        Item(mnuTransparency, "mnuTransparencyInputColor", "&Input Transparent Color: ");
    mnuTransparencyOutputColor =
        Item(mnuTransparency, "mnuTransparencyOutputColor", "&Output Transparent Color: ");
    mnuTransparencyLeftRightCols = Item(mnuTransparency, options::kTransparentEdges);
    mnuTransparencyInputRGB =
        Item(mnuTransparency, "mnuTransparencyInputRGB", "Input Transparent &RGB…");
    mnuTransparencyUseAlpha = Item(mnuTransparency, options::kUseAlpha);
    mnuTransparencyAlphaThreshold =
        Item(mnuTransparency, "mnuTransparencyAlphaThreshold", "Alpha &Threshold: ");
    mnuTransparencyDash = Item(mnuTransparency, "mnuTransparencyDash", "-");
    mnuTransparencyScanForInputColor = Item(mnuTransparency,
        "mnuTransparencyScanForInputColor",
        "&Scan Input Image For Transparent Color");

    mnuOutput = TopMenu(bar, "mnuOutput", "&Output");
    mnuOutputFormat = Items(mnuOutput, options::kOutputFormat);
    mnuOutputDash = Item(mnuOutput, "mnuOutputDash", "-");
    mnuOutputOffsets = Items(mnuOutput, options::kOffsets);
}

} // namespace qv
