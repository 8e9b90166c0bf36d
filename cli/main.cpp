#include "cli/command_line.h"
#include "platform/terminal.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status =
        qv::cli::RunCommandLine(args, std::cout, std::cerr, qv::ErrorTerminalColumns());
    std::cout.flush();
    return status;
}
