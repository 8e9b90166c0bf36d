// The Quality menu's dithering strength and exact colours, through the scripted dialogs (each
// method's item is checked with the other Quality items).
#include "tests/window/counting_window.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::WindowFixture;

TEST(FrmDither, DefaultsWriteNothingAndChangesAreStoredRestoredAndPreviewed)
{
    WindowFixture fixture;
    test::CountingWindow &window = test::StartWithPicture(fixture);
    EXPECT_EQ(window.session().CurrentOptions().ditherStrength, 100);
    EXPECT_FALSE(window.mnuQualityKeepExact->Checked());
    EXPECT_EQ(window.mnuQualityDitherStrength->Caption(), "Dither Stren&gth: 100 %");
    for (const char *key : {"Dithering", "DitherStrength", "KeepExactColors"}) {
        EXPECT_EQ(fixture.SettingsText().find(key), std::string::npos) << key;
    }

    window.mnuQualityKeepExact->trigger();
    fixture.dialogs.QueueInput("40");
    window.mnuQualityDitherStrength->trigger();
    fixture.dialogs.QueueInput("101"); // outside 0..100: kept at 40
    window.mnuQualityDitherStrength->trigger();
    EXPECT_EQ(window.Previews(), 3);
    EXPECT_EQ(fixture.dialogs.Log().at(0).title, "Dither Strength");
    EXPECT_EQ(fixture.dialogs.Log().at(0).defaultText, "100");
    EXPECT_TRUE(fixture.SettingsHold("KeepExactColors", "-1"));
    EXPECT_TRUE(fixture.SettingsHold("DitherStrength", "40"));

    test::TestWindow &again = fixture.Restart();
    const ConversionOptions options = again.session().CurrentOptions();
    EXPECT_TRUE(options.keepExactColors);
    EXPECT_EQ(options.ditherStrength, 40);
    EXPECT_TRUE(again.mnuQualityKeepExact->Checked());
    EXPECT_EQ(again.mnuQualityDitherStrength->Caption(), "Dither Stren&gth: 40 %");
}

} // namespace
} // namespace qv
