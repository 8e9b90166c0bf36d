#include "platform/qt/label.h"

#include <ostream>

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qv {
namespace {

struct ClickCase {
    const char *what;
    Qt::MouseButton button;
    QPoint release; // where the button is let go
    int clicks;
};

void PrintTo(const ClickCase &c, std::ostream *out)
{
    *out << c.what;
}

class LabelClick : public testing::TestWithParam<ClickCase>
{
};

TEST_P(LabelClick, IsAPressAndReleaseOfTheLeftButtonOnTheLabel)
{
    const ClickCase &c = GetParam();
    SCOPED_TRACE(c.what);
    Label label("64");
    label.resize(25, 17);
    label.show();
    QSignalSpy clicks(&label, &Label::Click);

    QTest::mousePress(&label, c.button, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(&label, c.button, Qt::NoModifier, c.release);

    EXPECT_EQ(clicks.count(), c.clicks);
}

INSTANTIATE_TEST_SUITE_P(Table,
    LabelClick,
    testing::Values(ClickCase {"left inside", Qt::LeftButton, QPoint(20, 10), 1},
        ClickCase {"left let go outside", Qt::LeftButton, QPoint(40, 10), 0},
        ClickCase {"right inside", Qt::RightButton, QPoint(20, 10), 0}));

TEST(Label, ShowsMarkupAsPlainTextAndKeepsTagAndTip)
{
    Label label;
    label.SetCaption("<b>/tmp/a&b</b>");
    label.SetTag("/tmp/full");
    label.SetToolTip("tip");
    EXPECT_EQ(label.Caption(), "<b>/tmp/a&b</b>");
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.Tag(), "/tmp/full");
    EXPECT_EQ(label.ToolTip(), "tip");
}

} // namespace
} // namespace qv
