#include "app/session.h"
#include "engine/resize_bmp.h"
#include "palette/color_spaces.h"
#include "palette/difference_picture.h"
#include "platform/failure.h"
#include "platform/scripted_dialog_service.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/fake_sink.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <new>
#include <set>
#include <stdexcept>
#include <tuple>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::ReadBytes;
using test::TempDir;

// A view without widgets: it only notes what it was told.
class RecordingView : public SessionView
{
public:
    void Changed(ChangeSet changes) override
    {
        told = told | changes;
        if (changes.Has(Change::Picture) && onPicture) {
            onPicture();
        }
    }
    void FocusConvertButton() override { ++focused; }
    ChangeSet told;
    int focused = 0;
    std::function<void()> onPicture;
};

// A session started on a picture folder with a settings file of its own, and no window at all.
struct Headless {
    TempDir program;
    TempDir pictures;
    ScriptedDialogService dialogs;
    RecordingView view;
    Session session {dialogs, view};

    explicit Headless(const std::vector<std::pair<std::string, test::BmpLayout>> &files,
        const std::string &settings = "")
    {
        for (const auto &[name, layout] : files) {
            pictures.Write(name, test::BuildBmp(layout));
        }
        program.Write(
            "quorvantile.ini", "[General]\r\nPath=" + pictures.Path() + "\r\n" + settings);
        session.Form_Load(program.File("quorvantile.ini"), program.Path());
    }

    void SelectAll()
    {
        const std::vector<bool> all(static_cast<std::size_t>(session.Files().ListCount()), true);
        session.File_SelectionChanged(all, 0);
    }
};

test::BmpLayout Picture(int width, int height, int bitCount)
{
    return {.width = width,
        .height = height,
        .bitCount = static_cast<std::int16_t>(bitCount),
        .seed = static_cast<std::uint32_t>(width + height)};
}

TEST(Session, ConvertsTheSelectionInPlaceAsOneConversionAtATimeWould)
{
    Headless h({{"a.bmp", Picture(40, 30, 24)}, {"b.bmp", Picture(20, 20, 8)}}, "ScaleMode=1\r\n");
    // The same pictures converted one by one with the session's options, for comparison.
    TempDir expected;
    for (const char *name : {"a.bmp", "b.bmp"}) {
        std::filesystem::copy_file(h.pictures.File(name), expected.File(name));
        test::FakeSink sink;
        PaletteStore store;
        std::int32_t side = 64;
        ASSERT_EQ(ResizeBMP(sink,
                      store,
                      h.session.CurrentOptions(),
                      expected.File(name),
                      side,
                      side,
                      ResizeDestination::OutputFile(expected.File(std::string("out-") + name)))
                      .Status(),
            ResizeResult::Converted);
    }
    const auto original = ReadBytes(h.pictures.File("a.bmp"));
    h.SelectAll();
    h.dialogs.ClearLog();

    h.session.cmdOK_Click();

    EXPECT_EQ(h.dialogs.MessageTexts(), std::vector<std::string> {"Converted 2 file(s)."});
    for (const char *name : {"a.bmp", "b.bmp"}) {
        EXPECT_EQ(
            ReadBytes(h.pictures.File(name)), ReadBytes(expected.File(std::string("out-") + name)))
            << name;
    }
    EXPECT_EQ(ReadBytes(h.pictures.File("Quorvantile Backup/a.bmp")), original);
    EXPECT_EQ(h.session.BackupFolder(), h.pictures.File("Quorvantile Backup"));
}

TEST(Session, FindMinimumSetsTheSmallestSquareThatHoldsTheSelection)
{
    struct Row {
        std::vector<std::pair<int, int>> sizes;
        int square;
    };
    const Row rows[] = {
        {{{40, 30}, {20, 20}}, 40},
        {{{10, 6}}, 16}, // the smallest permitted size went down to 16 with the picture
        {{{61, 7}, {3, 50}}, 64},
    };
    for (const Row &row : rows) {
        std::vector<std::pair<std::string, test::BmpLayout>> files;
        for (const auto &[w, h] : row.sizes) {
            files.push_back({"p" + std::to_string(files.size()) + ".bmp", Picture(w, h, 24)});
        }
        Headless h(files);
        h.SelectAll();
        h.view.told = {};
        h.session.cmdAnalyze_Click();
        EXPECT_EQ(h.session.SizeBar().Value(), row.square) << row.square;
        EXPECT_EQ(h.view.told.Has(Change::Size), row.square != 64);
        EXPECT_GE(h.view.focused, 1);
    }
}

