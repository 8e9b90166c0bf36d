#pragma once

#include "engine/engine_host.h"
#include "palette/palette_store.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/fake_palette_host.h"
#include "tests/support/temp_dir.h"

#include <array>
#include <string>
#include <vector>

namespace qv::test {

// An EngineHost whose options are plain fields, as the window's controls would hold them. The
// defaults are the program's first-start settings: WOLF3D, Convert Palette, Apply Transparency and
// Transparent Edges on, both transparent colours 255 with entry 255 skipped, Bottom / Center
// alignment, Pixel matching, no scaling, brightness 100, a square of 64. It owns its own palette
// store and scripted dialog service, and records previews and Convert Palette commands.
class FakeEngineHost : public FakePaletteFields<EngineHost>
{
public:
    FakeEngineHost();

    PaletteStore store;

    int largestSquareSize = 512;
    int squareSize = 64;
    int scaling = 0;
    int verticalAlignment = 2;
    int horizontalAlignment = 1;
    int colorMatching = 0;
    bool convertPalette = true;
    bool transparentEdges = true;
    std::array<int, 3> brightness = {100, 100, 100}; // red, green, blue
    std::string backupFolder;

    // Every preview shown, in order, and how often Convert Palette was run.
    std::vector<PreviewPicture> previews;
    int convertPaletteCommands = 0;

    // Chooses the palette file at path (the external palette option).
    void UsePaletteFile(const std::string &path);

    PaletteStore &Palette() override { return store; }
    int LargestSquareSize() override { return largestSquareSize; }
    int SquareSize() override { return squareSize; }
    int GetScalingOption() override { return scaling; }
    int GetVerticalAlignmentOption() override { return verticalAlignment; }
    int GetHorizontalAlignmentOption() override { return horizontalAlignment; }
    int GetColorMatchingOption() override { return colorMatching; }
    bool ConvertPaletteChecked() override { return convertPalette; }
    bool TransparentEdgesChecked() override { return transparentEdges; }
    int BrightnessValue(int channel) override;
    void RunConvertPaletteCommand() override;
    std::string BackupFolder() override { return backupFolder; }
    void ShowPreview(const PreviewPicture &picture) override { previews.push_back(picture); }
};

// A Photoshop ACT palette (768 bytes) of the grey ramp: entry i is (i, i, i), so the nearest entry
// to grey g is g, and the mean of two entries' colours is an entry again.
std::vector<std::uint8_t> GreyActPalette();

// The palette byte table of the grey ramp (blue, green, red, 0 per entry).
std::vector<std::uint8_t> GreyPaletteTable();

// A palette host whose target palette is the grey ramp, chosen as an external ACT file.
struct GreyPalette {
    explicit GreyPalette(bool skip255 = false)
    {
        host.paletteNumber = FakePaletteHost::kLastPaletteOption;
        host.tags[FakePaletteHost::kLastPaletteOption] = dir.Write("grey.act", GreyActPalette());
        host.skipValues[255] = skip255 ? 1 : 0;
    }

    TempDir dir;
    FakePaletteHost host;
    PaletteStore store;
};

} // namespace qv::test
