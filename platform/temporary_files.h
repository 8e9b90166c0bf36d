#pragma once

#include <filesystem>
#include <string>

namespace qv {

// Every file the program writes goes first to a temporary file in the target's folder, named
// ".quorvantile-<process>-<random>.tmp": short whatever the target's name (a 255-byte name still
// works), hidden, and unlike any user's file, so what a killed run leaves behind can be told
// apart and removed.
std::string TemporaryPathIn(const std::string &folder);

// Whether a file name is one of those temporary names.
bool IsTemporaryName(const std::string &name);

// Removes the temporary files of folder that a run left behind: written before `since` (the
// start of the current run) by a process that has ended, or by this one. Files of runs still
// going on in the same folder, and every other file, stay. Returns how many were removed; a
// folder that cannot be read removes nothing.
int RemoveLeftTemporaryFiles(const std::string &folder, std::filesystem::file_time_type since);

} // namespace qv
