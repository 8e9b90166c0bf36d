#include "platform/zeroed_table.h"

#include <cstddef>
#include <cstdint>
#include <utility>

#include <gtest/gtest.h>

namespace qv {
namespace {

bool AllZero(const ZeroedTable<std::uint32_t> &table, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (table[i] != 0) {
            return false;
        }
    }
    return true;
}

// A table made where a written one was just handed back is zero again, across sizes below and
// above a page and the allocator's large-block threshold; a moved table keeps its contents and
// leaves the source empty; whether the pages are mapped at once or at their first touch.
TEST(ZeroedTable, NewTablesAreZeroAndMovesKeepTheContents)
{
    for (const std::size_t count :
        {std::size_t {1}, std::size_t {1000}, std::size_t {32768}, std::size_t {1} << 20}) {
        SCOPED_TRACE(count);
        for (int round = 0; round < 4; ++round) {
            // Pages mapped at once in the first two rounds, at their first touch in the others.
            const TablePages pages = round < 2 ? TablePages::AtOnce : TablePages::OnFirstTouch;
            ZeroedTable<std::uint32_t> table(count, pages);
            ASSERT_TRUE(table);
            EXPECT_TRUE(AllZero(table, count));
            for (std::size_t i = 0; i < count; ++i) {
                table[i] = static_cast<std::uint32_t>(i) | 0x80000000U;
            }
            ZeroedTable<std::uint32_t> moved;
            moved = std::move(table);
            EXPECT_FALSE(table);
            EXPECT_EQ(moved[count - 1], static_cast<std::uint32_t>(count - 1) | 0x80000000U);
            moved = ZeroedTable<std::uint32_t>(count, pages);
            EXPECT_TRUE(AllZero(moved, count));
        }
    }
}

} // namespace
} // namespace qv
