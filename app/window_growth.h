#pragma once

#include <cstdint>
#include <string_view>

namespace qv {

// How a control follows the picture frame when the window is larger than its design: along each
// axis it stays where the design put it, moves by the frame's growth, or grows by it.
enum class Follow : std::uint8_t { Stay, Move, Stretch };

struct Anchor {
    Follow x = Follow::Stay;
    Follow y = Follow::Stay;
};

// The anchor of a control of the window's design, by its name ("cmdOK", "chkPal(12)", ...). The
// frame grows both ways; the file list grows down beside it; what lies right of the frame moves
// right, what lies below it moves down; the folder and report lines grow to the right. Controls
// inside a frame are placed relative to it and stay.
Anchor AnchorOf(std::string_view control);

// A control's place (any unit, the same for all four values).
struct ControlPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ControlPlace &) const = default;
};

// The place of a control of the design when the window is growX wider and growY taller than the
// design (both at least 0).
ControlPlace Grown(const ControlPlace &design, Anchor anchor, int growX, int growY);

} // namespace qv
