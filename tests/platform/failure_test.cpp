#include "platform/checked.h"
#include "platform/failure.h"
#include "tests/support/failure_number.h"

#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::FailureNumberOf;

TEST(Checked, OverflowIsFailureSix)
{
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(FailureNumberOf([] { CheckedMul<std::int32_t>(big, 2); }), kOverflow);
    EXPECT_EQ(FailureNumberOf([] { CheckedAdd<std::int32_t>(big, 1); }), kOverflow);
    EXPECT_EQ(FailureNumberOf([] { CheckedSub<std::int32_t>(-big, 2); }), kOverflow);
    EXPECT_EQ(FailureNumberOf([] { CheckedCast<std::int16_t>(40000); }), kOverflow);
    EXPECT_EQ(CheckedMul<std::int32_t>(92, 512), 47104);
}

TEST(Checked, IndexOutsideTheDataIsFailureNine)
{
    std::vector<int> data(4, 7);
    EXPECT_EQ(FailureNumberOf([&] { At(data, 4); }), kSubscriptOutOfRange);
    EXPECT_EQ(FailureNumberOf([&] { At(data, -1); }), kSubscriptOutOfRange);
    EXPECT_EQ(At(data, 3), 7);
    EXPECT_EQ(FailureNumberOf([] { CheckRange<std::int64_t>(10, 8, 3); }), kSubscriptOutOfRange);
    EXPECT_EQ(FailureNumberOf([] { CheckRange<std::int64_t>(10, -1, 1); }), kSubscriptOutOfRange);
    EXPECT_EQ(FailureNumberOf([] { CheckRange<std::int64_t>(10, 7, 3); }), 0);
}

TEST(Failure, CarriesNumberAndStandardDescription)
{
    try {
        Fail(kFileNotFound);
        FAIL() << "Fail must throw";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.Number(), 53);
        EXPECT_EQ(failure.Description(), "File not found");
    }
}

} // namespace
} // namespace qv
