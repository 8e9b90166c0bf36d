// Start-up: the settings file, the picture folder, the grid of palette-entry checkboxes and every
// stored option, restored into the controls in a fixed order. Restoring a value runs the same
// change handler a user's change would, so what start-up applies is also what gets written back.
#include "common/qt/path_caption.h"
#include "platform/app_info.h"
#include "platform/checked.h"
#include "platform/files.h"
#include "platform/qt/twips.h"
#include "window/frm.h"

#include <sstream>

namespace qv {
namespace {

constexpr int kPaletteEntries = 256;
constexpr int kGridColumns = 16;

// "Color #10 (0xA)"
std::string SkipToolTip(int entry)
{
    std::ostringstream text;
    text << "Color #" << entry << " (0x" << std::hex << std::uppercase << entry << ")";
    return text.str();
}

// Members 1..255 as copies of member 0, in rows of 16. The row arithmetic is kept as it always
// was: the second row overlaps the first by 16 twips and the rows after it follow 255 apart.
void CreatePaletteGrid(ControlArray<ColorCheckbox> &boxes)
{
    const ColorCheckbox &first = boxes[0];
    const int left0 = PixelsToTwips(first.x());
    const int top0 = PixelsToTwips(first.y());
    const int width0 = PixelsToTwips(first.width());
    const int height0 = PixelsToTwips(first.height());
    int x = left0 + width0;
    int y = top0;
    for (int k = 1; k < kPaletteEntries; ++k) {
        ColorCheckbox &box = boxes.Load(k);
        boxes.Move(k, x, y);
        box.setVisible(true);
        if (k % kGridColumns == kGridColumns - 1) {
            x = left0;
            y = top0 + height0 * k / kGridColumns;
        } else {
            x += PixelsToTwips(box.width());
        }
    }
}

void CheckItem(const MenuArray &items, std::int32_t index)
{
    At(items, index)->SetChecked(true);
}

} // namespace

std::int32_t frm::ReadLongInRange(const std::string &section,
    const std::string &key,
    std::int32_t min,
    std::int32_t max,
    std::int32_t defaultValue)
{
    const std::int32_t value = ini_->ReadLong(section, key, defaultValue);
    return value < min || value > max ? defaultValue : value;
}

void frm::Form_Load(const std::string &settingsPath, const std::string &programFolder)
{
    programFolder_ = programFolder;
    ini_->LoadINI(settingsPath);

    std::string folder = ini_->ReadString("General", "Path", programFolder);
    if (!FolderExists(folder)) {
        folder = programFolder;
    }
    setWindowTitle(QString::fromStdString(std::string(kAppTitle) + " v" + VersionText()));

    File->SetPath(folder);
    if (File->ListCount() > 0) {
        File->SetSelected(0, true);
    }

    CreatePaletteGrid(chkPal);
    for (int k = 1; k < kPaletteEntries; ++k) {
        ConnectSkipBox(k);
    }
    for (int n = 0; n < kPaletteEntries; ++n) {
        const std::int32_t skipped = n == kPaletteEntries - 1 ? 1 : 0;
        chkPal[n].SetValue(ini_->ReadLong("Colors", "Skip" + std::to_string(n), skipped));
        chkPal[n].setToolTip(QString::fromStdString(SkipToolTip(n)));
    }

    mnuFileOpenFolder->SetTag(folder);
    SetPathCaption(*lblFolder, File->Path());

    mnuPaletteConvertPalette->SetChecked(ini_->ReadLong("General", "ConvertPalette", -1) != 0);
    const auto lastPalette = static_cast<std::int32_t>(mnuPaletteOption.size()) - 1;
    CheckItem(mnuPaletteOption, ReadLongInRange("General", "Palette", 0, lastPalette, 0));
    CheckItem(mnuVerticalAlignmentOption, ReadLongInRange("General", "VerticalAlignment", 0, 3, 2));
    CheckItem(
        mnuHorizontalAlignmentOption, ReadLongInRange("General", "HorizontalAlignment", 0, 3, 1));
    std::string externalPalette = ini_->ReadString("General", "ExternalPalette", "");
    SetExternalPalette(externalPalette);
    mnuTransparencyApply->SetChecked(ini_->ReadLong("General", "ApplyTransparency", -1) != 0);
    SetInputTransparencyColor(ini_->ReadLong("General", "InputTransparentColor", 255));
    SetOutputTransparencyColor(ini_->ReadLong("General", "OutputTransparentColor", 255));
    mnuTransparencyLeftRightCols->SetChecked(
        ini_->ReadLong("General", "TransparentEdges", -1) != 0);
    CheckItem(mnuScalingOption, ReadLongInRange("General", "ScaleMode", 0, 3, 0));
    CheckItem(mnuColorMatchingOption, ReadLongInRange("General", "ColorMatching", 0, 3, 0));

    for (int i = 0; i < 3; ++i) {
        // The bars hold 0..200 only; a hand-edited value outside that is taken as neutral.
        std::int32_t bright = ini_->ReadLong("General", "Bright" + std::to_string(i), 100);
        if (bright < 0 || bright > 200) {
            bright = 100;
        }
        vsbBright[i]->SetValue(bright);
    }

    palette_.ReadPaletteFile(*this);
    ShowPaletteColors();
}

} // namespace qv
