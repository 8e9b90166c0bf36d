// The picture frame: the original at one picture pixel a logical pixel, the preview stretched
// nearest-neighbour to its box, and a click on the picture handed over in twips.
#include "tests/window-win32/canvas.h"
#include "tests/window-win32/window_fixture.h"
#include "window-win32/dib_picture.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace qv::win32::test {
namespace {

// A 3 x 2 picture of distinct colours: indexed, or as colours.
DisplayImage ThreeByTwo(bool indexed)
{
    DisplayImage image;
    image.width = 3;
    image.height = 2;
    image.indexed = indexed;
    const std::vector<std::uint32_t> colours = {
        0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    if (indexed) {
        for (std::uint8_t i = 0; i < 6; ++i) {
            image.colors[10 + i] = colours[i];
            image.indices.push_back(static_cast<std::uint8_t>(10 + i));
        }
    } else {
        image.pixels = colours;
    }
    return image;
}

class Win32Picture : public testing::Test, protected WindowFixture
{
};

TEST_F(Win32Picture, PicturesAreDrawnNearestNeighbourTopRowFirst)
{
    TestWindow &w = Start();
    const struct {
        const char *name;
        bool indexed;
        bool stretch;
        int scale; // pixels a picture pixel
    } cases[] = {
        {"indexed, own size", true, false, 1},
        {"colours, own size", false, false, 1},
        {"indexed, stretched 4 times", true, true, 4},
        {"colours, stretched 8 times", false, true, 8},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const DisplayImage image = ThreeByTwo(c.indexed);
        w.img->SetStretch(c.stretch);
        w.img->SetSizeTwips(3 * 15.0 * c.scale, 2 * 15.0 * c.scale);
        w.img->SetPicture(DibPictureOf(image));
        Canvas canvas(40, 30);
        w.img->Draw(canvas.Dc());
        for (int y = 0; y < 2 * c.scale; ++y) {
            for (int x = 0; x < 3 * c.scale; ++x) {
                const std::size_t i = static_cast<std::size_t>((y / c.scale) * 3 + x / c.scale);
                const std::uint32_t expected =
                    c.indexed ? image.colors[image.indices[i]] : image.pixels[i];
                ASSERT_EQ(canvas.At(x, y), expected) << x << "," << y;
            }
        }
        EXPECT_EQ(canvas.At(3 * c.scale, 0), Canvas::kBackground); // nothing past its right edge
        EXPECT_EQ(canvas.At(0, 2 * c.scale), Canvas::kBackground); // nor below it
    }
}

TEST_F(Win32Picture, AnIncompletePictureShowsNothing)
{
    TestWindow &w = Start();
    DisplayImage image = ThreeByTwo(true);
    image.indices.pop_back();
    w.img->SetPicture(DibPictureOf(image));
    EXPECT_FALSE(w.img->HasPicture());
}

TEST_F(Win32Picture, PreviewShowsTheConvertedPictureStretchedToItsBox)
{
    Picture("a.bmp", 16, 16);
    TestWindow &w = Start("ScaleMode=1\r\n"); // 64x64
    // The press on "Preview" shows the picture again in the new mode.
    ClickAt(w.optShow[1], {2, 2});
    EXPECT_EQ(w.session().ShowChoice(), 1);
    EXPECT_EQ(SendMessageW(w.optShow[1], BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(w.optShow[0], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ASSERT_TRUE(w.img->HasPicture());
    EXPECT_TRUE(w.img->Stretch());
    EXPECT_EQ(w.img->Picture()->width, 64);
    const RECT shown = w.img->PictureRect();
    EXPECT_EQ(shown.right - shown.left, 256); // 64 x 64 drawn 4 times enlarged
    EXPECT_EQ(GetFocus(), w.cmdOK);

    ClickAt(w.optShow[0], {2, 2});
    EXPECT_FALSE(w.img->Stretch());
    EXPECT_EQ(w.img->Picture()->width, 16);
}

TEST_F(Win32Picture, AClickOnTheOriginalPicksTheColourUnderIt)
{
    Picture("a.bmp", 8, 6, 8);
    TestWindow &w = Start();
    ASSERT_TRUE(w.img->HasPicture());
    ClickAt(w.img->Handle(), {5, 4});
    const int expected = w.session().CurrentPicture.pixels[4 * 8 + 5];
    EXPECT_TRUE(SettingsHold("InputTransparentColor", std::to_string(expected)));
    ASSERT_FALSE(dialogs.MessageTexts().empty());
    EXPECT_EQ(dialogs.MessageTexts().back(),
        "The input transparency color is now " + std::to_string(expected) + ".");

    // Beside the picture is no click on it.
    dialogs.ClearLog();
    ClickAt(w.img->Handle(), {100, 100});
    EXPECT_TRUE(dialogs.Log().empty());
}

} // namespace
} // namespace qv::win32::test
