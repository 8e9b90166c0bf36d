// The menu tree of the window and its one keyboard shortcut. The option menus' items and the
// check items come from the option table; the items of an option menu show their check as a
// radio dot. No item is checked here: the session's state, once shown, checks them.
#include "common/built_in_palettes.h"
#include "common/option_table.h"
#include "platform/win32/wide_text.h"
#include "window-win32/frm.h"

#include <string>
#include <vector>

namespace qv::win32 {
namespace {

// A menu of the bar, or of another menu.
HMENU TopMenu(HMENU bar, const char *caption)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu), Wide(caption).c_str());
    return menu;
}

void Separator(HMENU menu)
{
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

} // namespace

MenuItem *frm::AddItem(HMENU menu,
    const std::string &caption,
    int index,
    MenuItem::Check check,
    const std::string &shortcut)
{
    items_.push_back(std::make_unique<MenuItem>(
        menu, static_cast<UINT>(NextId()), caption, index, check, shortcut));
    return items_.back().get();
}

void frm::CreateMenus()
{
    // A menu array: radio items with those captions, indexed from 0.
    const auto items = [this](HMENU menu, const std::vector<std::string> &captions) {
        MenuArray array;
        for (const std::string &caption : captions) {
            array.push_back(
                AddItem(menu, caption, static_cast<int>(array.size()), MenuItem::Check::Radio));
        }
        return array;
    };
    // The menu array of a choice option, one item per value.
    const auto choices = [&items](HMENU menu, const auto &option) {
        std::vector<std::string> captions;
        for (const ChoiceName &name : option.names) {
            captions.emplace_back(name.caption);
        }
        return items(menu, captions);
    };
    const auto flag = [this](HMENU menu, const FlagOption &option) {
        return AddItem(menu, option.caption, -1, MenuItem::Check::Mark);
    };

    menuBar = CreateMenu();
    HMENU file = TopMenu(menuBar, "&File");
    mnuFileOpenFolder = AddItem(file, "&Open Folder", -1, MenuItem::Check::None, "Ctrl+O");
    mnuFileRestore = AddItem(file, "&Restore Originals…");
    Separator(file);
    mnuFileExit = AddItem(file, "E&xit");

    mnuScalingOption = choices(TopMenu(menuBar, "&Scaling"), options::kScaling);
    mnuVerticalAlignmentOption =
        choices(TopMenu(menuBar, "&Vertical Alignment"), options::kVerticalAlignment);
    mnuHorizontalAlignmentOption =
        choices(TopMenu(menuBar, "&Horizontal Alignment"), options::kHorizontalAlignment);
    mnuColorMatchingOption = choices(TopMenu(menuBar, "&Color Matching"), options::kColorMatching);

    HMENU quality = TopMenu(menuBar, "&Quality");
    mnuQualityDistance = choices(quality, options::kDistance);
    Separator(quality);
    mnuQualityDithering = choices(quality, options::kDithering);
    Separator(quality);
    mnuQualityKeepExact = flag(quality, options::kKeepExactColors);
    mnuQualityDitherStrength = AddItem(quality, "Dither Stren&gth: ");
    // What the frame shows of the preview: a menu of the Quality menu, the bar being full.
    Separator(quality);
    HMENU view = TopMenu(quality, "&View");
    mnuViewPicture =
        items(view, {options::kPictureView.captions.begin(), options::kPictureView.captions.end()});
    Separator(view);
    mnuViewColorMap = AddItem(view, "Color &Map: None…");
    mnuViewLightLevel = AddItem(view, "&Light Level: ");
    mnuViewNoColorMap = AddItem(view, "&No Color Map");
    Separator(view);
    mnuViewZoom = items(view, {options::kZoom.captions.begin(), options::kZoom.captions.end()});

    HMENU palette = TopMenu(menuBar, "&Palette");
    mnuPaletteConvertPalette = flag(palette, options::kConvertPalette);
    Separator(palette);
    std::vector<std::string> palettes(kBuiltInPalettes.begin(), kBuiltInPalettes.end());
    palettes.emplace_back(kExternalPaletteCaption);
    mnuPaletteOption = items(palette, palettes);

    HMENU transparency = TopMenu(menuBar, "&Transparency");
    mnuTransparencyApply = flag(transparency, options::kApplyTransparency);
    mnuTransparencyInputColor = AddItem(transparency, "&Input Transparent Color: ");
    mnuTransparencyOutputColor = AddItem(transparency, "&Output Transparent Color: ");
    mnuTransparencyLeftRightCols = flag(transparency, options::kTransparentEdges);
    mnuTransparencyInputRGB = AddItem(transparency, "Input Transparent &RGB…");
    mnuTransparencyUseAlpha = flag(transparency, options::kUseAlpha);
    mnuTransparencyAlphaThreshold = AddItem(transparency, "Alpha &Threshold: ");
    Separator(transparency);
    mnuTransparencyScanForInputColor =
        AddItem(transparency, "&Scan Input Image For Transparent Color");

    HMENU output = TopMenu(menuBar, "&Output");
    mnuOutputFormat = choices(output, options::kOutputFormat);
    Separator(output);
    mnuOutputOffsets = choices(output, options::kOffsets);

    SetMenu(window_, menuBar);

    // Ctrl+O opens the folder choice from anywhere in the window.
    ACCEL openFolder {FCONTROL | FVIRTKEY, 'O', static_cast<WORD>(mnuFileOpenFolder->Id())};
    accelerators = CreateAcceleratorTableW(&openFolder, 1);
}

} // namespace qv::win32
