#pragma once

#include <cstddef>

namespace qv {

// The width in columns of the terminal that standard error writes to; 0 when it is not a
// terminal (redirected to a file or a pipe).
std::size_t ErrorTerminalColumns();

// Makes the console show the program's UTF-8 output as such (Windows' console otherwise reads
// it in an old code page); nothing to do elsewhere, where terminals take UTF-8.
void UseUtf8Console();

} // namespace qv
