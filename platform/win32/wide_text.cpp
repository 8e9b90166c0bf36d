#include "platform/win32/wide_text.h"

#include "platform/checked.h"
#include "platform/win32/windows_api.h"

#include <algorithm>

namespace qv::win32 {

std::wstring Wide(const std::string &text)
{
    if (text.empty()) {
        return {};
    }
    const int size = CheckedCast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring &text)
{
    if (text.empty()) {
        return {};
    }
    const int size = CheckedCast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::string Narrow(const wchar_t *text)
{
    return text == nullptr ? std::string() : Narrow(std::wstring(text));
}

std::string ProgramPath(const std::wstring &systemPath)
{
    std::string path = Narrow(systemPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace qv::win32
