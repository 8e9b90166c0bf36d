#include "app/window_growth.h"

#include <array>
#include <utility>

namespace qv {
namespace {

void Follows(Follow follow, int grow, int &start, int &length)
{
    if (follow == Follow::Move) {
        start += grow;
    } else if (follow == Follow::Stretch) {
        length += grow;
    }
}

} // namespace

Anchor AnchorOf(std::string_view control)
{
    using enum Follow;
    // Names that end in "(" stand for every member of a control array.
    static constexpr std::array<std::pair<std::string_view, Anchor>, 14> kAnchors {{
        {"fraImage", {Stretch, Stretch}},
        {"File", {Stay, Stretch}},
        {"cmdRefreshFileList", {Stay, Move}},
        {"lbl(0)", {Stay, Move}},
        {"vsbSize", {Stay, Move}},
        {"lblSize", {Stay, Move}},
        {"cmdAnalyze", {Stay, Move}},
        {"fraBrightness", {Stay, Move}},
        {"cmdOK", {Move, Move}},
        {"lbl(7)", {Move, Stay}},
        {"cmdResetSkips", {Move, Stay}},
        {"chkPal(", {Move, Stay}},
        {"lblFolder", {Stretch, Stay}},
        {"lblReport", {Stretch, Move}},
    }};
    for (const auto &[name, anchor] : kAnchors) {
        if (control == name || (name.back() == '(' && control.starts_with(name))) {
            return anchor;
        }
    }
    return {};
}

ControlPlace Grown(const ControlPlace &design, Anchor anchor, int growX, int growY)
{
    ControlPlace place = design;
    Follows(anchor.x, growX, place.left, place.width);
    Follows(anchor.y, growY, place.top, place.height);
    return place;
}

} // namespace qv
