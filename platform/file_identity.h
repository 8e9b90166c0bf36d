#pragma once

#include <string>

namespace qv {

// One text for every spelling of the same file ("a.bmp", "./a.bmp", "pics/../a.bmp", through a
// link), whether or not the file exists yet; the path itself when it cannot be resolved. On
// Windows the spellings also include "C:\pics\A.BMP" for "c:/Pics/a.bmp": the folders that
// exist are resolved by the system (GetFinalPathNameByHandleW) and the whole is compared
// without regard to case, as the file system does.
std::string FileIdentity(const std::string &path);

} // namespace qv