TEST(Session, AFailureEscapingACommandIsReportedUnderItsName)
{
    struct Row {
        std::function<void()> command;
        std::string start;
    };
    const Row rows[] = {
        {[] { Fail(kOverflow); }, "Error in cmdX_Click\r\nError #6\r\n"},
        {[] { throw std::bad_alloc(); }, "Error in cmdX_Click\r\nError #7\r\n"},
        {[] { throw std::runtime_error("odd"); }, "Error in cmdX_Click\r\nError #51\r\nodd"},
    };
    for (const Row &row : rows) {
        Headless h({});
        h.dialogs.ClearLog();
        h.session.Handle("cmdX_Click", row.command);
        ASSERT_EQ(h.dialogs.Log().size(), 1U);
        EXPECT_EQ(h.dialogs.Log()[0].title, "cmdX_Click Error");
        EXPECT_TRUE(h.dialogs.Log()[0].text.starts_with(row.start)) << h.dialogs.Log()[0].text;
        // The session goes on.
        h.session.Handle("cmdX_Click", [&] { h.session.mnuScalingOption_Click(1); });
        EXPECT_EQ(h.session.GetScalingOption(), 1);
    }
}

} // namespace
} // namespace qv

namespace qv {
namespace {

// The items that show their value say it the same in both views; a file name's "&" shows as
// itself rather than underlining the next letter.
TEST(Session, CaptionsShowTheValuesHeld)
{
    TempDir palettes;
    const std::string palette =
        palettes.Write("Tom & Jerry.pal", std::vector<std::uint8_t>(768, 7));
    const struct {
        std::string settings;
        std::vector<std::string> captions; // external, input, output, threshold, strength, offsets
    } rows[] = {
        {"",
            {"&Use External",
                "&Input Transparent Color: 255",
                "&Output Transparent Color: 255",
                "Alpha &Threshold: 128",
                "Dither Stren&gth: 100 %",
                "C&ustom Offsets (0,0)…"}},
        {"Palette=7\r\nExternalPalette=" + palette
                + "\r\nInputTransparentColor=300\r\nOutputTransparentColor=-4\r\n"
                  "AlphaThreshold=9\r\nDitherStrength=35\r\nOffsetX=-3\r\nOffsetY=12\r\n",
            {"&Use External: Tom && Jerry.pal",
                "&Input Transparent Color: 300",
                "&Output Transparent Color: -4",
                "Alpha &Threshold: 9",
                "Dither Stren&gth: 35 %",
                "C&ustom Offsets (-3,12)…"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.settings);
        Headless h({}, row.settings);
        const Session &s = h.session;
        EXPECT_EQ((std::vector<std::string> {s.ExternalPaletteCaption(),
                      s.InputTransparentColorCaption(),
                      s.OutputTransparentColorCaption(),
                      s.AlphaThresholdCaption(),
                      s.DitherStrengthCaption(),
                      s.CustomOffsetsCaption()}),
            row.captions);
    }
}

} // namespace
} // namespace qv

namespace qv {
namespace {

std::uint32_t Rgb32(const DisplayImage &image, std::size_t p)
{
    return image.indexed ? image.colors[image.indices[p]] : image.pixels[p];
}

ColorPoint LabOf(std::uint32_t rgb)
{
    return CieLabOf(static_cast<std::uint8_t>(rgb >> 16),
        static_cast<std::uint8_t>(rgb >> 8),
        static_cast<std::uint8_t>(rgb));
}

// The View menu's pictures, each checked against what it is made of: the lit preview is each
// index looked up in the colour map's table at the light level; side by side puts the original
// left of the preview; the difference picture colours each pixel by the CIEDE2000 difference
// between its colour and its entry's, on the stated scale.
TEST(Session, ViewMenuLightsThePreviewPutsItBesideTheOriginalAndDrawsItsDifference)
{
    TempDir maps;
    std::vector<std::uint8_t> tables(34 * 256);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        tables[i] = static_cast<std::uint8_t>(i % 256 * 5 + i / 256 * 11);
    }
    const std::string lit =
        "ColorMap=" + maps.Write("COLORMAP.lmp", tables) + "\r\nLightLevel=5\r\n";
    std::vector<std::string> tips;
    std::array<bool, 256> marked {};
    const auto shown = [&tips, &marked](const std::string &settings, int view) {
        Headless h({{"a.bmp", Picture(64, 64, 24)}}, "ApplyTransparency=0\r\n" + settings);
        h.session.SelectFile(0);
        h.session.mnuViewPicture_Click(view);
        EXPECT_EQ(static_cast<int>(h.session.ShownView()), view);
        tips.clear();
        for (int i = 0; i < 256; ++i) {
            tips.push_back(h.session.EntryTip(i));
            marked[static_cast<std::size_t>(i)] = h.session.EntryUsed(i);
        }
        return std::pair(h.session.Picture().image, h.session.ReportText());
    };
    const DisplayImage original = shown("", 0).first;
    EXPECT_EQ(tips[7], "Entry 7"); // no preview, no counts
    const auto [preview, report] = shown("", 1);
    ASSERT_EQ(preview.width, 64);
    ASSERT_EQ(original.width, 64);
    std::set<std::uint8_t> used(preview.indices.begin(), preview.indices.end());
    EXPECT_TRUE(report.ends_with(", " + std::to_string(used.size()) + " entries")) << report;
    for (int i = 0; i < 256; ++i) {
        const auto pixels = std::count(preview.indices.begin(), preview.indices.end(), i);
        EXPECT_EQ(tips[static_cast<std::size_t>(i)],
            "Entry " + std::to_string(i) + ": " + std::to_string(pixels)
                + (pixels == 1 ? " pixel" : " pixels") + " of the preview");
        EXPECT_EQ(marked[static_cast<std::size_t>(i)], pixels > 0) << i;
    }

