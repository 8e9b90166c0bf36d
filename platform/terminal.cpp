#include "platform/terminal.h"

#ifdef _WIN32
#include <cstdio>
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace qv {

std::size_t ErrorTerminalColumns()
{
#ifdef _WIN32
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (_isatty(_fileno(stderr)) == 0
        || GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info) == 0) {
        return 0;
    }
    return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#else
    if (isatty(STDERR_FILENO) != 1) {
        return 0;
    }
    winsize size {};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) {
        return 80; // a terminal that does not say: the classic width
    }
    return size.ws_col;
#endif
}

} // namespace qv

namespace qv {

Utf8Console::Utf8Console()
{
#ifdef _WIN32
    previous_ = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
#endif
}

Utf8Console::~Utf8Console()
{
#ifdef _WIN32
    if (previous_ != 0) {
        SetConsoleOutputCP(previous_);
    }
#endif
}

} // namespace qv
