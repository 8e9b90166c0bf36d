#pragma once

#include "platform/dialog_service.h"

#include <string>

namespace qv {

// What the palette code asks of its owner, the main window (or a command-line front end). The
// options live in the owner's controls and are asked for each time they are needed.
class PaletteHost
{
public:
    virtual ~PaletteHost() = default;

    virtual DialogService &Dialogs() = 0;

    // Index of the first checked item of the Palette menu's palette list, 0 when none is.
    virtual int GetPaletteNumber() = 0;
    // Highest index of that list (7: the external file).
    virtual int LastPaletteOption() = 0;
    // Caption of item index; for the built-in palettes it is the resource name ("WOLF3D").
    virtual std::string PaletteOptionCaption(int index) = 0;
    // Tag of item index; the last item keeps the external palette's full path there.
    virtual std::string PaletteOptionTag(int index) = 0;

    // Value of the skip checkbox of a palette entry: 0 lets the matcher use the entry.
    virtual int SkipValue(int index) = 0;

    virtual bool ApplyTransparencyChecked() = 0;
    virtual int GetInputTransparencyColor() = 0;
    virtual int GetOutputTransparencyColor() = 0;
};

} // namespace qv