    const DisplayImage litPreview = shown(lit, 1).first;
    const DisplayImage beside = shown("", 2).first;
    const DisplayImage difference = shown("", 3).first;
    ASSERT_EQ(beside.width, 64 + 4 + 64);
    ASSERT_EQ(difference.width, 64);
    for (std::size_t y = 0; y < 64; ++y) {
        for (std::size_t x = 0; x < 64; ++x) {
            const std::size_t p = y * 64 + x;
            ASSERT_EQ(litPreview.indices[p], tables[5 * 256 + preview.indices[p]]) << p;
            ASSERT_EQ(beside.pixels[y * 132 + x], Rgb32(original, p)) << p;
            ASSERT_EQ(beside.pixels[y * 132 + 68 + x], Rgb32(preview, p)) << p;
            const std::uint32_t from = Rgb32(original, p);
            const std::uint32_t to = Rgb32(preview, p);
            const double deltaE =
                from == to ? 0 : std::sqrt(std::max(0.0, Ciede2000Squared(LabOf(from), LabOf(to))));
            const auto [r, g, b] = DifferenceColor(deltaE);
            ASSERT_EQ(difference.pixels[p], std::uint32_t {r} << 16 | std::uint32_t {g} << 8 | b)
                << p << ": dE " << deltaE;
        }
    }
}

// The light level's slider: the preview follows it; Cancel goes back to the level held, OK keeps
// the level chosen. Table (level, index) holds 5 index + 11 level, so levels differ by a shift.
TEST(Session, LightLevelSliderPreviewsEachMoveAndKeepsOnlyTheLevelChosen)
{
    TempDir maps;
    std::vector<std::uint8_t> tables(34 * 256);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        tables[i] = static_cast<std::uint8_t>(i % 256 * 5 + i / 256 * 11);
    }
    Headless h({{"a.bmp", Picture(16, 16, 24)}},
        "ApplyTransparency=0\r\nColorMap=" + maps.Write("COLORMAP.lmp", tables)
            + "\r\nLightLevel=5\r\n");
    h.session.SelectFile(0);
    h.session.mnuViewPicture_Click(1);
    const std::vector<std::uint8_t> lit5 = h.session.Picture().image.indices;
    const auto shifted = [&lit5](int levels) {
        std::vector<std::uint8_t> lit = lit5;
        for (std::uint8_t &index : lit) {
            index = static_cast<std::uint8_t>(index + 11 * levels);
        }
        return lit;
    };
    std::vector<std::vector<std::uint8_t>> shown;
    const auto slide = [&h, &shown](const std::vector<int> &moves, bool ok) {
        h.dialogs.QueueSlider(moves, ok);
        h.view.onPicture = [&h, &shown] { shown.push_back(h.session.Picture().image.indices); };
        h.session.mnuViewLightLevel_Click();
        h.view.onPicture = nullptr;
    };

