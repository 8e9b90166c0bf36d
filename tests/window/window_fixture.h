#pragma once

#include "platform/scripted_dialog_service.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/window/test_window.h"

#include <memory>
#include <string>
#include <vector>

namespace qv::test {

// A main window on the headless platform, started like the program starts it but with its
// settings file and program folder in a temporary folder, and dialogs answered from a script.
class WindowFixture
{
public:
    // The program folder (settings file beside it) and a picture folder, both fresh.
    TempDir program;
    TempDir pictures;
    ScriptedDialogService dialogs;
    std::unique_ptr<TestWindow> window;

    std::string SettingsPath() const { return program.File("quorvantile.ini"); }

    // Writes settingsText (when not empty) as the settings file, creates the window and runs its
    // start-up. With storePictureFolder the settings name the picture folder as "Path".
    TestWindow &Start(const std::string &settingsText = "", bool storePictureFolder = true)
    {
        std::string text = settingsText;
        if (storePictureFolder) {
            text = "[General]\r\nPath=" + pictures.Path() + "\r\n" + text;
        }
        if (!text.empty()) {
            program.Write("quorvantile.ini", text);
        }
        window = std::make_unique<TestWindow>(dialogs);
        window->Form_Load(SettingsPath(), program.Path());
        return *window;
    }

    std::string SettingsText() const
    {
        const std::vector<std::uint8_t> bytes = ReadBytes(SettingsPath());
        return {bytes.begin(), bytes.end()};
    }

    // The settings file holds the line key=value (in any section).
    bool SettingsHold(const std::string &key, const std::string &value) const
    {
        return SettingsText().find("\r\n" + key + "=" + value + "\r\n") != std::string::npos;
    }

    // Closes the window and starts a new one on the settings file as it now is, as the next
    // run of the program would.
    TestWindow &Restart()
    {
        window.reset();
        window = std::make_unique<TestWindow>(dialogs);
        window->Form_Load(SettingsPath(), program.Path());
        return *window;
    }

    // Writes a bitmap of width x height and the given depth into the picture folder, with seeded
    // pixels, and returns its path.
    std::string Picture(const std::string &name, int width, int height, int bitCount = 24) const
    {
        BmpLayout layout;
        layout.width = width;
        layout.height = height;
        layout.bitCount = static_cast<std::int16_t>(bitCount);
        layout.seed = static_cast<std::uint32_t>(width * 131 + height);
        return pictures.Write(name, BuildBmp(layout));
    }

    // The index of the entry named name in the window's file list, -1 when it is not listed.
    int Entry(const std::string &name) const
    {
        for (int i = 0; i < window->File->ListCount(); ++i) {
            if (window->File->List(i) == name) {
                return i;
            }
        }
        return -1;
    }
};

// The indices of the checked items of a menu array, in order.
inline std::vector<int> CheckedIndices(const MenuArray &items)
{
    std::vector<int> checked;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (items[static_cast<std::size_t>(i)]->Checked()) {
            checked.push_back(i);
        }
    }
    return checked;
}

// The palette entries whose checkbox is ticked (value 1).
inline std::vector<int> SkippedEntries(const TestWindow &window)
{
    std::vector<int> skipped;
    for (const auto &[index, box] : window.chkPal) {
        if (box->Value() == 1) {
            skipped.push_back(index);
        }
    }
    return skipped;
}

} // namespace qv::test
