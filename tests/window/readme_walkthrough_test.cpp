// The README's first-start walkthrough, step by step on the sample sprites: the 8-bit barrel in
// one batch with its own scan, the 24-bit torch and knight in another, and every sprite's magenta
// background comes out as the output transparent entry.
#include "tests/window/window_fixture.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::test {
namespace {

class ReadmeWalkthrough : public testing::Test, protected WindowFixture
{
protected:
    // Selects exactly the named entries, the first one current, as Ctrl-clicks would.
    void SelectOnly(TestWindow &w, const std::vector<std::string> &names)
    {
        for (int i = 0; i < w.File->ListCount(); ++i) {
            w.File->SetSelected(i, false);
        }
        for (auto name = names.rbegin(); name != names.rend(); ++name) {
            w.File->SetSelected(Entry(*name), true);
        }
    }

    // The index of the second pixel of the bottom row of a converted 8-bit picture (the first
    // may be a transparent edge column): magenta background in every sample.
    int Corner(const std::string &name) const
    {
        const std::vector<std::uint8_t> bytes = ReadBytes(pictures.File(name));
        return bytes.size() > 1079 ? bytes[1079] : -1;
    }
};

TEST_F(ReadmeWalkthrough, EverySamplesBackgroundBecomesTransparent)
{
    const std::string make = std::string(QV_MAKE_SAMPLES_EXE) + " '" + pictures.Path() + "'";
    ASSERT_EQ(std::system(make.c_str()), 0);
    TestWindow &w = Start("", true);
    ASSERT_GE(Entry("barrel.bmp"), 0);
    const std::string scanned = "The input transparency color is now ";

    SelectOnly(w, {"barrel.bmp"});
    w.session().mnuTransparencyScanForInputColor_Click();
    EXPECT_EQ(dialogs.Log().back().text, scanned + "255.");
    w.cmdOK->click();

    SelectOnly(w, {"torch.bmp", "knight.bmp"});
    w.session().mnuTransparencyScanForInputColor_Click();
    EXPECT_EQ(dialogs.Log().back().text, scanned + "183.");
    w.cmdOK->click();

    for (const char *name : {"barrel.bmp", "torch.bmp", "knight.bmp"}) {
        EXPECT_EQ(Corner(name), 255) << name;
    }
}

} // namespace
} // namespace qv::test