    slide({12, 40}, false);
    EXPECT_EQ(shown, (std::vector {shifted(7), shifted(28), lit5})); // 40 is past the last table
    EXPECT_EQ(h.session.GetLightLevel(), 5);
    shown.clear();
    slide({20}, true);
    EXPECT_EQ(h.session.GetLightLevel(), 20);
    EXPECT_EQ(h.session.Picture().image.indices, shifted(15));
    EXPECT_EQ(h.dialogs.Log().back().defaultText, "5");
    const std::vector<std::uint8_t> ini = ReadBytes(h.program.File("quorvantile.ini"));
    EXPECT_NE(std::string(ini.begin(), ini.end()).find("LightLevel=20"), std::string::npos);
}

// Twips at the middle of screen pixel px, at 15 twips per pixel.
double Twips(int px)
{
    return px * 15.0 + 7.0;
}

// At every zoom the picture click and the hover readout take the picture pixel under the mouse:
// screen pixel px shows picture pixel px / zoom.
TEST(Session, ZoomedPictureClickAndHoverTakeThePixelUnderTheMouse)
{
    constexpr int kColumn = 37;
    constexpr int kRow = 21;
    for (int zoom = 0; zoom < kEnumCount<PictureZoom>; ++zoom) {
        Headless h({{"a.bmp", Picture(64, 64, 24)}}, "InputTransparentRGB=1,2,3\r\n");
        h.session.SelectFile(0);
        h.session.mnuViewZoom_Click(zoom);
        const int f = ZoomFactor(static_cast<PictureZoom>(zoom));
        SCOPED_TRACE(f);
        const std::uint32_t rgb = h.session.Picture().image.pixels[kRow * 64 + kColumn];
        const std::string color = std::to_string(rgb >> 16) + "," + std::to_string(rgb >> 8 & 255)
            + "," + std::to_string(rgb & 255);

        h.session.img_MouseMove(Twips(kColumn * f + f - 1), Twips(kRow * f));
        EXPECT_EQ(h.session.ReportText(), "Pixel 37, 21: color " + color);
        h.session.img_MouseMove(Twips(64 * f), Twips(kRow * f));
        EXPECT_EQ(h.session.ReportText(), "");
        h.session.img_MouseDown(1, 0, Twips(kColumn * f + f - 1), Twips(kRow * f + f - 1));
        EXPECT_EQ(h.dialogs.MessageTexts(),
            std::vector<std::string> {"The input transparency color is now " + color + "."});
    }
}

// Over the difference picture and the original beside the preview the readout gives what the
// conversion saw and chose; over the preview, the entry shown. Leaving brings the report back.
TEST(Session, HoverReadsTheColourItsEntryAndTheirDifference)
{
    Headless h({{"a.bmp", Picture(64, 64, 24)}}, "ApplyTransparency=0\r\nZoom=2\r\n");
    h.session.SelectFile(0);
    const DisplayImage original = h.session.Picture().image;
    h.session.mnuViewPicture_Click(1);
    const DisplayImage preview = h.session.Picture().image;
    const std::size_t p = 7 * 64 + 5;
    const std::uint8_t index = preview.indices[p];
    const auto text = [](std::uint32_t rgb) {
        return std::to_string(rgb >> 16) + "," + std::to_string(rgb >> 8 & 255) + ","
            + std::to_string(rgb & 255);
    };
    const std::string entry =
        "entry " + std::to_string(index) + " (" + text(preview.colors[index]) + ")";
    const std::uint32_t from = Rgb32(original, p);
    const std::uint32_t to = preview.colors[index];
    const double deltaE =
        from == to ? 0 : std::sqrt(std::max(0.0, Ciede2000Squared(LabOf(from), LabOf(to))));
    char difference[32];
    std::snprintf(difference, sizeof difference, "; dE00 %.2f", deltaE);
    const std::string full = "Pixel 5, 7: color " + text(from) + "; " + entry + difference;

    const struct {
        PictureView view;
        int column; // in picture pixels
        std::string readout;
    } rows[] = {
        {PictureView::Preview, 5, "Pixel 5, 7: " + entry},
        {PictureView::Difference, 5, full},
        {PictureView::SideBySide, 5, full},
        {PictureView::SideBySide, 65, ""}, // between the two
        {PictureView::SideBySide, 68 + 5, "Pixel 5, 7: " + entry},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.column);
        h.session.mnuViewPicture_Click(static_cast<int>(row.view));
        const std::string report = h.session.ReportText();
        h.session.img_MouseMove(Twips(row.column * 2 + 1), Twips(7 * 2));
        EXPECT_EQ(h.session.ReportText(), row.readout.empty() ? report : row.readout);
        h.session.img_MouseLeave();
        EXPECT_EQ(h.session.ReportText(), report);
    }
}

