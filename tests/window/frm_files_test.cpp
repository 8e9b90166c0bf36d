#include "engine/load_bmp_file.h"
#include "engine/png_file.h"
#include "platform/files.h"
#include "tests/window/counting_window.h"
#include "tests/window/window_fixture.h"
#include "window/original_picture.h"

#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>

#include <QTest>
#include <gtest/gtest.h>

namespace qv::test {
namespace {

class FrmFiles : public testing::Test, protected WindowFixture
{
protected:
    // The selected flags of every entry.
    std::vector<bool> Selection() const
    {
        std::vector<bool> flags;
        for (int i = 0; i < window->File->ListCount(); ++i) {
            flags.push_back(window->File->Selected(i));
        }
        return flags;
    }

    std::string Caption() const { return window->fraImage->title().toStdString(); }
};

TEST_F(FrmFiles, ChoosingAnotherFolderShowsItsFirstFileAndStoresIt)
{
    Picture("one.bmp", 8, 8);
    test::TestWindow &w = Start();
    TempDir other;
    other.Write("b.bmp", BuildBmp({.width = 20, .height = 12}));
    other.Write("a.bmp", BuildBmp({.width = 12, .height = 20}));
    dialogs.QueueFolder(other.Path());

    w.session().mnuFileOpenFolder_Click();

    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].kind, ScriptedDialogService::Kind::Folder);
    EXPECT_EQ(dialogs.Log()[0].title, "Select a folder");
    EXPECT_EQ(dialogs.Log()[0].defaultText, pictures.Path()) << "starts at the current folder";
    EXPECT_EQ(w.File->Path(), other.Path());
    EXPECT_EQ(w.mnuFileOpenFolder->Tag(), other.Path());
    EXPECT_EQ(w.lblFolder->Tag(), other.Path());
    EXPECT_EQ(Selection(), (std::vector<bool> {true, false}));
    EXPECT_EQ(Caption(), "a.bmp: 12 x 20");
    EXPECT_TRUE(SettingsHold("Path", other.Path()));
}

TEST_F(FrmFiles, TheFolderLabelAndTheMenuCommandOpenTheSameChoice)
{
    test::TestWindow &w = Start();
    TempDir a, b;
    dialogs.QueueFolder(a.Path());
    emit w.lblFolder->Click();
    EXPECT_EQ(w.File->Path(), a.Path());
    dialogs.QueueFolder(b.Path());
    w.mnuFileOpenFolder->trigger();
    EXPECT_EQ(w.File->Path(), b.Path());
    EXPECT_TRUE(dialogs.AllAnswersUsed());
}

TEST_F(FrmFiles, CancelOrTheSameFolderChangesNothing)
{
    Picture("a.bmp", 16, 16);
    Picture("b.bmp", 16, 16);
    test::TestWindow &w = Start();
    w.File->SetSelected(1, true);
    const std::vector<bool> selection = Selection();
    const std::vector<std::uint8_t> settings = ReadBytes(SettingsPath());
    for (const std::string &answer : {std::string(), pictures.Path()}) {
        SCOPED_TRACE("answer '" + answer + "'");
        dialogs.QueueFolder(answer);
        w.session().mnuFileOpenFolder_Click();
        EXPECT_EQ(w.File->Path(), pictures.Path());
        EXPECT_EQ(Selection(), selection);
        EXPECT_TRUE(w.img->HasPicture());
        EXPECT_EQ(ReadBytes(SettingsPath()), settings);
    }
}

TEST_F(FrmFiles, AnEmptyFolderShowsNothingAndKeepsTheCaption)
{
    Picture("a.bmp", 16, 16);
    test::TestWindow &w = Start();
    ASSERT_TRUE(w.img->HasPicture());
    TempDir empty;
    dialogs.QueueFolder(empty.Path());
    w.session().mnuFileOpenFolder_Click();
    EXPECT_EQ(w.File->ListCount(), 0);
    EXPECT_EQ(w.File->ListIndex(), -1);
    EXPECT_FALSE(w.img->HasPicture());
    EXPECT_EQ(Caption(), "a.bmp: 16 x 16");
}

