// Start-up: the settings file, the picture folder, the grid of palette-entry checkboxes and every
// stored option, restored into the controls in a fixed order. Restoring a value runs the same
// change handler a user's change would, so what start-up applies is also what gets written back.
#include "common/color_key.h"
#include "common/qt/path_caption.h"
#include "common/settings_schema.h"
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

void frm::Form_Load(const std::string &settingsPath, const std::string &settingsFolder)
{
    settingsFolder_ = settingsFolder;
    ini_->LoadINI(settingsPath);

    std::string folder = ReadTextSetting(*ini_, settings::kPath, settingsFolder);
    if (!FolderExists(folder)) {
        folder = settingsFolder;
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
        chkPal[n].SetValue(ReadSetting(*ini_, settings::kSkip, n));
        chkPal[n].setToolTip(QString::fromStdString(SkipToolTip(n)));
    }

    mnuFileOpenFolder->SetTag(folder);
    SetPathCaption(*lblFolder, File->Path());

    mnuPaletteConvertPalette->SetChecked(ReadFlagSetting(*ini_, settings::kConvertPalette));
    CheckItem(mnuPaletteOption, ReadSetting(*ini_, settings::kPalette));
    CheckItem(mnuVerticalAlignmentOption, ReadSetting(*ini_, settings::kVerticalAlignment));
    CheckItem(mnuHorizontalAlignmentOption, ReadSetting(*ini_, settings::kHorizontalAlignment));
    std::string externalPalette = ReadTextSetting(*ini_, settings::kExternalPalette);
    SetExternalPalette(externalPalette);
    mnuTransparencyApply->SetChecked(ReadFlagSetting(*ini_, settings::kApplyTransparency));
    SetInputTransparencyColor(ReadSetting(*ini_, settings::kInputTransparentColor));
    SetOutputTransparencyColor(ReadSetting(*ini_, settings::kOutputTransparentColor));
    mnuTransparencyLeftRightCols->SetChecked(ReadFlagSetting(*ini_, settings::kTransparentEdges));
    CheckItem(mnuScalingOption, ReadSetting(*ini_, settings::kScaleMode));
    CheckItem(mnuColorMatchingOption, ReadSetting(*ini_, settings::kColorMatching));
    CheckItem(mnuOutputFormat, ReadSetting(*ini_, settings::kOutputFormat));
    mnuTransparencyUseAlpha->SetChecked(ReadFlagSetting(*ini_, settings::kUseAlpha));
    SetAlphaThreshold(ReadSetting(*ini_, settings::kAlphaThreshold));
    SetInputTransparentRgb(
        ParseColorKey(ReadTextSetting(*ini_, settings::kInputTransparentRGB)).key);
    CheckItem(mnuQualityDistance, ReadSetting(*ini_, settings::kColorDistance));
    CheckItem(mnuQualityDithering, ReadSetting(*ini_, settings::kDithering));

    for (int i = 0; i < 3; ++i) {
        vsbBright[i]->SetValue(ReadSetting(*ini_, settings::kBright, i));
    }

    palette_.ReadPaletteFile(dialogs_, CurrentPaletteChoice());
    ShowPaletteColors();
}

} // namespace qv
