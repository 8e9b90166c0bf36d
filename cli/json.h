#pragma once

#include "cli/file_result.h"

#include <string>

namespace qv::cli {

// text as a JSON string literal, quotes included. Well-formed UTF-8 passes through; any other
// byte XX (a file name need not be UTF-8) is written as the escape \udcXX, the convention of
// Python's surrogateescape: the line stays valid JSON, and a reader gets the name's bytes back
// (os.fsencode(name) in Python), which a Latin-1 reading would not give.
std::string JsonString(const std::string &text);

// One line of --json output: {"file":...,"status":...,"reason":...,"message":...,"output":...}
// and the mapping report's fields. The messages are joined by line breaks; reason is null for a
// converted file, output null when nothing was written. withEntries adds "entries_used" (the
// number of entries the result holds) and "entry_counts" (an object of the entries held, their
// numbers as keys in ascending order, each with its count of pixels), both null for a file not
// converted.
std::string ResultJson(const FileResult &result, bool withEntries = false);

} // namespace qv::cli
