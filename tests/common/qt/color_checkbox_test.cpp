#include "common/qt/color_checkbox.h"
#include "platform/qt/label.h"

#include <cstdint>
#include <ostream>
#include <vector>

#include <QImage>
#include <QPixmap>
#include <QWindow>

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr std::uint32_t Rgb(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}

struct ColourCase {
    const char *what;
    std::uint32_t fill;
    std::uint32_t mark;
};

void PrintTo(const ColourCase &c, std::ostream *out)
{
    *out << c.what;
}

class MarkColour : public testing::TestWithParam<ColourCase>
{
};

TEST_P(MarkColour, StandsOutAgainstTheFill)
{
    const ColourCase &c = GetParam();
    SCOPED_TRACE(c.what);
    ColorCheckbox box;
    box.resize(17, 17);
    QSignalSpy changes(&box, &ColorCheckbox::Change);

    box.SetColor(c.fill);
    box.SetColor(c.fill);

    EXPECT_EQ(box.Color(), c.fill);
    EXPECT_EQ(box.MarkColor(), c.mark);
    EXPECT_EQ(changes.count(), 0) << "setting Color never raises Change";

    // What is painted: the fill on the surface, the mark colour as the mark's text colour.
    const QColor fill = box.palette().color(QPalette::Window);
    EXPECT_EQ(Rgb(fill.red(), fill.green(), fill.blue()), c.fill & 0xFFFFFFu);
    const QColor text = box.Mark().palette().color(QPalette::WindowText);
    EXPECT_EQ(Rgb(text.red(), text.green(), text.blue()), c.mark);
    const QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0).rgb(), fill.rgb());
    EXPECT_EQ(shown.pixelColor(16, 16).rgb(), fill.rgb());
}

INSTANTIATE_TEST_SUITE_P(Table,
    MarkColour,
    testing::Values(ColourCase {"black", Rgb(0, 0, 0), Rgb(255, 255, 255)},
        ColourCase {"white", Rgb(255, 255, 255), Rgb(0, 0, 0)},
        ColourCase {"pure red gives cyan", Rgb(255, 0, 0), Rgb(0, 255, 255)},
        ColourCase {"grey 128, average above 127", Rgb(128, 128, 128), Rgb(0, 0, 0)},
        ColourCase {"grey 127", Rgb(127, 127, 127), Rgb(255, 255, 255)},
        ColourCase {"grey 100", Rgb(100, 100, 100), Rgb(255, 255, 255)},
        ColourCase {"grey 158, upper bound inclusive", Rgb(158, 158, 158), Rgb(0, 0, 0)},
        ColourCase {"grey 98, lower bound inclusive", Rgb(98, 98, 98), Rgb(255, 255, 255)},
        ColourCase {"red 159 leaves the band", Rgb(159, 128, 128), Rgb(96, 127, 127)},
        ColourCase {"blue 97 leaves the band", Rgb(128, 128, 97), Rgb(127, 127, 158)},
        ColourCase {"average truncates: 382 / 3 = 127", Rgb(128, 127, 127), Rgb(255, 255, 255)},
        ColourCase {"average 383 / 3 = 127", Rgb(128, 128, 127), Rgb(255, 255, 255)}));

TEST(ColorCheckbox, TheTopByteOfTheColourIsIgnoredForTheMark)
{
    EXPECT_EQ(MarkColorFor(0xFF000000u), Rgb(255, 255, 255));
    EXPECT_EQ(MarkColorFor(0x12808080u), Rgb(0, 0, 0));
}

struct ValueStep {
    std::int32_t value;
    const char *mark;
    int changes; // Change events raised by this step
};

struct ValueCase {
    const char *what;
    std::vector<ValueStep> steps;
};

void PrintTo(const ValueCase &c, std::ostream *out)
{
    *out << c.what;
}

class ValueTransitions : public testing::TestWithParam<ValueCase>
{
};

