#include "tests/window/counting_window.h"
#include "tests/window/window_fixture.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::test {
namespace {

class FrmQuality : public testing::Test, protected WindowFixture
{
protected:
    // A 24-bit picture of seeded colours previewed, so that each click shows a new conversion.
    CountingWindow &StartPreviewing()
    {
        Picture("a.bmp", 48, 48, 24);
        CountingWindow &w = StartCounting(*this);
        w.optShow[1]->setChecked(true);
        return w;
    }
};

TEST_F(FrmQuality, EachItemIsCheckedAloneStoredAndPreviewedAndComesBackAtTheNextStart)
{
    const struct {
        MenuArray TestWindow::*menu;
        const char *key;
        std::size_t items;
    } menus[] = {{&TestWindow::mnuQualityDistance, "ColorDistance", 4},
        {&TestWindow::mnuQualityDithering, "Dithering", 12}};
    CountingWindow &w = StartPreviewing();
    // The defaults are checked at start, and nothing new is written until a choice is made.
    EXPECT_EQ(CheckedIndices(w.mnuQualityDistance), std::vector<int> {0});
    EXPECT_EQ(CheckedIndices(w.mnuQualityDithering), std::vector<int> {0});
    EXPECT_EQ(SettingsText().find("ColorDistance"), std::string::npos);
    EXPECT_EQ(SettingsText().find("Dithering"), std::string::npos);
    for (const auto &m : menus) {
        MenuArray &items = w.*m.menu;
        ASSERT_EQ(items.size(), m.items) << m.key;
        for (std::size_t k = items.size(); k-- > 0;) {
            SCOPED_TRACE(std::string(m.key) + " " + std::to_string(k));
            const int before = w.Previews();
            items[k]->trigger();
            EXPECT_EQ(CheckedIndices(items), std::vector<int> {static_cast<int>(k)});
            EXPECT_TRUE(SettingsHold(m.key, std::to_string(k)));
            EXPECT_EQ(w.Previews(), before + 1);
        }
    }
    w.mnuQualityDistance[2]->trigger();
    w.mnuQualityDithering[1]->trigger();
    TestWindow &again = Restart();
    EXPECT_EQ(CheckedIndices(again.mnuQualityDistance), std::vector<int> {2});
    EXPECT_EQ(CheckedIndices(again.mnuQualityDithering), std::vector<int> {1});
    EXPECT_EQ(again.session().CurrentOptions().distance, DistanceMeasure::OkLab);
    EXPECT_EQ(again.session().CurrentOptions().dithering, Dithering::FloydSteinberg);
}

// The line under the picture frame tells how well the previewed picture kept its colours, and
// says something else for each way of matching a picture of many colours.
TEST_F(FrmQuality, TheReportLineFollowsEveryChoice)
{
    CountingWindow &w = StartPreviewing();
    std::set<std::string> lines;
    for (std::size_t d = 0; d < w.mnuQualityDistance.size(); ++d) {
        w.mnuQualityDistance[d]->trigger();
        for (std::size_t t = 0; t < w.mnuQualityDithering.size(); ++t) {
            w.mnuQualityDithering[t]->trigger();
            const std::string line = w.lblReport->Caption();
            EXPECT_TRUE(line.starts_with("exact ")) << line;
            lines.insert(line);
        }
    }
    EXPECT_EQ(lines.size(), 4 * w.mnuQualityDithering.size());
    EXPECT_TRUE(dialogs.Log().empty());
}

// An 8-bit picture kept on its own table has no report, and the line says nothing for it.
TEST_F(FrmQuality, TheReportLineIsEmptyWhenNoPaletteConversionRuns)
{
    Picture("a.bmp", 24, 24, 8);
    CountingWindow &w = StartCounting(*this);
    w.optShow[1]->setChecked(true);
    w.mnuQualityDistance[1]->trigger();
    ASSERT_TRUE(w.mnuPaletteConvertPalette->Checked());
    EXPECT_TRUE(w.lblReport->Caption().starts_with("exact ")) << w.lblReport->Caption();
    const int before = w.Previews();
    w.mnuPaletteConvertPalette->trigger();
    ASSERT_FALSE(w.mnuPaletteConvertPalette->Checked());
    EXPECT_GT(w.Previews(), before);
    EXPECT_EQ(w.lblReport->Caption(), "");
}

} // namespace
} // namespace qv::test
