#pragma once

#include "platform/readable_file.h"

#include <cstdio>
#include <string>

namespace qv {

// Copies every byte of source into target, a new empty file open for writing, and leaves target
// exactly as long as source, through a bounded buffer whatever the file's size. On Linux the
// kernel copies (copy_file_range) where it can, without the bytes passing through the program,
// and the holes of a sparse file stay holes: only its data is copied. Throws the file failure,
// "reading" the source or "writing" targetPath.
#ifdef _WIN32
void CopyBytes(ReadableFile &source, std::FILE *target, const std::string &targetPath);
#else
void CopyBytes(ReadableFile &source, int target, const std::string &targetPath);
#endif

} // namespace qv
