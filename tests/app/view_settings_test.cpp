#include "app/session.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/temp_dir.h"

#include <functional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace qv {
namespace {

class RecordingView : public SessionView
{
public:
    void Changed(ChangeSet changes) override { told = told | changes; }
    ChangeSet told;
};

// A session started on a settings file of the text given, in a folder without pictures.
struct Started {
    test::TempDir program;
    ScriptedDialogService dialogs;
    RecordingView view;
    Session session {dialogs, view};
    std::string ini;

    explicit Started(const std::string &settings)
        : ini(program.Write("quorvantile.ini", settings))
    {
        session.Form_Load(ini, program.Path());
    }

    std::string Text() const
    {
        const std::vector<std::uint8_t> bytes = test::ReadBytes(ini);
        return {bytes.begin(), bytes.end()};
    }

    auto Values() const
    {
        return std::tuple(session.GetPictureView(),
            session.GetZoom(),
            session.GetLightLevel(),
            session.ColorMapPath(),
            session.GetWindowWidth(),
            session.GetWindowHeight());
    }
};

const auto kDefaults = std::tuple(PictureView::Original, PictureZoom::Fit, 0, std::string(), 0, 0);

// A first start writes none of the keys; each change stores its own at once and tells the view;
// the next start restores them all.
TEST(ViewSettings, StoredValuesAreRestoredAtTheNextStart)
{
    const struct {
        std::function<void(Session &)> change;
        std::string written;
    } rows[] = {
        {[](Session &s) { s.SetPictureView(PictureView::Difference); }, "PictureView=3"},
        {[](Session &s) { s.SetZoom(PictureZoom::X4); }, "Zoom=3"},
        {[](Session &s) { s.SetLightLevel(31); }, "LightLevel=31"},
        {[](Session &s) { s.SetColorMapPath("/g/doom2.wad"); }, "ColorMap=/g/doom2.wad"},
        {[](Session &s) { s.SetWindowSize(1024, 700); }, "WindowWidth=1024"},
    };
    Started first("[General]\r\n");
    EXPECT_EQ(first.Values(), kDefaults);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.written);
        const std::string key = row.written.substr(0, row.written.find('=') + 1);
        EXPECT_EQ(first.Text().find(key), std::string::npos);
        first.view.told = {};

        row.change(first.session);

        EXPECT_TRUE(first.view.told.Has(Change::ViewSettings));
        EXPECT_NE(first.Text().find(row.written), std::string::npos) << first.Text();
    }
    const Started next(first.Text());
    EXPECT_EQ(next.Values(),
        std::tuple(
            PictureView::Difference, PictureZoom::X4, 31, std::string("/g/doom2.wad"), 1024, 700));
}

} // namespace
} // namespace qv
