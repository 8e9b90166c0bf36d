#include "cli/convert_jobs.h"

#include "cli/path_identity.h"
#include "common/paths.h"
#include "engine/backup.h"
#include "engine/result_path.h"
#include "platform/files.h"
#include "platform/utf8_path.h"

#include <filesystem>
#include <map>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace qv::cli {
namespace {

// Why the backup folder cannot be used, or empty. It is not made here: the first backup makes
// it, so a run that backs nothing up leaves no empty folder behind.
std::string BackupFolderProblem(const std::string &folder)
{
    if (PathExists(folder) && !FolderExists(folder)) {
        return NativePath(folder)
            + " is a file, not a folder: no backup can be kept there, so the picture is not "
              "converted";
    }
    return {};
}

// Whether the picture is one of the originals a backup folder keeps: converted in place, the
// original would be gone, with only a backup folder inside the backup folder to hold it.
bool IsKeptOriginal(const std::string &picture)
{
    std::error_code error;
    const fs::path folder =
        fs::weakly_canonical(fs::absolute(Utf8Path(picture), error).parent_path(), error);
    return !error && Utf8Text(folder.filename()) == kBackupFolderName;
}

} // namespace

std::string BackupFolderFor(const std::string &picture)
{
    std::string folder = Utf8Text(Utf8Path(picture).parent_path());
    return BackupFolderIn(folder.empty() ? "." : folder);
}

std::vector<ConvertJob> PrepareJobs(
    const std::vector<InputFile> &inputs, const std::string &outputFolder, OutputFormat format)
{
    std::vector<ConvertJob> jobs;
    std::map<std::string, std::string> backupProblems; // backup folder -> problem
    std::set<std::string> inputIdentities;
    for (const InputFile &input : inputs) {
        if (input.problem.empty()) {
            // Found while listing: the file is looked at once for both.
            inputIdentities.insert(
                input.identity.empty() ? PathIdentity(input.file) : input.identity);
        }
    }
    std::set<std::string> claimed; // outputs already promised to an earlier input

    for (const InputFile &input : inputs) {
        ConvertJob job {input.file, {}, {}, input.problem};
        if (!job.problem.empty()) {
            jobs.push_back(job);
            continue;
        }
        if (outputFolder.empty() && IsKeptOriginal(input.file)) {
            job.problem = "an original kept in a backup folder is not converted in place; use "
                          "--output to convert a copy";
        } else if (outputFolder.empty()) {
            // Two inputs of one name and different formats would both write the same result.
            const std::string result = ResultPath(input.file, format);
            if (!claimed.insert(PathIdentity(result)).second) {
                job.problem = "an earlier input already writes " + NativePath(result);
                jobs.push_back(job);
                continue;
            }
            job.backupFolder = BackupFolderFor(input.file);
            const auto known = backupProblems.find(job.backupFolder);
            job.problem = known != backupProblems.end()
                ? known->second
                : (backupProblems[job.backupFolder] = BackupFolderProblem(job.backupFolder));
        } else {
            job.outputPath =
                JoinPath(outputFolder, ResultPath(FileNameFromPath(input.file), format));
            const std::string target = PathIdentity(job.outputPath);
            if (inputIdentities.count(target) != 0) {
                job.problem = "the result would replace the input " + NativePath(job.outputPath)
                    + "; leave out --output to convert in place with a backup";
            } else if (!claimed.insert(target).second) {
                job.problem = "an earlier input already writes " + NativePath(job.outputPath);
            }
        }
        jobs.push_back(job);
    }
    return jobs;
}

} // namespace qv::cli
