// The Palette menu: the choice of the target palette (built-in or an external file) and the
// Convert Palette option with the controls that only matter while it is on.
#include "app/session.h"
#include "common/mod_common_dialog.h"
#include "common/option_table.h"
#include "common/report_error.h"
#include "common/settings_schema.h"
#include "palette/load_palette_data.h"
#include "platform/failure.h"
#include "platform/files.h"

namespace qv {
namespace {

// The first four filters and the last are the classic ones; the filter picked never decides
// how a file is read.
constexpr const char *kPaletteFilter =
    "JASC 3 Palette Files (*.pal)|*.pal|JASC 8 Palette Files (*.pal)|*.pal|Photoshop Palette "
    "Files (*.act)|*.act|Wolf3D Palette Object (GAMEPAL.OBJ)|GAMEPAL.OBJ|"
    "GIMP Palettes (*.gpl)|*.gpl|Hex Palettes (*.hex)|*.hex|Paint.NET Palettes (*.txt)|*.txt|"
    "Adobe Swatches (*.aco;*.ase)|*.aco;*.ase|"
    "Indexed Pictures (*.bmp;*.png)|*.bmp;*.png|"
    "Game Palettes (*.wad;*.pak;*.lmp;*.dat)|*.wad;*.pak;*.lmp;*.dat|"
    "All Files (*.*)|*.*";
constexpr const char *kPaletteDialogTitle = "Select the JASC palette file to use";

} // namespace

void Session::mnuPaletteOption_Click(int index)
{
    try {
        if (index == kExternalPaletteOption) {
            int filterIndex = 0;
            std::string path = ShowOpenFileDialog(dialogs_,
                kPaletteFilter,
                kPaletteDialogTitle,
                settingsFolder_,
                externalPalette_,
                filterIndex,
                false);
            if (path.empty()) {
                // Cancelled: the earlier choice stands and nothing is stored.
                view_.FocusConvertButton();
                return;
            }
            WriteTextSetting(*ini_, settings::kExternalPalette, path);
            SetExternalPalette(path);
            view_.FocusConvertButton();
        }
        if (index < 0 || index > kExternalPaletteOption) {
            Fail(kSubscriptOutOfRange);
        }
        paletteNumber_ = index;
        Tell(Change::Options);
        WriteSetting(*ini_, settings::kPalette, index);
        palette_.ReadPaletteFile(dialogs_, CurrentPaletteChoice());
        Tell(Change::PaletteColors);
        RefreshPreview();
    } catch (const Failure &failure) {
        ReportError(dialogs_, "mnuPaletteInternalOption_Click", failure);
    }
}

void Session::SetExternalPalette(std::string &path)
{
    if (!path.empty() && FileExists(path)) {
        externalPalette_ = path;
        externalPaletteDetail_ = DescribePaletteFile(path);
        Tell(Change::Options);
        return;
    }
    // A missing file is forgotten by the caller; the item keeps the last file that did exist.
    path.clear();
    if (paletteNumber_ == kExternalPaletteOption) {
        paletteNumber_ = 0;
        Tell(Change::Options);
    }
}

void Session::mnuPaletteConvertPalette_Click()
{
    options_.convertPalette = !options_.convertPalette;
    // Everything that only shapes a conversion follows the check mark from now on.
    conversionControlsEnabled_ = options_.convertPalette;
    Tell(Change::Options | Change::Enabled);
    WriteFlagSetting(*ini_, settings::kConvertPalette, options_.convertPalette);
    if (!SuspendPreview) {
        RefreshPreview();
    }
}

} // namespace qv
