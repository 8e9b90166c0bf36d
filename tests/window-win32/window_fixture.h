#pragma once

#include "platform/scripted_dialog_service.h"
#include "platform/utf8_path.h"
#include "platform/win32/wide_text.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/window-win32/test_window.h"

#include <memory>
#include <string>
#include <vector>

namespace qv::win32::test {

using qv::test::TempDir;

// A Windows window started as the program starts it, but with its settings file and program
// folder in a temporary folder and dialogs answered from a script. It is never shown: the
// messages a user's clicks send reach it all the same.
class WindowFixture
{
public:
    TempDir program;
    TempDir pictures;
    ScriptedDialogService dialogs;
    std::unique_ptr<TestWindow> window;

    std::string SettingsPath() const { return program.File("quorvantile.ini"); }

    // Writes the settings (naming the picture folder as "Path"), creates the window and runs
    // its start-up. A window started before closes first, as a program's would.
    TestWindow &Start(const std::string &settingsText = "")
    {
        window.reset();
        program.Write(
            "quorvantile.ini", "[General]\r\nPath=" + pictures.Path() + "\r\n" + settingsText);
        window = std::make_unique<TestWindow>(dialogs);
        window->Form_Load(SettingsPath(), program.Path());
        return *window;
    }

    std::string SettingsText() const
    {
        const std::vector<std::uint8_t> bytes = qv::test::ReadBytes(SettingsPath());
        return {bytes.begin(), bytes.end()};
    }

    // The settings file holds the line key=value (in any section).
    bool SettingsHold(const std::string &key, const std::string &value) const
    {
        return SettingsText().find("\r\n" + key + "=" + value + "\r\n") != std::string::npos;
    }

    // A bitmap of width x height and the given depth in the picture folder, with seeded pixels.
    std::string Picture(const std::string &name, int width, int height, int bitCount = 24) const
    {
        qv::test::BmpLayout layout;
        layout.width = width;
        layout.height = height;
        layout.bitCount = static_cast<std::int16_t>(bitCount);
        layout.seed = static_cast<std::uint32_t>(width * 131 + height);
        return pictures.Write(name, qv::test::BuildBmp(layout));
    }
};

// What a user's actions send the window.
// A menu item chosen: the WM_COMMAND its click sends.
inline void Choose(const TestWindow &window, const MenuItem &item)
{
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(item.Id(), 0), 0);
}

// A click on a push or option button.
inline void Click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
}

// A click on a label: the notification its click sends its parent.
inline void Click(const Label &label)
{
    const HWND control = label.Handle();
    SendMessageW(GetParent(control),
        WM_COMMAND,
        MAKEWPARAM(GetDlgCtrlID(control), STN_CLICKED),
        reinterpret_cast<LPARAM>(control));
}

// A press and release of the left button at a point of a control, with the keys of flags
// (MK_CONTROL, MK_SHIFT) held.
inline void ClickAt(HWND control, POINT at, WPARAM flags = 0)
{
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON | flags, where);
    SendMessageW(control, WM_LBUTTONUP, flags, where);
}

// A click on entry i of a list box.
inline void ClickEntry(const FileListBox &list, int i, WPARAM flags = 0)
{
    RECT entry {};
    SendMessageW(
        list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&entry));
    ClickAt(list.Handle(), {entry.left + 2, (entry.top + entry.bottom) / 2}, flags);
}

// Holds a key down, as the thread's keyboard state tells GetKeyState, for its lifetime.
class HeldKey
{
public:
    explicit HeldKey(int key)
        : key_(key)
    {
        Set(0x80);
    }
    ~HeldKey() { Set(0); }
    HeldKey(const HeldKey &) = delete;
    HeldKey &operator=(const HeldKey &) = delete;

private:
    void Set(BYTE state) const
    {
        BYTE keys[256] {};
        GetKeyboardState(keys);
        keys[key_] = state;
        SetKeyboardState(keys);
    }
    int key_;
};

// A key pressed on a control with Ctrl held, as the keyboard sends it.
inline void CtrlKey(HWND control, WPARAM key)
{
    const HeldKey ctrl(VK_CONTROL);
    SendMessageW(control, WM_KEYDOWN, key, 1);
}

// The selected entries of a list box.
inline std::vector<int> SelectedEntries(const FileListBox &list)
{
    std::vector<int> selected;
    const std::vector<bool> flags = list.Selection();
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (flags[i]) {
            selected.push_back(static_cast<int>(i));
        }
    }
    return selected;
}

// The place of a control in its parent's client area, in pixels.
inline RECT PlaceOf(HWND control)
{
    RECT place {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&place), 2);
    return place;
}

} // namespace qv::win32::test
