#pragma once

#include "platform/failure.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace qv {

// The failure a file operation ends in, by the system's reason: 53 file not found, 61 disk full,
// 70 permission denied, 76 path not found, 7 out of memory, 75 path/file access error for the
// rest. The description names the reason, what was being done and the file, as a user needs it:
// "Disk full (writing /pics/a.bmp)", "Permission denied (reading /pics/b.bmp)"; a read-only disk
// and a name or path over the system's limit say so: "Read-only file system (writing ...)" (70),
// "Name too long (reading ...)" (75).
Failure FileFailure(const std::error_code &error, const char *operation, const std::string &path);

// The reason errno gives for the call that just failed; fallback when the call left none.
std::error_code LastSystemError(int fallback = EIO);

// The same description for a failure number of the program's own choosing.
Failure FileFailure(std::int32_t number, const char *operation, const std::string &path);

} // namespace qv
