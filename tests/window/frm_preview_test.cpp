#include "tests/window/counting_window.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FrmPreview, TheBoxFollowsTheScalingAndTheSquare)
{
    struct Case {
        int square, scaling, width, height;
        int boxPixels; // side of the stretched box; 0: not stretched, the picture's own size
        QSize picture;
    };
    const std::vector<Case> cases = {
        {128, 1, 64, 64, 256, QSize(64, 64)}, // 3840 twips, the 64 x 64 result
        {64, 3, 40, 48, 256, QSize(32, 32)},
        {48, 0, 40, 20, 192, QSize(40, 20)}, // None: 2880 twips, the picture stretched into it
        {100, 0, 40, 20, 0, QSize(40, 20)},
    };
    for (const Case &c : cases) {
        test::WindowFixture fixture;
        test::CountingWindow &window =
            test::StartWithPicture(fixture, "", false, c.width, c.height);
        window.session().mnuScalingOption_Click(c.scaling);
        window.vsbSize->SetValue(c.square);
        window.optShow[1]->setChecked(true);
        window.img->SetStretch(true); // as an earlier, stretched preview left it
        const std::vector<std::uint8_t> input = test::ReadBytes(fixture.pictures.File("a.bmp"));

        window.session().RefreshPreview();

        ASSERT_EQ(window.busyWhileShowing, std::vector<bool> {true}) << c.square;
        EXPECT_FALSE(MousePointer::IsBusy());
        EXPECT_FALSE(window.img->isHidden());
        EXPECT_EQ(window.img->Stretch(), c.boxPixels != 0) << c.square;
        EXPECT_EQ(window.img->Picture().size(), c.picture) << c.square;
        EXPECT_EQ(window.img->size(), c.boxPixels ? QSize(c.boxPixels, c.boxPixels) : c.picture);
        // A preview writes nothing.
        EXPECT_EQ(test::ReadBytes(fixture.pictures.File("a.bmp")), input);
        EXPECT_FALSE(std::filesystem::exists(fixture.pictures.File("Quorvantile Backup")));
    }
}

TEST(FrmPreview, NothingIsConvertedInTheOriginalViewWithoutAFileOrWhileSuspended)
{
    for (int situation = 0; situation < 3; ++situation) {
        test::WindowFixture fixture;
        test::CountingWindow &window = test::StartWithPicture(fixture, "", situation != 0);
        const qint64 shownBefore = window.img->Picture().cacheKey();
        if (situation == 1) {
            // The list read again without the picture: no current file, the picture stays.
            std::filesystem::remove(fixture.pictures.File("a.bmp"));
            window.session().cmdRefreshFileList_Click();
        }
        window.session().SuspendPreview = situation == 2;

        window.session().mnuPaletteOption_Click(6);
        window.session().mnuTransparencyApply_Click();
        window.session().RefreshPreview();

        EXPECT_EQ(window.Previews(), 0) << situation;
        EXPECT_EQ(window.img->Picture().cacheKey(), shownBefore) << situation;
    }
}

} // namespace
} // namespace qv
