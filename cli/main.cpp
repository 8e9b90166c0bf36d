#include "cli/command_line.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status =
        qv::cli::RunCommandLine(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
    std::cout.flush();
    return status;
}
