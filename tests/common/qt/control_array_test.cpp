#include "common/qt/color_checkbox.h"
#include "platform/failure.h"
#include "platform/qt/control_array.h"

#include <vector>

#include <QWidget>

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace qv {
namespace {

// A host with member 0 placed as the window's design places it: 6480, 600, 255 x 255 twips.
class ControlArrayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        first = new ColorCheckbox(&host);
        first->setGeometry(432, 40, 17, 17);
        first->setToolTip("first");
        boxes.AddDesignMember(0, first);
        host.show();
    }

    QWidget host;
    ColorCheckbox *first = nullptr;
    ControlArray<ColorCheckbox> boxes;
};

TEST_F(ControlArrayTest, ANewMemberIsAnInvisibleCopyOfMemberZero)
{
    first->SetColor(0x0000FFu);
    first->SetValue(1);

    ColorCheckbox &copy = boxes.Load(1);

    EXPECT_NE(&copy, first);
    EXPECT_EQ(copy.parentWidget(), &host);
    EXPECT_EQ(copy.size(), QSize(17, 17));
    EXPECT_EQ(copy.Color(), 0x0000FFu);
    EXPECT_EQ(copy.Value(), 1);
    EXPECT_EQ(copy.MarkText(), "X");
    EXPECT_FALSE(copy.isVisible());
    EXPECT_EQ(&boxes[1], &copy);
    EXPECT_EQ(boxes.Count(), 2);
}

TEST_F(ControlArrayTest, MembersAreMovedInTwipsAndShownByTheHost)
{
    // The second row of the palette grid: 6480 + 255 * k, 600 + 239.
    const std::vector<std::pair<int, QPoint>> places = {
        {1, {6735, 600}}, {16, {6480, 839}}, {17, {6735, 839}}};
    for (const auto &[index, twips] : places) {
        boxes.Load(index);
        boxes.Move(index, twips.x(), twips.y());
        boxes[index].setVisible(true);
    }
    EXPECT_EQ(boxes[1].pos(), QPoint(449, 40));
    EXPECT_EQ(boxes[16].pos(), QPoint(432, 55));
    EXPECT_EQ(boxes[17].pos(), QPoint(449, 55));
    EXPECT_TRUE(boxes[16].isVisible());
    EXPECT_EQ(first->pos(), QPoint(432, 40)) << "member 0 stays where it was";
}

TEST_F(ControlArrayTest, EachMemberRaisesItsOwnChange)
{
    ColorCheckbox &copy = boxes.Load(5);
    QSignalSpy firstChanges(first, &ColorCheckbox::Change);
    QSignalSpy copyChanges(&copy, &ColorCheckbox::Change);

    copy.SetValue(1);

    EXPECT_EQ(copyChanges.count(), 1);
    EXPECT_EQ(firstChanges.count(), 0);
    EXPECT_EQ(first->Value(), 0);
}

TEST_F(ControlArrayTest, MissingAndDoubledMembersAreFailures)
{
    const auto numberOf = [](auto action) {
        try {
            action();
        } catch (const Failure &failure) {
            return failure.Number();
        }
        return 0;
    };
    EXPECT_EQ(numberOf([&] { boxes.At(1); }), kSubscriptOutOfRange);
    EXPECT_EQ(numberOf([&] { boxes.Move(-1, 0, 0); }), kSubscriptOutOfRange);
    EXPECT_EQ(numberOf([&] { boxes.Load(0); }), kInvalidArgument);
    boxes.Load(1);
    EXPECT_EQ(numberOf([&] { boxes.Load(1); }), kInvalidArgument);
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_EQ(host.findChildren<ColorCheckbox *>(Qt::FindDirectChildrenOnly).size(), 2);
}

} // namespace
} // namespace qv
