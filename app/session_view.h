#pragma once

#include <cstdint>

namespace qv {

// The parts of the window's state a command can change; a view shows each part again when told.
enum class Change : std::uint32_t {
    Folder = 1U << 0, // the picture folder's caption
    FileList = 1U << 1, // the entries of the file list
    Selection = 1U << 2, // which entries are selected, and the current one
    Options = 1U << 3, // check marks and captions of the option menus and items
    Enabled = 1U << 4, // the controls that only matter while Convert Palette is on
    Skips = 1U << 5, // the values of the 256 palette-entry boxes
    PaletteColors = 1U << 6, // the colours of those boxes
    Size = 1U << 7, // the size bar's range and value, and the size label
    Brightness = 1U << 8, // the three brightness bars and their labels
    Picture = 1U << 9, // the picture in the frame (none, the original or a preview)
    FrameTitle = 1U << 10, // the frame's caption: the file name and its size
    Report = 1U << 11, // the mapping report line under the frame
    ShowChoice = 1U << 12, // which of Original and Preview is chosen
    ViewSettings = 1U << 13, // the picture view, zoom, light level, colour map and window size
    Hover = 1U << 14, // the line under the frame alone, while the mouse is over the picture
};

// A set of changes.
class ChangeSet
{
public:
    constexpr ChangeSet() = default;
    constexpr ChangeSet(Change change) // NOLINT(google-explicit-constructor): one change is a set
        : bits_(static_cast<std::uint32_t>(change))
    { }
    constexpr ChangeSet operator|(ChangeSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr bool Has(Change change) const
    {
        return (bits_ & static_cast<std::uint32_t>(change)) != 0;
    }
    constexpr bool Empty() const { return bits_ == 0; }
    static constexpr ChangeSet All() { return FromBits((1U << 15) - 1); }

private:
    static constexpr ChangeSet FromBits(std::uint32_t bits)
    {
        ChangeSet set;
        set.bits_ = bits;
        return set;
    }
    std::uint32_t bits_ = 0;
};

constexpr ChangeSet operator|(Change a, Change b)
{
    return ChangeSet(a) | ChangeSet(b);
}

// What a session asks of the window that shows it. The session owns every value; a view shows
// them and hands the user's actions to the session's commands.
class SessionView
{
public:
    virtual ~SessionView() = default;

    // Parts of the session's state changed: show them again (read them from the session).
    virtual void Changed(ChangeSet changes) = 0;

    // The Convert button takes the keyboard focus, as several commands end.
    virtual void FocusConvertButton() { }

    // The busy mouse pointer while long work runs on the window's thread, or the default one.
    virtual void SetBusy(bool /*busy*/) { }

    // Lets the window repaint (no input) while a batch without a progress window runs.
    virtual void KeepPainting() { }

    // File > Exit.
    virtual void CloseWindow() { }

    // The screen's twips per pixel, horizontally and vertically, for the picture click.
    virtual double TwipsPerPixelX() const { return 15.0; }
    virtual double TwipsPerPixelY() const { return 15.0; }
};

} // namespace qv
