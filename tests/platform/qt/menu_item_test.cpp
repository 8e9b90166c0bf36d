#include "platform/qt/menu_item.h"

#include <ostream>

#include <QMenu>

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace qv {
namespace {

struct TriggerCase {
    bool checkable;
    bool checkedBefore;
};

void PrintTo(const TriggerCase &c, std::ostream *out)
{
    *out << (c.checkable ? "checkable" : "plain") << (c.checkedBefore ? ", checked" : "");
}

class MenuItemTrigger : public testing::TestWithParam<TriggerCase>
{
};

// A click leaves the check mark to the handler, whatever the item's kind and state.
TEST_P(MenuItemTrigger, RaisesClickWithItsIndexAndKeepsTheCheckMark)
{
    const TriggerCase &c = GetParam();
    QMenu menu;
    MenuItem item("&64x64", 1, &menu);
    item.setCheckable(c.checkable);
    item.SetChecked(c.checkedBefore);
    ASSERT_EQ(item.Checked(), c.checkedBefore && c.checkable);
    QSignalSpy clicks(&item, &MenuItem::Click);

    item.trigger();

    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 1);
    EXPECT_EQ(item.Checked(), c.checkedBefore && c.checkable);
}

INSTANTIATE_TEST_SUITE_P(Table,
    MenuItemTrigger,
    testing::Values(TriggerCase {true, false},
        TriggerCase {true, true},
        TriggerCase {false, false},
        TriggerCase {false, true}));

TEST(MenuItem, AHandlerSetsTheCheckMarkDuringTheClick)
{
    QMenu menu;
    MenuItem item("&Convert Palette", -1, &menu);
    item.setCheckable(true);
    QObject::connect(&item, &MenuItem::Click, [&] { item.SetChecked(!item.Checked()); });

    item.trigger();
    EXPECT_TRUE(item.Checked());
    item.trigger();
    EXPECT_FALSE(item.Checked());
}

TEST(MenuItem, ADisabledItemRaisesNoClick)
{
    QMenu menu;
    MenuItem item("&Input Transparent Color: ", -1, &menu);
    item.SetEnabled(false);
    QSignalSpy clicks(&item, &MenuItem::Click);
    item.trigger();
    EXPECT_EQ(clicks.count(), 0);
}

TEST(MenuItem, ADashIsASeparator)
{
    QMenu menu;
    MenuItem dash("-", -1, &menu);
    EXPECT_TRUE(dash.isSeparator());
    EXPECT_EQ(dash.Caption(), "-");
    EXPECT_TRUE(dash.text().isEmpty()) << "a separator with text is drawn as a heading";
    dash.SetCaption("&Back");
    EXPECT_FALSE(dash.isSeparator());
    EXPECT_EQ(dash.text(), "&Back");
}

} // namespace
} // namespace qv
