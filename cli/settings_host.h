#pragma once

#include "cli/convert_settings.h"
#include "engine/engine_host.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"

#include <string>

namespace qv::cli {

// The engine's owner on the command line: every query is answered from plain settings, every
// message box is recorded for the caller to print, and nothing is ever written to a settings
// file. Each worker thread has its own host, so palette store and recorder are never shared.
class SettingsHost : public EngineHost
{
public:
    explicit SettingsHost(const ConvertSettings &settings);

    ConvertSettings &Settings() { return settings_; }
    // The messages the engine has shown; the caller clears it between files.
    ScriptedDialogService &Recorder() { return dialogs_; }
    // Backup folder of the picture about to be converted (each picture's own folder has one).
    void SetBackupFolder(const std::string &folder) { backupFolder_ = folder; }

    DialogService &Dialogs() override { return dialogs_; }
    int GetPaletteNumber() override { return settings_.paletteNumber; }
    int LastPaletteOption() override { return kExternalPaletteOption; }
    std::string PaletteOptionCaption(int index) override;
    std::string PaletteOptionTag(int index) override;
    int SkipValue(int index) override;
    bool ApplyTransparencyChecked() override { return settings_.applyTransparency; }
    int GetInputTransparencyColor() override { return settings_.inputTransparent; }
    int GetOutputTransparencyColor() override { return settings_.outputTransparent; }

    PaletteStore &Palette() override { return store_; }
    int LargestSquareSize() override;
    int SquareSize() override { return settings_.squareSize; }
    int GetScalingOption() override { return settings_.scaling; }
    int GetVerticalAlignmentOption() override { return settings_.verticalAlignment; }
    int GetHorizontalAlignmentOption() override { return settings_.horizontalAlignment; }
    int GetColorMatchingOption() override { return settings_.colorMatching; }
    bool ConvertPaletteChecked() override { return settings_.convertPalette; }
    bool TransparentEdgesChecked() override { return settings_.transparentEdges; }
    int BrightnessValue(int channel) override;
    // Stays on for every later picture of this host, as the window's menu check does.
    void RunConvertPaletteCommand() override { settings_.convertPalette = true; }
    std::string BackupFolder() override { return backupFolder_; }
    // There is no preview box on the command line.
    void ShowPreview(const PreviewPicture &) override { }

private:
    ConvertSettings settings_;
    ScriptedDialogService dialogs_;
    PaletteStore store_;
    std::string backupFolder_;
};

} // namespace qv::cli
