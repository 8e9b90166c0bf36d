#pragma once

#include <string>
#include <vector>

namespace qv {

// The program's arguments after its name, as UTF-8. On Windows they are taken from the wide
// command line (main's argv holds them in the ANSI code page, which loses most names); elsewhere
// they are argv as given.
std::vector<std::string> ProgramArguments(int argc, char **argv);

} // namespace qv
