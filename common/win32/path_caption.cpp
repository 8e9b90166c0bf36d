#include "common/win32/path_caption.h"

#include "common/numbers.h"
#include "platform/files.h"
#include "platform/win32/wide_text.h"

#include <cwchar>
#include <vector>

namespace qv::win32 {
namespace {

// The measuring box keeps a margin: 96% of the label, the factor being the single-precision
// 0.96 rounded half to even.
int MeasuringSize(int pixels)
{
    return static_cast<int>(
        RoundHalfEven(static_cast<double>(pixels) * static_cast<double>(0.96F)));
}

// The path as DrawText shortens it to width x height pixels in the label's font.
std::wstring Shortened(HWND label, const std::wstring &path, int width, int height)
{
    // DT_MODIFYSTRING writes the shortened text back, with up to four more characters.
    std::vector<wchar_t> text(path.begin(), path.end());
    text.resize(path.size() + 5, L'\0');
    RECT box {0, 0, width, height};
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(dc,
        text.data(),
        static_cast<int>(path.size()),
        &box,
        DT_CALCRECT | DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    return std::wstring(text.data(), wcsnlen(text.data(), text.size()));
}

} // namespace

void SetPathCaption(Label &label, ToolTips &tips, const std::string &path)
{
    RECT place;
    GetWindowRect(label.Handle(), &place);
    const std::wstring full = Wide(NativePath(path));
    const std::wstring shown = Shortened(label.Handle(),
        full,
        MeasuringSize(place.right - place.left),
        MeasuringSize(place.bottom - place.top));
    label.SetTag(path);
    label.SetCaption(Narrow(shown));
    tips.Set(label.Handle(), shown != full ? Narrow(full) : std::string());
}

} // namespace qv::win32
