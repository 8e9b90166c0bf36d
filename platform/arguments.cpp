#include "platform/arguments.h"

#ifdef _WIN32
#include "platform/utf8_path.h"

#include <filesystem>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#endif

namespace qv {

std::vector<std::string> ProgramArguments(int argc, char **argv)
{
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    if (wide == nullptr) {
        return args;
    }
    for (int i = 1; i < count; ++i) {
        args.push_back(Utf8Text(std::filesystem::path(wide[i])));
    }
    LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
#endif
}

} // namespace qv
