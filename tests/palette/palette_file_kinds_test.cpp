#include "palette/load_palette_data.h"
#include "palette/palette_store.h"
#include "platform/files.h"
#include "platform/scripted_dialog_service.h"
#include "tests/palette/palette_test_data.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Whatever a chosen path turns out to be, loading it says which file and what is wrong, never
// waits (a pipe nobody writes to) and leaves the palette that was there.
TEST(PaletteFileKinds, WhatIsNoOrdinaryReadableFileIsReportedByWhatItIs)
{
    struct Row {
        const char *name;
        std::string (*make)(const test::TempDir &dir);
        const char *number;
        const char *problem;
    };
    const Row rows[] = {
        {"missing",
            [](const test::TempDir &dir) { return dir.File("gone.pal"); },
            "53\r\nFile not found",
            "no such file"},
        {"in a missing folder",
            [](const test::TempDir &dir) { return dir.File("gone/x.pal"); },
            "53\r\nFile not found",
            "no such file"},
        {"below a file",
            [](const test::TempDir &dir) { return dir.Write("file", std::string("x")) + "/x.pal"; },
            "76\r\nPath not found",
            "not a directory"},
        {"a folder",
            [](const test::TempDir &dir) { return dir.Path(); },
            "75\r\nPath/File access error",
            "is a folder"},
        {"a device",
            [](const test::TempDir &) { return std::string("/dev/zero"); },
            "75\r\nPath/File access error",
            "not an ordinary file"},
        {"a pipe nobody writes to",
            [](const test::TempDir &dir) {
                const std::string path = dir.File("fifo.pal");
                EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
                return path;
            },
            "75\r\nPath/File access error",
            "not an ordinary file"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const test::TempDir dir;
        const std::string path = row.make(dir);
        PaletteStore store;
        store.Publish(test::DistinctPalette());
        const std::vector<std::uint8_t> table = store.PaletteTable();
        ScriptedDialogService dialogs;

        EXPECT_FALSE(LoadPaletteDataFromFile(dialogs, store, path, ""));

        EXPECT_EQ(dialogs.MessageTexts(),
            std::vector<std::string> {"Error in LoadPaletteDataFromFile\r\nError #"
                + std::string(row.number) + ": palette file " + NativePath(path) + ": "
                + row.problem});
        EXPECT_EQ(store.PaletteTable(), table);
    }
}

} // namespace
} // namespace qv