TEST_P(ValueTransitions, UpdateTheMarkThenRaiseChangeOnce)
{
    SCOPED_TRACE(GetParam().what);
    ColorCheckbox box;
    box.resize(17, 17);
    ASSERT_EQ(box.Value(), 0);
    ASSERT_EQ(box.MarkText(), "");
    // Inside the handler the new value and mark are already in place.
    std::vector<std::pair<std::int32_t, std::string>> seen;
    QObject::connect(
        &box, &ColorCheckbox::Change, [&] { seen.emplace_back(box.Value(), box.MarkText()); });

    for (const ValueStep &step : GetParam().steps) {
        const std::size_t before = seen.size();
        box.SetValue(step.value);
        EXPECT_EQ(box.Value(), step.value);
        EXPECT_EQ(box.MarkText(), step.mark) << "value " << step.value;
        ASSERT_EQ(seen.size() - before, static_cast<std::size_t>(step.changes))
            << "value " << step.value;
        if (step.changes == 1) {
            EXPECT_EQ(seen.back().first, step.value);
            EXPECT_EQ(seen.back().second, step.mark);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table,
    ValueTransitions,
    testing::Values(ValueCase {"tick, again, then 2", {{1, "X", 1}, {1, "X", 0}, {2, "", 1}}},
        ValueCase {"0 again", {{0, "", 0}}},
        ValueCase {"other values keep the mark", {{1, "X", 1}, {7, "X", 1}, {-1, "X", 1}}},
        ValueCase {"other values keep no mark", {{-1, "", 1}, {5, "", 1}, {0, "", 1}}},
        ValueCase {"2 back to 1", {{2, "", 1}, {1, "X", 1}, {0, "", 1}}}));

TEST(ColorCheckbox, SettingColorKeepsTheValue)
{
    ColorCheckbox box;
    box.SetValue(1);
    QSignalSpy changes(&box, &ColorCheckbox::Change);
    box.SetColor(Rgb(10, 200, 30));
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(box.MarkText(), "X");
    EXPECT_EQ(changes.count(), 0);
}

struct CentreCase {
    QSize control;
    QPoint mark; // where the mark sits once ticked
};

void PrintTo(const CentreCase &c, std::ostream *out)
{
    *out << c.control.width() << " x " << c.control.height();
}

class MarkCentring : public testing::TestWithParam<CentreCase>
{
};

// The mark (75 x 195 twips) is centred in whole twips, halves truncated.
TEST_P(MarkCentring, TickingCentresTheMark)
{
    ColorCheckbox box;
    box.resize(GetParam().control);
    EXPECT_EQ(box.Mark().geometry(), QRect(6, 0, 5, 13)) << "the design place";

    box.SetValue(1);

    EXPECT_EQ(box.Mark().geometry(), QRect(GetParam().mark, QSize(5, 13)));
}

INSTANTIATE_TEST_SUITE_P(Table,
    MarkCentring,
    testing::Values(CentreCase {{17, 17}, {6, 2}}, // (255-75)/2 = 90, (255-195)/2 = 30 twips
        CentreCase {{40, 30}, {17, 8}}, // (600-75)/2 = 262, (450-195)/2 = 127 twips
        CentreCase {{5, 13}, {0, 0}}));

// A control shown in a window of its own, so clicks travel the way a user's do.
class ColorCheckboxClicks : public testing::Test
{
protected:
    void SetUp() override
    {
        box.resize(17, 17);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    }

    ColorCheckbox box;
};

TEST_F(ColorCheckboxClicks, EveryClickTogglesOnTheMarkOrTheSurface)
{
    box.SetValue(1);
    QSignalSpy changes(&box, &ColorCheckbox::Change);
    const QPoint onMark = box.Mark().geometry().center();
    const QPoint onSurface(1, 15);
    ASSERT_FALSE(box.Mark().geometry().contains(onSurface));

    const std::vector<std::pair<QPoint, std::int32_t>> clicks = {
        {onMark, 0}, {onSurface, 1}, {onSurface, 0}, {onMark, 1}};
    for (const auto &[at, expected] : clicks) {
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_EQ(box.Value(), expected);
    }
    EXPECT_EQ(changes.count(), 4);
}

TEST_F(ColorCheckboxClicks, OtherButtonsDoNothing)
{
    QSignalSpy changes(&box, &ColorCheckbox::Change);
    QTest::mouseClick(&box, Qt::RightButton);
    QTest::mouseClick(&box, Qt::MiddleButton);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ColorCheckboxClicks, AClickOnValueTwoGivesMinusOneThenTwo)
{
    box.SetValue(2);
    QSignalSpy changes(&box, &ColorCheckbox::Change);

    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(box.Value(), -1);
    EXPECT_EQ(box.MarkText(), "");
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(box.Value(), 2);
    EXPECT_EQ(box.MarkText(), "");
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(ColorCheckboxClicks, AQuickDoubleClickCountsTwice)
{
    QSignalSpy changes(&box, &ColorCheckbox::Change);
    std::vector<std::int32_t> values;
    QObject::connect(&box, &ColorCheckbox::Change, [&] { values.push_back(box.Value()); });

    // Through the window, so the second press arrives as a double-click as it does for a user.
    QTest::mouseDClick(box.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));

    EXPECT_EQ(values, (std::vector<std::int32_t> {1, 0}));
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(changes.count(), 2);
}

} // namespace
} // namespace qv
