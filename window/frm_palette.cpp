// The Palette menu: the choice of the target palette (built-in or an external file) and the
// Convert Palette option with the controls that only matter while it is on.
#include "common/mod_common_dialog.h"
#include "common/paths.h"
#include "common/report_error.h"
#include "common/settings_schema.h"
#include "platform/checked.h"
#include "platform/failure.h"
#include "platform/files.h"
#include "window/frm.h"

#include <span>

namespace qv {
namespace {

constexpr const char *kPaletteFilter =
    "JASC 3 Palette Files (*.pal)|*.pal|JASC 8 Palette Files (*.pal)|*.pal|Photoshop Palette "
    "Files (*.act)|*.act|Wolf3D Palette Object (GAMEPAL.OBJ)|GAMEPAL.OBJ|All Files (*.*)|*.*";
constexpr const char *kPaletteDialogTitle = "Select the JASC palette file to use";
constexpr const char *kExternalCaption = "&Use External: ";

} // namespace

void frm::ConnectPaletteHandlers()
{
    for (MenuItem *item : mnuPaletteOption) {
        connect(item, &MenuItem::Click, this, [this](int index) {
            Handle("mnuPaletteOption_Click", [this, index] { mnuPaletteOption_Click(index); });
        });
    }
    connect(mnuPaletteConvertPalette, &MenuItem::Click, this, [this] {
        Handle("mnuPaletteConvertPalette_Click", [this] { mnuPaletteConvertPalette_Click(); });
    });
}

void frm::mnuPaletteOption_Click(int index)
{
    try {
        const auto last = static_cast<int>(mnuPaletteOption.size()) - 1;
        if (index == last) {
            MenuItem &external = *At(mnuPaletteOption, last);
            int filterIndex = 0;
            std::string path = ShowOpenFileDialog(dialogs_,
                kPaletteFilter,
                kPaletteDialogTitle,
                settingsFolder_,
                external.Tag(),
                filterIndex,
                false);
            if (path.empty()) {
                // Cancelled: the earlier choice stands and nothing is stored.
                cmdOK->setFocus();
                return;
            }
            WriteTextSetting(*ini_, settings::kExternalPalette, path);
            SetExternalPalette(path);
            cmdOK->setFocus();
        }
        for (std::size_t i = 0; i < mnuPaletteOption.size(); ++i) {
            mnuPaletteOption[i]->SetChecked(static_cast<int>(i) == index);
        }
        WriteSetting(*ini_, settings::kPalette, index);
        palette_.ReadPaletteFile(dialogs_, CurrentPaletteChoice());
        ShowPaletteColors();
        RefreshPreview();
    } catch (const Failure &failure) {
        ReportError(dialogs_, "mnuPaletteInternalOption_Click", failure);
    }
}

void frm::SetExternalPalette(std::string &path)
{
    const auto last = static_cast<int>(mnuPaletteOption.size()) - 1;
    MenuItem &external = *At(mnuPaletteOption, last);
    if (!path.empty() && FileExists(path)) {
        external.SetTag(path);
        external.SetCaption(kExternalCaption + FileNameFromPath(path));
        return;
    }
    // A missing file is forgotten by the caller; the item keeps the last file that did exist.
    path.clear();
    if (external.Checked()) {
        At(mnuPaletteOption, 0)->SetChecked(true);
        external.SetChecked(false);
    }
}

void frm::ShowPaletteColors()
{
    const std::array<std::uint32_t, 256> &colors = palette_.PaletteColors();
    for (const auto &[index, checkbox] : chkPal) {
        checkbox->SetColor(At(std::span<const std::uint32_t>(colors), index));
    }
}

void frm::mnuPaletteConvertPalette_Click()
{
    mnuPaletteConvertPalette->SetChecked(!mnuPaletteConvertPalette->Checked());
    mnuTransparencyLeftRightCols->SetEnabled(mnuPaletteConvertPalette->Checked());
    // Everything that only shapes a conversion follows the edge-column item's state.
    const bool enabled = mnuTransparencyLeftRightCols->Enabled();
    for (MenuItem *item : mnuPaletteOption) {
        item->SetEnabled(enabled);
    }
    fraBrightness->setEnabled(enabled);
    cmdSetAllBright->setEnabled(enabled);
    for (std::size_t i = 0; i < lblBright.size(); ++i) {
        lblBright[i]->setEnabled(enabled);
        vsbBright[i]->setEnabled(enabled);
    }
    WriteFlagSetting(*ini_, settings::kConvertPalette, mnuPaletteConvertPalette->Checked());
    if (!SuspendPreview) {
        RefreshPreview();
    }
}

} // namespace qv
