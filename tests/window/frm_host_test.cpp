#include "tests/window/counting_window.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FrmHost, AnOutputColourOutsideThePaletteStandsForEntry255)
{
    ScriptedDialogService dialogs;
    test::TestWindow window(dialogs);
    for (const auto &[set, output] :
        {std::pair {17, 17}, std::pair {300, 255}, std::pair {-1, 255}}) {
        window.session().SetOutputTransparencyColor(set);
        EXPECT_EQ(window.session().GetOutputTransparencyColor(), output) << set;
        // The caption shows the number as it was set.
        EXPECT_EQ(window.mnuTransparencyOutputColor->Caption(),
            "&Output Transparent Color: " + std::to_string(set));
    }
}

TEST(FrmHost, ConvertPaletteCommandRunsWithoutItsOwnPreview)
{
    test::WindowFixture fixture;
    test::CountingWindow &window = test::StartWithPicture(fixture, "ConvertPalette=0\r\n");
    EXPECT_TRUE(window.session().SwitchConvertPaletteOn().convertPalette);
    EXPECT_TRUE(window.session().CurrentOptions().convertPalette);
    EXPECT_TRUE(fixture.SettingsHold("ConvertPalette", "-1"));
    EXPECT_EQ(window.Previews(), 0);
    window.session().RefreshPreview(); // the suspension has ended
    EXPECT_EQ(window.Previews(), 1);
}

} // namespace
} // namespace qv
