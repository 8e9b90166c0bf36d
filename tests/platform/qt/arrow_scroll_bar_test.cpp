#include "platform/failure.h"
#include "platform/qt/arrow_scroll_bar.h"
#include "tests/support/failure_number.h"

#include <ostream>

#include <QKeyEvent>
#include <QToolButton>

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qv {
namespace {

// A bar as the window uses them: Min above Max, so the upper arrow counts up.
struct Bar {
    int min;
    int max;
    int step;
};
constexpr Bar kSize {512, 32, 4};
constexpr Bar kBright {200, 0, 1};
constexpr Bar kPlain {0, 200, 1};

void Configure(ArrowScrollBar &bar, Bar kind, int value)
{
    bar.SetMin(kind.min);
    bar.SetMax(kind.max);
    bar.SetSmallChange(kind.step);
    bar.SetLargeChange(kind.step);
    bar.SetValue(value);
}

using test::FailureNumberOf;

enum class Arrow { Up, Down };

struct StepCase {
    const char *what;
    Bar kind;
    int start;
    Arrow arrow;
    int expected;
    int changes;
};

void PrintTo(const StepCase &c, std::ostream *out)
{
    *out << c.what;
}

class ArrowStep : public testing::TestWithParam<StepCase>
{
};

TEST_P(ArrowStep, MovesByTheStepWithinTheSpan)
{
    const StepCase &c = GetParam();
    SCOPED_TRACE(c.what);
    ArrowScrollBar bar;
    Configure(bar, c.kind, c.start);
    ASSERT_EQ(bar.Value(), c.start);
    QSignalSpy changes(&bar, &ArrowScrollBar::Change);

    if (c.arrow == Arrow::Up) {
        bar.UpArrowClick();
    } else {
        bar.DownArrowClick();
    }

    EXPECT_EQ(bar.Value(), c.expected);
    EXPECT_EQ(changes.count(), c.changes);
}

INSTANTIATE_TEST_SUITE_P(Table,
    ArrowStep,
    testing::Values(StepCase {"size up", kSize, 64, Arrow::Up, 68, 1},
        StepCase {"size down", kSize, 64, Arrow::Down, 60, 1},
        StepCase {"size up stops at Min", kSize, 510, Arrow::Up, 512, 1},
        StepCase {"size up at Min", kSize, 512, Arrow::Up, 512, 0},
        StepCase {"size down stops at Max", kSize, 34, Arrow::Down, 32, 1},
        StepCase {"size down at Max", kSize, 32, Arrow::Down, 32, 0},
        StepCase {"brightness up", kBright, 100, Arrow::Up, 101, 1},
        StepCase {"brightness down to 0", kBright, 1, Arrow::Down, 0, 1},
        StepCase {"brightness up at 200", kBright, 200, Arrow::Up, 200, 0},
        StepCase {"plain bar up lowers", kPlain, 100, Arrow::Up, 99, 1},
        StepCase {"plain bar down raises", kPlain, 100, Arrow::Down, 101, 1},
        StepCase {"plain bar up at Min", kPlain, 0, Arrow::Up, 0, 0}));

struct SetCase {
    const char *what;
    Bar kind;
    int start;
    int value;
    int failure; // 0 when accepted
    int changes;
};

void PrintTo(const SetCase &c, std::ostream *out)
{
    *out << c.what;
}

class SetValue : public testing::TestWithParam<SetCase>
{
};

TEST_P(SetValue, RaisesChangeOnlyForANewValueInsideTheSpan)
{
    const SetCase &c = GetParam();
    SCOPED_TRACE(c.what);
    ArrowScrollBar bar;
    Configure(bar, c.kind, c.start);
    QSignalSpy changes(&bar, &ArrowScrollBar::Change);

    EXPECT_EQ(FailureNumberOf([&] { bar.SetValue(c.value); }), c.failure);

    EXPECT_EQ(bar.Value(), c.failure == 0 ? c.value : c.start);
    EXPECT_EQ(changes.count(), c.changes);
}

INSTANTIATE_TEST_SUITE_P(Table,
    SetValue,
    testing::Values(SetCase {"same value", kSize, 64, 64, 0, 0},
        SetCase {"new value", kSize, 64, 72, 0, 1},
        SetCase {"upper end", kSize, 64, 512, 0, 1},
        SetCase {"lower end", kSize, 64, 32, 0, 1},
        SetCase {"above Min", kSize, 64, 513, kInvalidPropertyValue, 0},
        SetCase {"below Max", kSize, 64, 31, kInvalidPropertyValue, 0},
        SetCase {"brightness 0", kBright, 100, 0, 0, 1},
        SetCase {"brightness 201", kBright, 100, 201, kInvalidPropertyValue, 0},
        SetCase {"brightness -1", kBright, 100, -1, kInvalidPropertyValue, 0}));

TEST(ArrowScrollBar, BoundsAreSixteenBit)
{
    ArrowScrollBar bar;
    Configure(bar, kSize, 64);
    EXPECT_EQ(FailureNumberOf([&] { bar.SetMin(32768); }), kInvalidPropertyValue);
    EXPECT_EQ(FailureNumberOf([&] { bar.SetMax(-32769); }), kInvalidPropertyValue);
    EXPECT_EQ(bar.Min(), 512);
    EXPECT_EQ(bar.Max(), 32);
    EXPECT_EQ(FailureNumberOf([&] { bar.SetMax(-32768); }), 0);
}

TEST(ArrowScrollBar, LoweringTheSmallestEndKeepsTheValue)
{
    ArrowScrollBar bar;
    Configure(bar, kSize, 64);
    QSignalSpy changes(&bar, &ArrowScrollBar::Change);

    bar.SetMax(16);

    EXPECT_EQ(bar.Max(), 16);
    EXPECT_EQ(bar.Value(), 64);
    EXPECT_EQ(changes.count(), 0);
    bar.SetValue(16);
    EXPECT_EQ(bar.Value(), 16);
}

TEST(ArrowScrollBar, ABoundThatLeavesTheValueOutsidePullsItIn)
{
    ArrowScrollBar bar;
    Configure(bar, kSize, 64);
    QSignalSpy changes(&bar, &ArrowScrollBar::Change);

    bar.SetMax(100);

    EXPECT_EQ(bar.Value(), 100);
    EXPECT_EQ(changes.count(), 1);
}

TEST(ArrowScrollBar, PressingTheArrowButtonsSteps)
{
    ArrowScrollBar bar;
    bar.resize(17, 17);
    Configure(bar, kSize, 64);
    bar.show();
    QSignalSpy changes(&bar, &ArrowScrollBar::Change);

    QTest::mouseClick(bar.UpArrow(), Qt::LeftButton);
    EXPECT_EQ(bar.Value(), 68);
    QTest::mouseClick(bar.DownArrow(), Qt::LeftButton);
    QTest::mouseClick(bar.DownArrow(), Qt::LeftButton);
    EXPECT_EQ(bar.Value(), 60);
    EXPECT_EQ(changes.count(), 3);

    // The upper arrow is the upper half of the bar.
    EXPECT_LT(bar.UpArrow()->geometry().bottom(), bar.DownArrow()->geometry().top());
    EXPECT_EQ(bar.UpArrow()->height() + bar.DownArrow()->height(), 17);
}

TEST(ArrowScrollBar, ArrowKeysStepAndPageKeysTakeTheLargeStep)
{
    ArrowScrollBar bar;
    Configure(bar, kSize, 64);
    bar.SetLargeChange(40);

    QTest::keyClick(&bar, Qt::Key_Up);
    EXPECT_EQ(bar.Value(), 68);
    QTest::keyClick(&bar, Qt::Key_PageUp);
    EXPECT_EQ(bar.Value(), 108);
    QTest::keyClick(&bar, Qt::Key_PageDown);
    QTest::keyClick(&bar, Qt::Key_PageDown);
    EXPECT_EQ(bar.Value(), 32);
    QTest::keyClick(&bar, Qt::Key_Down);
    EXPECT_EQ(bar.Value(), 32);
}

} // namespace
} // namespace qv