// A first start writes none of the view's keys; each change stores its own at once and tells the
// view; the next start restores them all.
TEST(Session, ViewSettingsAreStoredWhenChangedAndRestoredAtTheNextStart)
{
    const struct {
        std::function<void(Session &)> change;
        std::string written;
    } rows[] = {
        {[](Session &s) { s.SetPictureView(PictureView::Difference); }, "PictureView=3"},
        {[](Session &s) { s.ZoomStep(5); }, "Zoom=4"},
        {[](Session &s) { s.ZoomStep(-1); }, "Zoom=3"},
        {[](Session &s) { s.SetLightLevel(31); }, "LightLevel=31"},
        {[](Session &s) { s.SetColorMapPath("/g/doom2.wad"); }, "ColorMap=/g/doom2.wad"},
        {[](Session &s) { s.Form_Unload(711, 375, 711, 375); }, ""}, // the design's size
        {[](Session &s) { s.Form_Unload(1024, 700, 711, 375); }, "WindowWidth=1024"},
    };
    Headless first({});
    const std::string ini = first.program.File("quorvantile.ini");
    const auto text = [&ini] {
        const std::vector<std::uint8_t> bytes = ReadBytes(ini);
        return std::string(bytes.begin(), bytes.end());
    };
    const auto values = [](const Session &s) {
        return std::tuple(s.GetPictureView(),
            s.GetZoom(),
            s.GetLightLevel(),
            s.ColorMapPath(),
            s.GetWindowWidth(),
            s.GetWindowHeight());
    };
    EXPECT_EQ(values(first.session),
        std::tuple(PictureView::Original, PictureZoom::Fit, 0, std::string(), 0, 0));
    const std::string before = text();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.written);
        const std::string key = row.written.substr(0, row.written.find('=') + 1);
        EXPECT_EQ(before.find(row.written.empty() ? "Window" : key), std::string::npos);
        first.view.told = {};

        row.change(first.session);

        EXPECT_EQ(first.view.told.Has(Change::ViewSettings), !row.written.empty());
        EXPECT_EQ(text().find(row.written.empty() ? "Window" : row.written) != std::string::npos,
            !row.written.empty())
            << text();
    }
    RecordingView view;
    Session next(first.dialogs, view);
    next.Form_Load(ini, first.program.Path());
    EXPECT_EQ(values(next),
        std::tuple(
            PictureView::Difference, PictureZoom::X4, 31, std::string("/g/doom2.wad"), 1024, 700));
}

} // namespace
} // namespace qv
