#pragma once

#include "palette/palette_host.h"
#include "platform/scripted_dialog_service.h"

#include <array>
#include <string>

namespace qv::test {

// The palette options of a host as plain fields, as the window's controls would hold them, on top
// of Host (PaletteHost or an interface derived from it). By default: palette 0 (WOLF3D), no
// external file, no entry skipped, transparency off with both transparent colours at 255.
// Messages go to the scripted dialog service `dialogs`.
template <typename Host> class FakePaletteFields : public Host
{
public:
    static constexpr int kLastPaletteOption = 7;

    ScriptedDialogService dialogs;
    int paletteNumber = 0;
    std::array<std::string, kLastPaletteOption + 1> captions = {"WOLF3D",
        "SPEAR",
        "BLAKESTONE",
        "BODYCOUNT",
        "CORRIDOR7",
        "NOAH3D",
        "DOOM",
        "&Use External"};
    std::array<std::string, kLastPaletteOption + 1> tags {};
    std::array<int, 256> skipValues {}; // 1 excludes the entry from matching
    bool applyTransparency = false;
    int inputTransparencyColor = 255;
    int outputTransparencyColor = 255;

    DialogService &Dialogs() override { return dialogs; }
    int GetPaletteNumber() override { return paletteNumber; }
    int LastPaletteOption() override { return kLastPaletteOption; }
    std::string PaletteOptionCaption(int index) override { return captions.at(Index(index)); }
    std::string PaletteOptionTag(int index) override { return tags.at(Index(index)); }
    int SkipValue(int index) override { return skipValues.at(Index(index)); }
    bool ApplyTransparencyChecked() override { return applyTransparency; }
    int GetInputTransparencyColor() override { return inputTransparencyColor; }
    int GetOutputTransparencyColor() override { return outputTransparencyColor; }

private:
    static std::size_t Index(int index) { return static_cast<std::size_t>(index); }
};

using FakePaletteHost = FakePaletteFields<PaletteHost>;

} // namespace qv::test
