#pragma once

#include "platform/readable_file.h"

#include <cstdint>
#include <string>
#include <vector>

// The file services the program relies on. Paths use "/" inside the program. Every failure is
// thrown as a Failure with its number (53 file not found, 61 disk full, 70 permission denied, 75
// path/file access error, 76 path not found) and a description that names the file and what was
// being done (see platform/file_failure.h).
namespace qv {

// The whole file as bytes, its size taken from the open file and read in one call.
std::vector<std::uint8_t> ReadWholeFile(const std::string &path);

// The first count bytes of the file (all of it when it is shorter); length gets its full length.
// Nothing beyond count is read, however large the file.
std::vector<std::uint8_t> ReadFileStart(
    const std::string &path, std::uint64_t count, std::uint64_t &length);

// Writes bytes to path through a temporary file in the same folder that is then renamed over
// the target, so a failure half-way never leaves a truncated file behind. A file replaced keeps
// its permission bits. When path is a symbolic link its target is replaced and the link stays.
// A file that does not exist yet is written without a name and then named where the system
// can (WriteNewFileByLink), a copy's permission bits and time set before.
void WriteFileAtomic(const std::string &path, const std::vector<std::uint8_t> &bytes);

// WriteFileAtomic for a copy of original (a backup): the new file gets the original's
// permission bits and modification time.
void WriteCopyAtomic(
    const std::string &path, const std::vector<std::uint8_t> &bytes, const std::string &original);

// Copies source to target (replacing it) as WriteCopyAtomic does, streamed: a bounded piece at
// a time or by the kernel (see platform/copy_bytes.h), so a file of any size copies in little
// memory, and the holes of a sparse file stay holes.
void CopyFileAtomic(const std::string &source, const std::string &target);
// The same for a source already open (read from its start, whatever was read before).
void CopyFileAtomic(ReadableFile &source, const std::string &target);

void DeleteFile(const std::string &path);

// Creates one folder whose parent exists; fails when anything of that name exists.
void CreateFolder(const std::string &path);
// Makes sure a folder exists: creates it when missing, and is content with one that exists,
// also when another run created it a moment ago. Fails when a file stands there.
void EnsureFolder(const std::string &path);

// An ordinary file (not a folder) of exactly that path exists.
bool FileExists(const std::string &path);
// A folder of exactly that path exists.
bool FolderExists(const std::string &path);
// Anything of that name exists (file, folder, ...).
bool PathExists(const std::string &path);

std::uint64_t FileLength(const std::string &path);

// The ordinary, non-hidden files of folder whose names match pattern ("*.bmp"), compared
// case-insensitively, sorted case-insensitively. A folder that cannot be read gives no files.
std::vector<std::string> ListFiles(const std::string &folder, const std::string &pattern);

// Case-insensitive match of a name against a pattern with "*" and "?", or against any of several
// such patterns separated by ";" ("*.bmp;*.png").
bool MatchesPattern(const std::string &name, const std::string &pattern);

// Case-insensitive ordering as the file list shows names.
bool NameLess(const std::string &a, const std::string &b);

// folder + "/" + name (no doubled separator).
std::string JoinPath(const std::string &folder, const std::string &name);

// The path with the platform's separators, for showing to people.
std::string NativePath(const std::string &path);

} // namespace qv
