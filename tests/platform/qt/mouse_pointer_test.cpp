#include "platform/qt/mouse_pointer.h"

#include <stdexcept>

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(MousePointer, OneSetDefaultEndsAnyNumberOfSetBusy)
{
    ASSERT_FALSE(MousePointer::IsBusy());
    MousePointer::SetBusy();
    MousePointer::SetBusy();
    EXPECT_TRUE(MousePointer::IsBusy());
    MousePointer::SetDefault();
    EXPECT_FALSE(MousePointer::IsBusy());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    MousePointer::SetDefault();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(MousePointer, BusyPointerEndsWhenAFailureLeavesTheScope)
{
    try {
        BusyPointer busy;
        EXPECT_TRUE(MousePointer::IsBusy());
        throw std::runtime_error("failure half-way");
    } catch (const std::runtime_error &) { }
    EXPECT_FALSE(MousePointer::IsBusy());
}

} // namespace
} // namespace qv
