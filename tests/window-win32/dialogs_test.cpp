// The Win32 dialogs the program's dialog service shows: the text prompt made in memory, the
// progress window over its owner, and the file dialog's file types.
#include "platform/win32/file_filters.h"
#include "platform/win32/input_box.h"
#include "platform/win32/progress_window.h"
#include "platform/win32/slider_box.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::win32::test {
namespace {

// What the timer below does to the prompt once it is open: what it read, what to type, and
// whether to press OK or Cancel.
struct PromptScript {
    std::wstring title;
    std::wstring typed;
    bool ok = true;
    std::wstring promptSeen;
    std::wstring defaultSeen;
    bool defaultAllSelected = false;
};
PromptScript *script = nullptr;

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Runs inside the prompt's modal loop: reads it, types, and presses a button.
void CALLBACK AnswerPrompt(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", script->title.c_str());
    if (dialog == nullptr) {
        return; // not open yet
    }
    KillTimer(nullptr, timer);
    HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    HWND prompt = FindWindowExW(dialog, nullptr, L"Static", nullptr);
    script->promptSeen = TextOf(prompt);
    script->defaultSeen = TextOf(edit);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    script->defaultAllSelected = start == 0 && end == script->defaultSeen.size();
    SetWindowTextW(edit, script->typed.c_str());
    PostMessageW(dialog, WM_COMMAND, script->ok ? IDOK : IDCANCEL, 0);
}

TEST(Win32InputBox, ShowsPromptAndDefaultAndAnswersTheTextOrNothing)
{
    const struct {
        const wchar_t *typed;
        bool ok;
        std::optional<std::wstring> answer;
    } cases[] = {
        {L"123", true, L"123"},
        {L"", true, L""},
        {L"Ünï 日本", true, L"Ünï 日本"},
        {L"123", false, std::nullopt},
    };
    for (const auto &c : cases) {
        PromptScript answer;
        answer.title = L"Size";
        answer.typed = c.typed;
        answer.ok = c.ok;
        script = &answer;
        SetTimer(nullptr, 0, 20, &AnswerPrompt);
        const std::optional<std::wstring> result =
            ShowInputBox(nullptr, L"New size (multiples of 4 from 32 to 512):", L"Size", L"64");
        EXPECT_EQ(result, c.answer);
        EXPECT_EQ(answer.promptSeen, L"New size (multiples of 4 from 32 to 512):");
        EXPECT_EQ(answer.defaultSeen, L"64");
        EXPECT_TRUE(answer.defaultAllSelected);
    }
    script = nullptr;
}

// What the timer below does to the slider once it is open: the positions it moves the bar to, one
// scroll notice each, then OK or Cancel; and what the prompt read at the end.
struct SliderScript {
    std::vector<int> moves;
    bool ok = true;
    std::wstring promptSeen;
};
SliderScript *slide = nullptr;

void CALLBACK MoveSlider(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowW(L"#32770", L"Light Level");
    if (dialog == nullptr) {
        return; // not open yet
    }
    KillTimer(nullptr, timer);
    HWND bar = FindWindowExW(dialog, nullptr, TRACKBAR_CLASSW, nullptr);
    for (const int position : slide->moves) {
        SendMessageW(bar, TBM_SETPOS, TRUE, position);
        SendMessageW(dialog, WM_HSCROLL, TB_THUMBTRACK, reinterpret_cast<LPARAM>(bar));
    }
    slide->promptSeen = TextOf(FindWindowExW(dialog, nullptr, L"Static", nullptr));
    PostMessageW(dialog, WM_COMMAND, slide->ok ? IDOK : IDCANCEL, 0);
}

// Each new position of the bar is handed on at once and shown beside the prompt; OK answers the
// last one, Cancel nothing. The bar keeps within its range.
TEST(Win32SliderBox, HandsOnEachMoveAndAnswersTheValueChosenOrNothing)
{
    const struct {
        std::vector<int> moves;
        bool ok;
        std::vector<int> handedOn;
        std::optional<int> answer;
    } cases[] = {
        {{12, 20, 20}, true, {12, 20}, 20},
        {{3}, false, {3}, std::nullopt},
        {{40}, true, {33}, 33},
    };
    for (const auto &c : cases) {
        SliderScript run {c.moves, c.ok, {}};
        slide = &run;
        std::vector<int> handedOn;
        SetTimer(nullptr, 0, 20, &MoveSlider);
        const std::optional<int> result = ShowSliderBox(
            nullptr, L"Light level:", L"Light Level", 0, 33, 5, [&handedOn](int level) {
                handedOn.push_back(level);
            });
        EXPECT_EQ(result, c.answer);
        EXPECT_EQ(handedOn, c.handedOn);
        EXPECT_EQ(run.promptSeen, L"Light level: " + std::to_wstring(handedOn.back()));
    }
    slide = nullptr;
}

class Win32Progress : public testing::Test
{
protected:
    void SetUp() override
    {
        owner_ = CreateWindowExW(
            0, L"STATIC", L"owner", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }
    HWND owner_ = nullptr;
};

TEST_F(Win32Progress, ShowsEachStepAndKeepsTheOwnerFromInputWhileOpen)
{
    {
        ProgressWindow progress(owner_, "Converting the selected files…", "Convert", 10);
        EXPECT_FALSE(IsWindowEnabled(owner_));
        EXPECT_EQ(Narrow(TextOf(progress.Handle())), "Convert");
        progress.Show(3, "спрайт.bmp");
        EXPECT_EQ(Narrow(progress.Text()), "Converting the selected files…\n3 of 10: спрайт.bmp");
        EXPECT_FALSE(progress.Cancelled());
    }
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(Win32Progress, CancelAndTheCloseBoxAskToStop)
{
    for (UINT message : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_CLOSE)}) {
        ProgressWindow progress(owner_, "Converting", "Convert", 10);
        EXPECT_FALSE(progress.Cancelled());
        SendMessageW(progress.Handle(), message, message == WM_COMMAND ? IDCANCEL : 0, 0);
        EXPECT_TRUE(progress.Cancelled());
        EXPECT_TRUE(IsWindow(progress.Handle())); // it stays until the job ends
    }
}

TEST(Win32FileTypes, TheFilterBecomesTheDialogsFileTypes)
{
    using Types = std::vector<std::pair<std::wstring, std::wstring>>;
    const struct {
        const char *filter;
        Types types;
    } cases[] = {
        {"JASC 3 Palette Files (*.pal)|*.pal|Photoshop Palette Files (*.act)|*.act|Wolf3D Palette "
         "Object (GAMEPAL.OBJ)|GAMEPAL.OBJ|All Files (*.*)|*.*",
            {{L"JASC 3 Palette Files (*.pal)", L"*.pal"},
                {L"Photoshop Palette Files (*.act)", L"*.act"},
                {L"Wolf3D Palette Object (GAMEPAL.OBJ)", L"GAMEPAL.OBJ"},
                {L"All Files (*.*)", L"*.*"}}},
        {"Pictures|*.bmp;*.png", {{L"Pictures", L"*.bmp;*.png"}}},
        {"Dangling|*.x|Without a pattern", {{L"Dangling", L"*.x"}}},
        {"", {}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FileTypes(c.filter), c.types) << c.filter;
    }
}

} // namespace
} // namespace qv::win32::test