TEST_F(FrmFiles, RefreshKeepsOnlyTheCurrentEntrySelected)
{
    for (const char *name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp"}) {
        Picture(name, 16, 16);
    }
    test::TestWindow &w = Start();
    w.File->SetSelected(1, true);
    w.File->SetSelected(2, true);
    ASSERT_EQ(Selection(), (std::vector<bool> {true, true, true, false}));
    ASSERT_EQ(w.File->FileName(), "c.bmp");
    Picture("b2.bmp", 16, 16); // listed after the refresh, before c.bmp

    w.cmdRefreshFileList->click();

    EXPECT_EQ(w.File->ListCount(), 5);
    EXPECT_EQ(Selection(), (std::vector<bool> {false, false, false, true, false}));
    EXPECT_EQ(w.File->FileName(), "c.bmp");
}

TEST_F(FrmFiles, RefreshSelectsTheFirstEntryWhenTheCurrentOneIsGone)
{
    for (const char *name : {"a.bmp", "b.bmp", "c.bmp"}) {
        Picture(name, 16, 16);
    }
    test::TestWindow &w = Start();
    w.File->SetSelected(0, false);
    w.File->SetSelected(2, true);
    std::filesystem::remove(pictures.File("c.bmp"));
    w.session().cmdRefreshFileList_Click();
    EXPECT_EQ(Selection(), (std::vector<bool> {true, false}));
    EXPECT_EQ(w.File->FileName(), "a.bmp");
    EXPECT_EQ(Caption(), "a.bmp: 16 x 16");

    // Also when the list had no current entry at all.
    TempDir empty;
    dialogs.QueueFolder(empty.Path());
    w.session().mnuFileOpenFolder_Click();
    Picture("late.bmp", 16, 16);
    empty.Write("z.bmp", BuildBmp({}));
    w.session().cmdRefreshFileList_Click();
    EXPECT_EQ(w.File->FileName(), "z.bmp");
}

TEST_F(FrmFiles, ShowingAPictureAdaptsTheSizeRange)
{
    const struct {
        int width, height;
        int smallestBefore, sizeBefore; // the bar before the picture is shown
        int smallest, size; // and after
    } cases[] = {
        {50, 70, 32, 64, 32, 72}, // rounded 52 and 72
        {10, 300, 32, 64, 16, 300}, // 12 is raised to 16
        {64, 48, 32, 64, 32, 64},
        {20, 20, 32, 64, 20, 64},
        {13, 13, 32, 64, 16, 64},
        {30, 30, 20, 100, 20, 100}, // a small picture after a large one lowers nothing
        {512, 512, 32, 64, 32, 512},
    };
    for (const auto &c : cases) {
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + ".bmp";
        SCOPED_TRACE(name);
        pictures.Write(name, BuildBmp({.width = c.width, .height = c.height}));
        test::TestWindow &w = Start();
        w.session().SetSizeMax(c.smallestBefore);
        w.vsbSize->SetValue(c.sizeBefore);
        w.File->SetSelected(Entry(name), true);
        EXPECT_EQ(w.vsbSize->Max(), c.smallest);
        EXPECT_EQ(w.vsbSize->Value(), c.size);
        EXPECT_EQ(w.lblSize->Caption(), std::to_string(c.size));
        EXPECT_EQ(
            Caption(), name + ": " + std::to_string(c.width) + " x " + std::to_string(c.height));
        EXPECT_TRUE(dialogs.Log().empty());
        std::filesystem::remove(pictures.File(name));
    }
}

TEST_F(FrmFiles, AnUnreadableFileShowsErrorAndLowersTheSmallestSize)
{
    pictures.Write("broken.bmp", std::string("BM not really"));
    test::TestWindow &w = Start();
    EXPECT_EQ(Caption(), "broken.bmp: ERROR x ERROR");
    EXPECT_EQ(w.vsbSize->Max(), 16);
    EXPECT_EQ(w.vsbSize->Value(), 64);
    EXPECT_FALSE(w.img->HasPicture());
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].title, "LoadBMPFile Error");
}

void PutBigEndian(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

// The PNG checksum of a chunk's type and data.
std::uint32_t Crc32(const std::uint8_t *bytes, std::size_t count)
{
    std::uint32_t crc = 0xFFFFFFFFU;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
        }
    }
    return ~crc;
}

