// quorvantile-convert --restore.
#include "tests/cli/cli_test_support.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace qv::cli {
namespace {

using qv::test::ReadBytes;

TEST(Restore, EachPictureGetsItsOriginalBackAndTheConvertedOnesAreKept)
{
    qv::test::TempDir dir;
    const std::string ini = dir.Write("s.ini", std::string());
    test::WritePicture(dir.Path(), "a.bmp", 20, 20);
    test::WritePicture(dir.Path(), "b.bmp", 20, 20, 24, 2);
    const auto original = ReadBytes(dir.File("a.bmp"));
    ASSERT_EQ(test::RunProgram(dir.Path(), {"--settings", ini, "a.bmp"}).status, 0);
    const auto first = ReadBytes(dir.File("a.bmp"));
    ASSERT_EQ(
        test::RunProgram(dir.Path(), {"--settings", ini, "--brightness", "150,100,100", "a.bmp"})
            .status,
        0);
    const auto second = ReadBytes(dir.File("a.bmp"));

    const test::Run run = test::RunProgram(dir.Path(), {"--restore", "."});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Restored 1 file(s).\n");
    EXPECT_EQ(run.err, "./b.bmp: no backup in ./Quorvantile Backup\n");
    EXPECT_EQ(ReadBytes(dir.File("a.bmp")), original);
    EXPECT_EQ(ReadBytes(dir.File("Quorvantile Backup/a (2).bmp")), first);
    EXPECT_EQ(ReadBytes(dir.File("Quorvantile Backup/a (3).bmp")), second);

    EXPECT_EQ(test::RunProgram(dir.Path(), {"--restore", "--quiet", "a.bmp"}).status, 0);
    EXPECT_EQ(ReadBytes(dir.File("a.bmp")), original);
}

} // namespace
} // namespace qv::cli
