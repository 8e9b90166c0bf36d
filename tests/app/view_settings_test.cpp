#include "app/session.h"
#include "common/settings_schema.h"
#include "platform/failure.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/temp_dir.h"

#include <functional>
#include <string>

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
    {
        ini = program.Write("quorvantile.ini", settings);
        session.Form_Load(ini, program.Path());
    }
};

// What the views are restored to, read from a session.
struct ViewValues {
    PictureView view;
    PictureZoom zoom;
    int level;
    std::string colorMap;
    int width;
    int height;
    bool operator==(const ViewValues &) const = default;
};

ViewValues ValuesOf(const Session &s)
{
    return {s.GetPictureView(),
        s.GetZoom(),
        s.GetLightLevel(),
        s.ColorMapPath(),
        s.GetWindowWidth(),
        s.GetWindowHeight()};
}

TEST(ViewSettings, StoredValuesAreRestoredAtTheNextStart)
{
    const struct {
        const char *name;
        std::function<void(Session &)> change;
        const char *written; // a line the settings file then holds
        ViewValues restored;
    } rows[] = {
        {"side by side",
            [](Session &s) { s.SetPictureView(PictureView::SideBySide); },
            "PictureView=2",
            {PictureView::SideBySide, PictureZoom::Fit, 0, "", 0, 0}},
        {"difference",
            [](Session &s) { s.SetPictureView(PictureView::Difference); },
            "PictureView=3",
            {PictureView::Difference, PictureZoom::Fit, 0, "", 0, 0}},
        {"zoom 4x",
            [](Session &s) { s.SetZoom(PictureZoom::X4); },
            "Zoom=3",
            {PictureView::Original, PictureZoom::X4, 0, "", 0, 0}},
        {"light level",
            [](Session &s) { s.SetLightLevel(31); },
            "LightLevel=31",
            {PictureView::Original, PictureZoom::Fit, 31, "", 0, 0}},
        {"colour map",
            [](Session &s) { s.SetColorMapPath("/g/doom2.wad"); },
            "ColorMap=/g/doom2.wad",
            {PictureView::Original, PictureZoom::Fit, 0, "/g/doom2.wad", 0, 0}},
        {"window size",
            [](Session &s) { s.SetWindowSize(1024, 700); },
            "WindowHeight=700",
            {PictureView::Original, PictureZoom::Fit, 0, "", 1024, 700}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Started first("[General]\r\n");
        first.view.told = {};

        row.change(first.session);

        EXPECT_TRUE(first.view.told.Has(Change::ViewSettings));
        const std::vector<std::uint8_t> bytes = test::ReadBytes(first.ini);
        EXPECT_NE(std::string(bytes.begin(), bytes.end()).find(row.written), std::string::npos);
        Started next(std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(ValuesOf(next.session), row.restored);
    }
}

TEST(ViewSettings, DefaultsKeepTodaysWindowAndAFirstStartWritesNoneOfThem)
{
    const struct {
        const char *name;
        const char *settings;
    } rows[] = {
        {"no file's keys", "[General]\r\n"},
        {"values out of range",
            "[General]\r\nPictureView=4\r\nZoom=-1\r\nLightLevel=70000\r\n"
            "WindowWidth=99999\r\nWindowHeight=-5\r\n"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Started started(row.settings);
        const std::vector<std::uint8_t> before = test::ReadBytes(started.ini);

        EXPECT_EQ(ValuesOf(started.session),
            (ViewValues {PictureView::Original, PictureZoom::Fit, 0, "", 0, 0}));
        EXPECT_EQ(started.session.ShowChoice(), 0);
        const std::string text(before.begin(), before.end());
        for (const Setting *setting : {&settings::kPictureView,
                 &settings::kZoom,
                 &settings::kLightLevel,
                 &settings::kColorMap,
                 &settings::kWindowWidth,
                 &settings::kWindowHeight}) {
            EXPECT_EQ(text.find(std::string(setting->key) + "=") != std::string::npos,
                std::string(row.settings).find(std::string(setting->key) + "=")
                    != std::string::npos)
                << setting->key;
        }
    }
}

TEST(ViewSettings, AValueOutsideItsRangeIsRefusedAndNotStored)
{
    Started started("[General]\r\n");
    const std::vector<std::uint8_t> before = test::ReadBytes(started.ini);
    const std::function<void(Session &)> refused[] = {
        [](Session &s) { s.SetPictureView(static_cast<PictureView>(4)); },
        [](Session &s) { s.SetZoom(static_cast<PictureZoom>(-1)); },
        [](Session &s) { s.SetLightLevel(65536); },
        [](Session &s) { s.SetWindowSize(-1, 100); },
    };
    for (const auto &change : refused) {
        EXPECT_THROW(change(started.session), Failure);
    }
    EXPECT_EQ(test::ReadBytes(started.ini), before);
    EXPECT_EQ(ValuesOf(started.session),
        (ViewValues {PictureView::Original, PictureZoom::Fit, 0, "", 0, 0}));
}

} // namespace
} // namespace qv