// An indexed PNG of width x height whose header then claims claimedWidth x claimedHeight (with
// the header's checksum made right), cut to keep bytes (all of it when 0).
std::vector<std::uint8_t> PngClaiming(int width,
    int height,
    std::uint32_t claimedWidth,
    std::uint32_t claimedHeight,
    std::size_t keep)
{
    const std::vector<std::uint8_t> indices(
        static_cast<std::size_t>(BmpStride(width, 8) * height), 3);
    std::vector<std::uint8_t> png =
        EncodeIndexedPng(indices, width, height, std::vector<std::uint8_t>(1024, 7), -1);
    // Signature (8), IHDR length (4), "IHDR" (4), width and height (8), 5 more bytes, CRC.
    PutBigEndian(png, 16, claimedWidth);
    PutBigEndian(png, 20, claimedHeight);
    PutBigEndian(png, 29, Crc32(png.data() + 12, 17));
    if (keep != 0) {
        png.resize(keep);
    }
    return png;
}

// A picture that is refused leaves the size as it was: only the load's own message appears (no
// failure of the display for a side the size cannot take), the frame says ERROR, and the picture
// counts as 0 x 0, as one that cannot be read at all. A picture that loads afterwards still sets
// the size.
TEST_F(FrmFiles, ARefusedPictureLeavesTheSizeAsItWas)
{
    BmpLayout truncated {.width = 400, .height = 400, .bitCount = 24};
    std::vector<std::uint8_t> cut = BuildBmp(truncated);
    cut.resize(2000);
    const struct {
        const char *name;
        std::vector<std::uint8_t> bytes;
        const char *message; // the start of the one message; the path follows for "too large"
    } cases[] = {
        {"broken512.png", PngClaiming(512, 512, 512, 512, 400), "Error in LoadBMPFile\r\n"},
        {"huge.png", PngClaiming(16, 16, 100000, 100000, 0), "PNG too large: "},
        {"wide.bmp", BuildBmp({.width = 600, .height = 8}), "BMP too large: "},
        {"cut400.bmp", cut, "Error in LoadBMPFile\r\n"},
        {"sixteen.bmp", BuildBmp({.width = 200, .height = 300, .bitCount = 16}), ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        test::WindowFixture fixture;
        const std::string path = fixture.pictures.Write(c.name, c.bytes);
        fixture.Picture("z.bmp", 100, 60);
        test::TestWindow &w = fixture.Start();
        ASSERT_EQ(w.File->FileName(), c.name); // listed first, shown at start-up
        const std::string settings = fixture.SettingsText();

        EXPECT_EQ(w.fraImage->title().toStdString(), std::string(c.name) + ": ERROR x ERROR");
        EXPECT_EQ(w.vsbSize->Value(), 64);
        EXPECT_EQ(w.lblSize->Caption(), "64");
        EXPECT_EQ(w.vsbSize->Max(), 16);
        ASSERT_EQ(fixture.dialogs.Log().size(), 1u);
        const std::string &shown = fixture.dialogs.Log()[0].text;
        EXPECT_TRUE(shown.starts_with(c.message)) << shown;
        if (std::string(c.message).ends_with("too large: ")) {
            EXPECT_EQ(shown, c.message + path);
        }
        EXPECT_EQ(shown.find("File_Click"), std::string::npos) << shown;
        EXPECT_FALSE(w.img->HasPicture());
        EXPECT_EQ(fixture.SettingsText(), settings);
        EXPECT_EQ(test::ReadBytes(path), c.bytes);

        w.File->SetSelected(fixture.Entry("z.bmp"), true);
        EXPECT_EQ(w.vsbSize->Value(), 100);
        EXPECT_EQ(w.lblSize->Caption(), "100");
        EXPECT_EQ(fixture.dialogs.Log().size(), 1u);
    }
}

TEST_F(FrmFiles, OriginalShowsTheFileAtItsOwnSize)
{
    const std::string path = Picture("a.bmp", 37, 21, 8);
    test::TestWindow &w = Start();
    ASSERT_TRUE(w.img->HasPicture());
    EXPECT_FALSE(w.img->Stretch());
    EXPECT_EQ(w.img->Picture().size(), QSize(37, 21));
    EXPECT_EQ(w.img->Picture(), OriginalPicture(w.session().CurrentPicture));
    EXPECT_EQ(w.session().CurrentPicture.width, 37);
    EXPECT_EQ(w.session().CurrentPicture.bitCount, 8);
}

TEST_F(FrmFiles, PressingAnOptionButtonShowsTheFileInThatMode)
{
    Picture("a.bmp", 40, 20);
    CountingWindow &w = StartCounting(*this);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    QTest::mousePress(w.optShow[1], Qt::LeftButton);
    EXPECT_TRUE(w.optShow[1]->isChecked());
    EXPECT_FALSE(w.optShow[0]->isChecked());
    EXPECT_EQ(w.Previews(), 1);
    QTest::mouseRelease(w.optShow[1], Qt::LeftButton);

    // The button already selected shows the file again, in the same mode.
    w.File->setFocus();
    QTest::mousePress(w.optShow[1], Qt::LeftButton);
    QTest::mouseRelease(w.optShow[1], Qt::LeftButton);
    EXPECT_EQ(w.Previews(), 2);
    EXPECT_EQ(w.focusWidget(), w.cmdOK);

    QTest::mousePress(w.optShow[0], Qt::RightButton);
    EXPECT_TRUE(w.optShow[0]->isChecked());
    EXPECT_EQ(w.Previews(), 2);
    EXPECT_FALSE(w.img->Stretch());
    EXPECT_EQ(w.img->Picture().size(), QSize(40, 20));
}

// The "Original" view's picture, compared pixel by pixel with the rows and table of the file.
TEST(OriginalPicture, ShowsEveryPixelOfEachDepthWithItsOwnColours)
{
    const struct {
        int width, height, bitCount;
    } cases[] = {{1, 1, 8}, {5, 3, 8}, {7, 4, 24}, {4, 2, 24}, {3, 5, 32}, {6, 3, 32}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + "x"
            + std::to_string(c.bitCount));
        TempDir folder;
        const BmpLayout layout {.width = c.width,
            .height = c.height,
            .bitCount = static_cast<std::int16_t>(c.bitCount),
            .seed = 7};
        const std::string path = folder.Write("p.bmp", BuildBmp(layout));
        ScriptedDialogService dialogs;
        LoadedImage image;
        ASSERT_TRUE(LoadBMPFile(dialogs, 512, path, image));

        const QImage picture = OriginalPicture(image);
        const int height = c.height;
        ASSERT_EQ(picture.size(), QSize(c.width, height));
        const std::vector<std::uint8_t> rows = BmpRows(layout);
        const std::vector<std::uint8_t> table = BmpTable(layout);
        const int stride = BmpStride(c.width, c.bitCount);
        const int bytes = c.bitCount / 8;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const std::uint8_t *p = &rows[static_cast<std::size_t>(y * stride + x * bytes)];
                QRgb expected = qRgb(p[2], p[1], p[0]);
                if (c.bitCount == 8) {
                    const std::uint8_t *e = &table[4 * static_cast<std::size_t>(*p)];
                    expected = qRgb(e[2], e[1], e[0]);
                    EXPECT_EQ(picture.pixelIndex(x, y), *p);
                }
                ASSERT_EQ(picture.pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST(OriginalPicture, NothingToShowGivesANullPicture)
{
    LoadedImage eight {.pixels = std::vector<std::uint8_t>(8, 0),
        .palette = std::vector<std::uint8_t>(1024, 0),
        .width = 3,
        .height = 2,
        .bitCount = 8,
        .hasAlpha = false,
        .alpha = {}};
    ASSERT_FALSE(OriginalPicture(eight).isNull());
    const struct {
        const char *what;
        void (*spoil)(LoadedImage &);
    } cases[] = {
        {"16-bit", [](LoadedImage &i) { i.bitCount = 16; }},
        {"4-bit", [](LoadedImage &i) { i.bitCount = 4; }},
        {"rows too short", [](LoadedImage &i) { i.pixels.pop_back(); }},
        {"no pixels", [](LoadedImage &i) { i.pixels.clear(); }},
        {"no width", [](LoadedImage &i) { i.width = 0; }},
        {"negative height", [](LoadedImage &i) { i.height = -2; }},
    };
    for (const auto &c : cases) {
        LoadedImage spoilt = eight;
        c.spoil(spoilt);
        EXPECT_TRUE(OriginalPicture(spoilt).isNull()) << c.what;
    }
}

} // namespace
} // namespace qv::test
