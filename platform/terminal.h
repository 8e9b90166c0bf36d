#pragma once

#include <cstddef>

namespace qv {

// The width in columns of the terminal that standard error writes to; 0 when it is not a
// terminal (redirected to a file or a pipe).
std::size_t ErrorTerminalColumns();

// While it lives, the console shows the program's UTF-8 output as such (Windows' console otherwise
// reads it in an old code page); the console gets its own code page back afterwards, as the
// command prompt that started the program shares it. Nothing to do elsewhere, where terminals
// take UTF-8.
class Utf8Console
{
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console &) = delete;
    Utf8Console &operator=(const Utf8Console &) = delete;

private:
    [[maybe_unused]] unsigned previous_ = 0; // the code page before, on Windows
};

} // namespace qv
