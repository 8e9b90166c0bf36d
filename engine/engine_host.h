#pragma once

#include "palette/palette_host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class PaletteStore;

// How the preview box shows a converted picture (sizes in twips, 15 twips per pixel at 96 dpi).
struct PreviewBox {
    bool stretch = false; // draw the picture stretched to a square box
    float boxTwips = 0.0F; // side of that square box; unused without stretching
};

// A converted picture for the preview: the complete 8-bit bitmap file bytes, the palette byte
// table to colour it with, and how to show it.
struct PreviewPicture {
    std::vector<std::uint8_t> fileBytes;
    std::vector<std::uint8_t> paletteTable;
    PreviewBox box;
};

// What the conversion engine asks of its owner. The main window implements it from its
// controls and menus; a command-line front end from a settings file; tests with a fake.
class EngineHost : public PaletteHost
{
public:
    // The one palette store of the program, owned by the host.
    virtual PaletteStore &Palette() = 0;

    // Largest permitted side of the output square (the size control's upper end, 512).
    virtual int LargestSquareSize() = 0;
    // Current side of the output square.
    virtual int SquareSize() = 0;

    // Index of the checked item of each option menu (0 when none is checked).
    virtual int GetScalingOption() = 0; // 0 None, 1 64x64, 2 128x128, 3 32x32
    virtual int GetVerticalAlignmentOption() = 0; // 0 Top, 1 Center, 2 Bottom, 3 Weighted
    virtual int GetHorizontalAlignmentOption() = 0; // 0 Left, 1 Center, 2 Right, 3 Weighted
    virtual int GetColorMatchingOption() = 0; // 0 Pixel, 1 Row, 2 Column, 3 Square

    virtual bool ConvertPaletteChecked() = 0;
    virtual bool TransparentEdgesChecked() = 0;
    // Brightness of a channel, 0..200 with 100 neutral: 0 red, 1 green, 2 blue.
    virtual int BrightnessValue(int channel) = 0;

    // Runs the Convert Palette menu command with preview refreshes suspended; afterwards
    // ConvertPaletteChecked() is true.
    virtual void RunConvertPaletteCommand() = 0;

    // Folder that receives the backup copy of each input before it is overwritten.
    virtual std::string BackupFolder() = 0;

    // Shows a converted picture in the preview box.
    virtual void ShowPreview(const PreviewPicture &picture) = 0;
};

} // namespace qv
