// The per-monitor DPI functions arrived with Windows 10 1607; they are looked up at run time so
// that the program still starts on older systems, which get the screen's one dpi.
#include "platform/win32/dpi.h"

#include "platform/win32/twips.h"

namespace qv::win32 {
namespace {

template <typename F> F UserFunction(const char *name)
{
    HMODULE user = GetModuleHandleW(L"user32.dll");
    if (user == nullptr) {
        return nullptr;
    }
    // Through the generic function pointer type, which any function pointer converts from.
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(user, name)));
}

using GetDpiForWindowFn = UINT(WINAPI *)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI *)(UINT, UINT, PVOID, UINT, UINT);

unsigned ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDefaultDpi;
}

} // namespace

unsigned WindowDpi(HWND window)
{
    static const auto getDpiForWindow = UserFunction<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) {
            return dpi;
        }
    }
    return ScreenDpi();
}

SIZE OuterSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool menu, unsigned dpi)
{
    static const auto adjustForDpi =
        UserFunction<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT rect {0, 0, width, height};
    if (adjustForDpi != nullptr) {
        adjustForDpi(&rect, style, menu, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&rect, style, menu, exStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

LOGFONTW MessageFont(unsigned dpi)
{
    static const auto forDpi =
        UserFunction<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof(metrics);
    if (forDpi != nullptr
        && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi) != FALSE) {
        return metrics.lfMessageFont;
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE) {
        // Given for the screen's dpi: scaled to the one asked for.
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), ScreenDpi());
        return metrics.lfMessageFont;
    }
    LOGFONTW font {};
    font.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
    return font;
}

} // namespace qv::win32
