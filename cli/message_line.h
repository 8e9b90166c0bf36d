#pragma once

#include <string>

namespace qv::cli {

// A message box text on one line: every line break (CR LF, CR or LF) becomes ": ", so an error
// report reads "Error in ResizeBMP ...: Error #53: File not found".
std::string OneLine(const std::string &text);

} // namespace qv::cli
