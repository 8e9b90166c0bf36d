// Start-up: the settings file, the picture folder, the palette-entry boxes and every stored
// option, restored in a fixed order. Restoring a value runs the same change command a user's
// change would, so what start-up applies is also what gets written back.
#include "app/session.h"
#include "common/color_key.h"
#include "common/option_table.h"
#include "common/settings_schema.h"
#include "platform/app_info.h"
#include "platform/files.h"

namespace qv {

void Session::Form_Load(const std::string &settingsPath, const std::string &settingsFolder)
{
    settingsFolder_ = settingsFolder;
    ini_->LoadINI(settingsPath);

    std::string folder = ReadTextSetting(*ini_, settings::kPath, settingsFolder);
    if (!FolderExists(folder)) {
        folder = settingsFolder;
    }
    title_ = std::string(kAppTitle) + " v" + VersionText();

    // How the first picture is shown (its zoom) comes before it.
    ReadViewSettings();
    files_.SetPath(folder);
    Tell(Change::FileList | Change::Selection);
    if (files_.ListCount() > 0) {
        SelectFile(0);
    }

    for (int n = 0; n < 256; ++n) {
        SetSkipValue(n, ReadSetting(*ini_, settings::kSkip, n));
    }

    folderTag_ = folder;
    Tell(Change::Folder);

    // Every menu choice and check item; none of them is stored back.
    ReadTableOptions(*ini_, options_);
    paletteNumber_ = ReadSetting(*ini_, settings::kPalette);
    std::string externalPalette = ReadTextSetting(*ini_, settings::kExternalPalette);
    SetExternalPalette(externalPalette);
    SetInputTransparencyColor(ReadSetting(*ini_, settings::kInputTransparentColor));
    SetOutputTransparencyColor(ReadSetting(*ini_, settings::kOutputTransparentColor));
    SetAlphaThreshold(ReadSetting(*ini_, settings::kAlphaThreshold));
    SetDitherStrength(ReadSetting(*ini_, settings::kDitherStrength));
    SetInputTransparentRgb(
        ParseColorKey(ReadTextSetting(*ini_, settings::kInputTransparentRGB)).key);
    Tell(Change::Options);

    for (int i = 0; i < 3; ++i) {
        SetBrightnessValue(i, ReadSetting(*ini_, settings::kBright, i));
    }

    palette_.ReadPaletteFile(dialogs_, CurrentPaletteChoice());
    Tell(Change::PaletteColors);
}

} // namespace qv
