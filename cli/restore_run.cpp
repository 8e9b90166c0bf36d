#include "cli/restore_run.h"

#include "cli/command_line.h"
#include "cli/convert_jobs.h"
#include "cli/input_list.h"
#include "cli/message_line.h"
#include "common/paths.h"
#include "engine/backup.h"
#include "platform/failure.h"
#include "platform/files.h"

namespace qv::cli {

int RunRestore(
    const std::vector<std::string> &paths, bool quiet, std::ostream &out, std::ostream &err)
{
    std::size_t restored = 0;
    bool all = true;
    for (const InputFile &input : ExpandPaths(paths)) {
        const std::string shown = NativePath(input.file);
        if (!input.problem.empty()) {
            err << shown << ": " << input.problem << '\n';
            all = false;
            continue;
        }
        const std::string backupFolder = BackupFolderFor(input.file);
        try {
            if (RestoreOriginal(input.file, backupFolder)) {
                ++restored;
                continue;
            }
            err << shown << ": no backup in " << NativePath(backupFolder) << '\n';
        } catch (const Failure &failure) {
            err << shown << ": " << OneLine(failure.Description(), FileNameFromPath(input.file))
                << '\n';
        }
        all = false;
    }
    if (!quiet) {
        out << "Restored " << restored << " file(s).\n";
    }
    return all ? kExitConverted : kExitNotAllConverted;
}

} // namespace qv::cli
