#pragma once

#include "cli/file_result.h"

#include <string>

namespace qv::cli {

// text as a JSON string literal, quotes included. Well-formed UTF-8 passes through; any other
// byte is read as Latin-1 (the program's text is 8-bit) and written as \u00XX, so the line
// stays valid JSON whatever bytes a file name holds.
std::string JsonString(const std::string &text);

// One line of --json output: {"file":...,"status":...,"message":...,"output":...}. The
// messages are joined by line breaks; output is null when nothing was written.
std::string ResultJson(const FileResult &result);

} // namespace qv::cli
