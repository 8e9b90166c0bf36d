#pragma once

#include <cstddef>
#include <string>

namespace qv::cli {

// A message box text on one line: every line break (CR LF, CR or LF) becomes ": ", so an error
// report reads "Error in ResizeBMP ...: Error #53: File not found".
std::string OneLine(const std::string &text);

// OneLine, but the file name (which may hold line breaks of its own) is left as it is wherever
// the text names it.
std::string OneLine(const std::string &text, const std::string &fileName);

// A message line that names its file once: as it is when it holds the path already, with the
// file name it starts with widened to the path, else behind "path: ".
std::string NamingTheFileOnce(const std::string &path, const std::string &message);

// Text for a terminal: control characters (a name may hold any byte but '/' and NUL) become
// \t, \n, \r or \xNN, so that a name can neither break a line nor send escape sequences.
std::string Printable(const std::string &text);

// At most columns characters of a UTF-8 line (one column each), cut at a character boundary.
std::string CutToColumns(const std::string &line, std::size_t columns);

} // namespace qv::cli
