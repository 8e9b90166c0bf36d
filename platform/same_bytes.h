#pragma once

#include "platform/readable_file.h"

#include <string>

namespace qv {

// Whether the file at path holds exactly the bytes of source: the lengths first, then the bytes
// a bounded piece at a time, so files of any size are compared in little memory. Throws the file
// failure "reading" path (a folder there, a read error).
bool SameBytes(ReadableFile &source, const std::string &path);

} // namespace qv
