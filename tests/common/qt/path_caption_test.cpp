#include "common/numbers.h"
#include "common/qt/path_caption.h"
#include "platform/qt/label.h"

#include <ostream>
#include <string>

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace qv {
namespace {

// The box the caption must fit: 96% of the label's width, rounded half to even.
int Box(const Label &label)
{
    return static_cast<int>(RoundHalfEven(label.width() * static_cast<double>(0.96f)));
}

int Advance(const Label &label, const std::string &text)
{
    return label.fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

std::string NestedPath()
{
    std::string path = "/home/modder";
    for (int i = 0; i < 12; ++i) {
        path += "/nested folder " + std::to_string(i);
    }
    return path + "/sprites_last";
}

struct FitCase {
    const char *what;
    std::string path;
    int labelWidth;
};

void PrintTo(const FitCase &c, std::ostream *out)
{
    *out << c.what;
}

class PathCaption : public testing::TestWithParam<FitCase>
{
};

// A path that is too wide keeps its start and its last part, joined by "...", and keeps as
// much of the start as fits: one more character would not fit.
TEST_P(PathCaption, ShortensInTheMiddleKeepingTheLastPart)
{
    const FitCase &c = GetParam();
    SCOPED_TRACE(c.what);
    Label label;
    label.resize(c.labelWidth, 17);
    ASSERT_GT(Advance(label, c.path), Box(label)) << "the path must be too wide";

    SetPathCaption(label, c.path);

    const std::string caption = label.Caption();
    const std::size_t dots = caption.find("...");
    ASSERT_NE(dots, std::string::npos) << caption;
    const std::string kept = caption.substr(0, dots);
    const std::string tail = c.path.substr(c.path.find_last_of("/\\"));
    EXPECT_EQ(caption.substr(dots + 3), tail);
    EXPECT_EQ(c.path.substr(0, kept.size()), kept);
    EXPECT_LE(Advance(label, caption), Box(label));
    const std::string oneMore = c.path.substr(0, kept.size() + 1) + "..." + tail;
    EXPECT_GT(Advance(label, oneMore), Box(label));

    EXPECT_EQ(label.Tag(), c.path);
    EXPECT_EQ(label.ToolTip(), c.path);
}

INSTANTIATE_TEST_SUITE_P(Table,
    PathCaption,
    testing::Values(FitCase {"nested folders in the folder label", NestedPath(), 657},
        FitCase {"nested folders in a narrow label", NestedPath(), 200},
        FitCase {"nested folders, 205 pixels", NestedPath(), 205},
        FitCase {"nested folders, 211 pixels", NestedPath(), 211},
        FitCase {"nested folders, 300 pixels", NestedPath(), 300},
        FitCase {"nested folders, 307 pixels", NestedPath(), 307},
        FitCase {"backslashes", "C:\\Games\\Wolf\\Mods\\Sprites\\Enemies\\Guards", 120}));

TEST(PathCaption, AShortPathIsShownWhole)
{
    Label label;
    label.resize(657, 17);
    label.SetToolTip("left over");
    SetPathCaption(label, "/home/modder/sprites");
    EXPECT_EQ(label.Caption(), "/home/modder/sprites");
    EXPECT_EQ(label.Tag(), "/home/modder/sprites");
    EXPECT_EQ(label.ToolTip(), "");
}

TEST(PathCaption, AnEmptyPathLeavesEverythingEmpty)
{
    Label label;
    label.resize(657, 17);
    label.SetCaption("old");
    label.SetTag("old");
    label.SetToolTip("old");
    SetPathCaption(label, "");
    EXPECT_EQ(label.Caption(), "");
    EXPECT_EQ(label.Tag(), "");
    EXPECT_EQ(label.ToolTip(), "");
}

// The box is 96% of the label: a label exactly as wide as the path is too narrow.
TEST(PathCaption, TheBoxIsNinetySixPercentOfTheLabel)
{
    Label label;
    const std::string path = "/home/modder/sprites/guards";
    const int width = Advance(label, path);
    int enough = width;
    while (RoundHalfEven(enough * static_cast<double>(0.96f)) < width) {
        ++enough;
    }

    label.resize(enough, 17);
    SetPathCaption(label, path);
    EXPECT_EQ(label.Caption(), path);

    label.resize(enough - 1, 17);
    SetPathCaption(label, path);
    EXPECT_NE(label.Caption(), path);
    EXPECT_EQ(label.ToolTip(), path);

    label.resize(width, 17);
    SetPathCaption(label, path);
    EXPECT_NE(label.Caption(), path);
}

struct NarrowCase {
    const char *what;
    std::string path;
    int labelWidth;
    std::string lead; // what the caption starts with before the kept characters
};

void PrintTo(const NarrowCase &c, std::ostream *out)
{
    *out << c.what;
}

class NarrowPathCaption : public testing::TestWithParam<NarrowCase>
{
};

// When even the last part does not fit, as much of its start as fits is kept, ending in "...".
TEST_P(NarrowPathCaption, KeepsTheStartOfTheLastPart)
{
    const NarrowCase &c = GetParam();
    SCOPED_TRACE(c.what);
    Label label;
    label.resize(c.labelWidth, 17);
    SetPathCaption(label, c.path);

    const std::string caption = label.Caption();
    const std::string lastPart = c.path.substr(c.path.find_last_of("/\\") + 1);
    ASSERT_GT(caption.size(), c.lead.size() + 3) << caption;
    ASSERT_EQ(caption.substr(0, c.lead.size()), c.lead);
    ASSERT_EQ(caption.substr(caption.size() - 3), "...");
    const std::string kept = caption.substr(c.lead.size(), caption.size() - c.lead.size() - 3);
    EXPECT_EQ(lastPart.substr(0, kept.size()), kept);
    EXPECT_FALSE(kept.empty());
    EXPECT_LE(Advance(label, caption), Box(label));
    EXPECT_GT(Advance(label, c.lead + lastPart.substr(0, kept.size() + 1) + "..."), Box(label));
    EXPECT_EQ(label.ToolTip(), c.path);
    EXPECT_EQ(label.Tag(), c.path);
}

INSTANTIATE_TEST_SUITE_P(Table,
    NarrowPathCaption,
    testing::Values(NarrowCase {"after folders", "/pictures/a_very_long_folder_name", 80, ".../"},
        NarrowCase {"backslashes", "C:\\pictures\\a_very_long_folder_name", 60, "...\\"},
        NarrowCase {"a name without folders", "a_very_long_folder_name_alone", 70, ""}));

// Too narrow for a separator and one character: the ellipsis alone, never two of them.
TEST(PathCaption, ALabelTooNarrowForAnyPartShowsTheEllipsisOnly)
{
    Label label;
    int width = 1;
    label.resize(width, 17);
    while (Box(label) < Advance(label, "......")) {
        label.resize(++width, 17);
    }
    ASSERT_GT(Advance(label, ".../p..."), Box(label));

    SetPathCaption(label, "/pictures/sprites");

    EXPECT_EQ(label.Caption(), "...");
    EXPECT_EQ(label.ToolTip(), "/pictures/sprites");
}

} // namespace
} // namespace qv
