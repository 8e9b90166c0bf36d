#pragma once

#include <cstddef>

namespace qv {

// The width in columns of the terminal that standard error writes to; 0 when it is not a
// terminal (redirected to a file or a pipe).
std::size_t ErrorTerminalColumns();

} // namespace qv
