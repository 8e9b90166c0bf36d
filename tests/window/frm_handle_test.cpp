#include "tests/window/window_fixture.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// A handler whose failure nothing inside it catches: the guard reports it under the handler's
// name, and the window goes on answering the next event.
TEST(FrmHandle, AFailureEscapingAHandlerIsReportedAndTheWindowGoesOn)
{
    struct Case {
        const char *handler;
        MenuItem *test::TestWindow::*item;
        const char *key;
    };
    const Case cases[] = {
        {"mnuTransparencyInputColor_Click",
            &test::TestWindow::mnuTransparencyInputColor,
            "InputTransparentColor"},
        {"mnuTransparencyOutputColor_Click",
            &test::TestWindow::mnuTransparencyOutputColor,
            "OutputTransparentColor"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.handler);
        test::WindowFixture fixture;
        test::TestWindow &window = fixture.Start();
        MenuItem &item = *(window.*c.item);
        item.SetTag("1E20"); // a colour beyond 32 bits: reading it overflows
        item.trigger();
        ASSERT_EQ(fixture.dialogs.Log().size(), 1U);
        const auto &shown = fixture.dialogs.Log()[0];
        EXPECT_EQ(shown.title, std::string(c.handler) + " Error");
        EXPECT_EQ(shown.icon, MessageIcon::Error);
        EXPECT_TRUE(
            shown.text.starts_with("Error in " + std::string(c.handler) + "\r\nError #6\r\n"))
            << shown.text;

        item.SetTag("5");
        fixture.dialogs.QueueInput("9");
        item.trigger();
        EXPECT_TRUE(fixture.SettingsHold(c.key, "9"));
        EXPECT_TRUE(fixture.dialogs.AllAnswersUsed());
    }
}

} // namespace
} // namespace qv
