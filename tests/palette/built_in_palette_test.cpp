#include "common/built_in_palettes.h"
#include "palette/built_in_palette.h"
#include "palette/jasc_pal.h"
#include "platform/resources.h"

#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ParsedBuiltInPalette, EachNameGivesItsOwnResourceParsedOnceForTheProcess)
{
    for (const char *name : kBuiltInPalettes) {
        const auto data = LoadResourceData("PALETTES", name);
        ASSERT_TRUE(data) << name;
        const RawPalette direct = ParseJascPalText(std::string(data->begin(), data->end()));
        const RawPalette *parsed = ParsedBuiltInPalette(name);
        ASSERT_NE(parsed, nullptr) << name;
        EXPECT_EQ(*parsed, direct) << name;
        EXPECT_EQ(ParsedBuiltInPalette(name), parsed) << name << ": parsed again";
    }
}

TEST(ParsedBuiltInPalette, ThreadsAskingAtOnceShareOneCopy)
{
    const RawPalette *first = nullptr;
    const RawPalette *second = nullptr;
    std::thread a([&] { first = ParsedBuiltInPalette("NOAH3D"); });
    std::thread b([&] { second = ParsedBuiltInPalette("NOAH3D"); });
    a.join();
    b.join();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
}

TEST(ParsedBuiltInPalette, NothingForNamesThatAreNotBuiltIn)
{
    for (const char *name : {"", "wolf3d", "WOLF3D ", "WOLF", "External"}) {
        EXPECT_EQ(ParsedBuiltInPalette(name), nullptr) << '"' << name << '"';
    }
}

} // namespace
} // namespace qv
