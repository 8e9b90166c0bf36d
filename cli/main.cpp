#include "cli/command_line.h"
#include "platform/allocator_tuning.h"
#include "platform/arguments.h"
#include "platform/terminal.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    qv::KeepFreedMemoryForReuse();
    const qv::Utf8Console console;
    const std::vector<std::string> args = qv::ProgramArguments(argc, argv);
    const int status =
        qv::cli::RunCommandLine(args, std::cout, std::cerr, qv::ErrorTerminalColumns());
    std::cout.flush();
    return status;
}
