#pragma once

#include "platform/qt/mouse_pointer.h"
#include "tests/support/bmp_builder.h"
#include "tests/window/window_fixture.h"

#include <memory>
#include <string>
#include <vector>

namespace qv::test {

// The main window with its preview display counted, noting whether the busy pointer showed.
class CountingWindow : public TestWindow
{
public:
    using TestWindow::TestWindow;
    void Changed(ChangeSet changes) override
    {
        if (changes.Has(Change::Picture)
            && session().Picture().kind == ShownPicture::Kind::Preview) {
            busyWhileShowing.push_back(MousePointer::IsBusy());
        }
        frm::Changed(changes);
    }
    int Previews() const { return static_cast<int>(busyWhileShowing.size()); }
    std::vector<bool> busyWhileShowing;
};

// An 8-bit bitmap whose pixels all hold index fill, but (x, y) of each spot holds spot index.
struct Spot {
    int x, y, index;
};
inline std::vector<std::uint8_t> EightBitPicture(
    int width, int height, int fill, const std::vector<Spot> &spots = {})
{
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    const int stride = BmpStride(width, 8);
    layout.pixels.assign(
        static_cast<std::size_t>(stride * height), static_cast<std::uint8_t>(fill));
    for (const Spot &s : spots) {
        layout.pixels[static_cast<std::size_t>(s.y * stride + s.x)] =
            static_cast<std::uint8_t>(s.index);
    }
    return BuildBmp(layout);
}

// Starts a CountingWindow as WindowFixture::Start starts the plain one: the settings text after
// a "Path" naming the fixture's picture folder.
inline CountingWindow &StartCounting(WindowFixture &fixture, const std::string &settingsText = "")
{
    fixture.program.Write(
        "quorvantile.ini", "[General]\r\nPath=" + fixture.pictures.Path() + "\r\n" + settingsText);
    auto window = std::make_unique<CountingWindow>(fixture.dialogs);
    CountingWindow &counting = *window;
    fixture.window = std::move(window);
    counting.Form_Load(fixture.SettingsPath(), fixture.program.Path());
    return counting;
}

// StartCounting on a folder holding a.bmp, an 8-bit width x height picture, in the Preview view
// (or the Original view), so that every refresh that runs is counted.
inline CountingWindow &StartWithPicture(WindowFixture &fixture,
    const std::string &settingsText = "",
    bool preview = true,
    int width = 8,
    int height = 8)
{
    fixture.pictures.Write("a.bmp", EightBitPicture(width, height, 1));
    CountingWindow &window = StartCounting(fixture, settingsText);
    window.optShow[preview ? 1 : 0]->setChecked(true);
    return window;
}

} // namespace qv::test
