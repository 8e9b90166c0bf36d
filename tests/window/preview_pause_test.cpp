#include "app/preview_pause.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PreviewPause, NestedPausesEndWithTheOutermostAndSurviveAFailure)
{
    bool suspend = false;
    {
        const PreviewPause outer(suspend);
        {
            const PreviewPause inner(suspend);
            EXPECT_TRUE(suspend);
        }
        EXPECT_TRUE(suspend) << "the inner pause ended the outer one";
    }
    EXPECT_FALSE(suspend);

    try {
        const PreviewPause pause(suspend);
        throw std::runtime_error("handler failed");
    } catch (const std::runtime_error &) { }
    EXPECT_FALSE(suspend);
}

} // namespace
} // namespace qv
