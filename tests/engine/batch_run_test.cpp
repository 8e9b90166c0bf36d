// The batch runner: results in list order, files written in list order (or as soon as they are
// done, for a front end that cannot stop), a stop or a failure in the front end's hands leaving
// every later file untouched.
#include "engine/batch_run.h"
#include "platform/files.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Folder {
    test::TempDir dir;
    std::vector<BatchItem> items;
    std::vector<std::vector<std::uint8_t>> originals;

    explicit Folder(int count)
    {
        CreateFolder(dir.File("backup"));
        for (int i = 0; i < count; ++i) {
            test::BmpLayout layout;
            layout.width = 8 + i % 5;
            layout.height = 6;
            layout.bitCount = i % 2 == 0 ? 24 : 8;
            layout.seed = static_cast<std::uint32_t>(i + 1);
            const std::string name = "p" + std::to_string(100 + i) + ".bmp";
            originals.push_back(test::BuildBmp(layout));
            items.push_back({dir.Write(name, originals.back()),
                ResizeDestination::ReplaceInput(dir.File("backup")),
                64});
        }
    }

    bool Written(std::size_t i) const { return test::ReadBytes(items[i].path) != originals[i]; }
};

TEST(RunBatch, DeliversAndWritesInListOrderOnEveryNumberOfThreads)
{
    for (const int workers : {1, 2, 4}) {
        SCOPED_TRACE(workers);
        Folder folder(12);
        std::vector<std::size_t> order;
        bool laterWritten = false;
        const std::size_t done = RunBatch(
            ConversionOptions {},
            folder.items,
            workers,
            [&](std::size_t index, const BatchResult &result) {
                order.push_back(index);
                EXPECT_EQ(result.conversion.Status(), ResizeResult::Converted);
                EXPECT_TRUE(folder.Written(index));
                for (std::size_t j = index + 1; j < folder.items.size(); ++j) {
                    laterWritten = laterWritten || folder.Written(j);
                }
                return true;
            },
            [] {});
        EXPECT_EQ(done, 12U);
        EXPECT_FALSE(laterWritten) << "a file was written before an earlier one was delivered";
        std::vector<std::size_t> expected(12);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            expected[i] = i;
        }
        EXPECT_EQ(order, expected);
    }
}

TEST(RunBatch, AStopOrAFailureInDeliveryLeavesEveryLaterFileUntouched)
{
    for (const bool throws : {false, true}) {
        SCOPED_TRACE(throws);
        Folder folder(10);
        const auto deliver = [&](std::size_t index, const BatchResult &) {
            if (index == 3 && throws) {
                throw std::runtime_error("the front end failed");
            }
            return index < 3;
        };
        if (throws) {
            EXPECT_THROW(RunBatch(ConversionOptions {}, folder.items, 3, deliver, [] {}),
                std::runtime_error);
        } else {
            EXPECT_EQ(RunBatch(ConversionOptions {}, folder.items, 3, deliver, [] {}), 4U);
        }
        for (std::size_t i = 0; i < folder.items.size(); ++i) {
            EXPECT_EQ(folder.Written(i), i <= 3) << i;
            EXPECT_EQ(std::filesystem::exists(
                          folder.dir.File("backup/p" + std::to_string(100 + i) + ".bmp")),
                i <= 3)
                << i;
        }
    }
}

// Written as done, a later file does not wait for an earlier result to be delivered; the
// results still arrive in list order.
TEST(RunBatch, WrittenAsDoneALaterFileNeedNotWaitForEarlierDeliveries)
{
    Folder folder(6);
    bool laterWritten = false;
    std::vector<std::size_t> order;
    RunBatch(
        ConversionOptions {},
        folder.items,
        2,
        [&](std::size_t index, const BatchResult &result) {
            order.push_back(index);
            EXPECT_EQ(result.conversion.Status(), ResizeResult::Converted);
            if (index == 0) {
                // The workers go on writing while the first result is being delivered.
                const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
                while (!folder.Written(5) && std::chrono::steady_clock::now() < until) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                laterWritten = folder.Written(5);
            }
            return true;
        },
        [] {},
        {BatchWrites::AsDone, false});
    EXPECT_TRUE(laterWritten) << "the last file waited for the first delivery";
    EXPECT_EQ(order, (std::vector<std::size_t> {0, 1, 2, 3, 4, 5}));
}

} // namespace
} // namespace qv
