#pragma once

#include "cli/input_list.h"
#include "common/conversion_options.h"

#include <string>
#include <vector>

namespace qv::cli {

// One input made ready for the engine.
struct ConvertJob {
    std::string file; // the input, as named
    std::string backupFolder; // in place: the picture folder's backup folder
    std::string outputPath; // with an output folder: where the result goes; else empty
    std::string problem; // not empty: not converted, for this reason
};

// Without an output folder every picture is converted in place with a backup in its folder's
// backup folder (BackupFolderIn), which the first backup makes (a run that backs nothing up leaves
// none). When a plain file stands in its place the pictures of that folder get a problem and are
// not touched; when it cannot be made, each picture fails at its backup, untouched.
//
// In place a result of another format than its input goes beside it (ResultPath); two inputs
// whose results share a name (a.bmp and a.png) are not both converted: the later one gets a
// problem.
//
// With an output folder each result goes there under the input's name, with the format's
// extension. A result that would land
// on any input (the output folder is an input's own folder), or on the result of an earlier
// input of the same name, gets a problem instead: inputs stay untouched and no result is lost.
std::vector<ConvertJob> PrepareJobs(const std::vector<InputFile> &inputs,
    const std::string &outputFolder,
    OutputFormat format = OutputFormat::Bmp);

// The backup folder of a picture: BackupFolderIn its folder ("." for a bare name).
std::string BackupFolderFor(const std::string &picture);

} // namespace qv::cli
