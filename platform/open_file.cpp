#include "platform/open_file.h"

#include "platform/utf8_path.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace qv {

std::FILE *OpenFile(const std::string &path, const char *mode)
{
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(Utf8Path(path).c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::FILE *CreateNewFile(const std::string &path)
{
#ifdef _WIN32
    // The C runtime's fopen has no "x" here: _O_EXCL gives the same promise.
    const int descriptor = _wopen(
        Utf8Path(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE *file = _fdopen(descriptor, "wb");
    if (file == nullptr) {
        _close(descriptor);
    }
    return file;
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

} // namespace qv
