#include "tests/window/counting_window.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FrmHost, OptionQueriesAnswerTheFirstCheckedItemOrZero)
{
    ScriptedDialogService dialogs;
    test::TestWindow window(dialogs);
    const std::vector<std::pair<MenuArray *, int (frm::*)()>> options = {
        {&window.mnuScalingOption, &frm::GetScalingOption},
        {&window.mnuVerticalAlignmentOption, &frm::GetVerticalAlignmentOption},
        {&window.mnuHorizontalAlignmentOption, &frm::GetHorizontalAlignmentOption},
        {&window.mnuColorMatchingOption, &frm::GetColorMatchingOption},
        {&window.mnuPaletteOption, &frm::GetPaletteNumber},
    };
    // Checked items (several only in a hand-made state) and the answer: the lowest of them.
    const std::vector<std::pair<std::vector<std::size_t>, int>> cases = {
        {{}, 0}, {{0}, 0}, {{2}, 2}, {{3}, 3}, {{1, 2}, 1}, {{2, 3}, 2}};
    for (const auto &[items, query] : options) {
        for (const auto &[checked, expected] : cases) {
            for (std::size_t i = 0; i < items->size(); ++i) {
                (*items)[i]->SetChecked(
                    std::find(checked.begin(), checked.end(), i) != checked.end());
            }
            EXPECT_EQ((window.*query)(), expected) << (*items)[0]->objectName().toStdString();
        }
    }
}

TEST(FrmHost, TransparencyColorsAreTheNumbersInTheTags)
{
    struct Case {
        const char *tag;
        int input, output;
    };
    // Halves go to the even neighbour; an output colour without a palette entry is taken as 255.
    const std::vector<Case> cases = {{"17", 17, 17},
        {"2.5", 2, 2},
        {"3.5", 4, 4},
        {"12abc", 12, 12},
        {"", 0, 0},
        {"300", 300, 255},
        {"-1", -1, 255}};
    ScriptedDialogService dialogs;
    test::TestWindow window(dialogs);
    for (const Case &c : cases) {
        window.mnuTransparencyInputColor->SetTag(c.tag);
        window.mnuTransparencyOutputColor->SetTag(c.tag);
        EXPECT_EQ(window.GetInputTransparencyColor(), c.input) << c.tag;
        EXPECT_EQ(window.GetOutputTransparencyColor(), c.output) << c.tag;
    }
}

TEST(FrmHost, PaletteChoiceIsTheExternalFileOnlyWhenItsItemIsChosenAndHasAPath)
{
    struct Case {
        const char *name;
        int checked; // -1: no item checked
        bool externalTag;
        PaletteChoice expected;
    };
    const Case cases[] = {
        {"no item checked", -1, false, PaletteChoice::BuiltIn("WOLF3D")},
        {"DOOM", 6, false, PaletteChoice::BuiltIn("DOOM")},
        {"DOOM with an external path kept", 6, true, PaletteChoice::BuiltIn("DOOM")},
        {"external", 7, true, PaletteChoice::File("/pal/my.act")},
        {"external without a path", 7, false, PaletteChoice::BuiltIn("&Use External")},
    };
    ScriptedDialogService dialogs;
    test::TestWindow window(dialogs);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (std::size_t i = 0; i < window.mnuPaletteOption.size(); ++i) {
            window.mnuPaletteOption[i]->SetChecked(static_cast<int>(i) == c.checked);
        }
        window.mnuPaletteOption[7]->SetTag(c.externalTag ? "/pal/my.act" : "");
        EXPECT_EQ(window.CurrentPaletteChoice(), c.expected);
    }
}

TEST(FrmHost, ConvertPaletteCommandRunsWithoutItsOwnPreview)
{
    test::WindowFixture fixture;
    test::CountingWindow &window = test::StartWithPicture(fixture, "ConvertPalette=0\r\n");
    EXPECT_TRUE(window.SwitchConvertPaletteOn().convertPalette);
    EXPECT_TRUE(window.CurrentOptions().convertPalette);
    EXPECT_TRUE(fixture.SettingsHold("ConvertPalette", "-1"));
    EXPECT_EQ(window.Previews(), 0);
    window.RefreshPreview(); // the suspension has ended
    EXPECT_EQ(window.Previews(), 1);
}

} // namespace
} // namespace qv
