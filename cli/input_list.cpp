#include "cli/input_list.h"

#include "cli/path_identity.h"
#include "platform/app_info.h"
#include "platform/files.h"
#include "platform/utf8_path.h"

#include <filesystem>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace qv::cli {
namespace {

// Why a folder gives no pictures, for the message.
std::string EmptyFolderProblem(const std::string &folder)
{
    std::error_code error;
    fs::directory_iterator probe(Utf8Path(folder), error);
    if (error) {
        return "cannot read this folder: " + error.message();
    }
    return "no *.bmp, *.png or *.pcx pictures in this folder";
}

// Why a path names nothing to convert.
std::string MissingProblem(const std::string &path)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(Utf8Path(path), error);
    if (error == std::errc::filename_too_long) {
        return "name too long";
    }
    if (error == std::errc::permission_denied) {
        return "permission denied (a folder on the way cannot be searched)";
    }
    if (!fs::is_symlink(status)) {
        return PathExists(path) ? "neither a file nor a folder" : "no such file or folder";
    }
    (void)fs::status(Utf8Path(path), error);
    if (error == std::errc::too_many_symbolic_link_levels) {
        return "a loop of symbolic links";
    }
    if (error) {
        return "a symbolic link to nothing (" + Utf8Text(fs::read_symlink(Utf8Path(path), error))
            + ")";
    }
    return "neither a file nor a folder";
}

} // namespace

std::vector<InputFile> ExpandPaths(const std::vector<std::string> &paths)
{
    std::vector<InputFile> inputs;
    std::set<std::string> seen;
    auto add = [&](const std::string &file) {
        std::string identity = PathIdentity(file);
        if (seen.insert(identity).second) {
            inputs.push_back({file, {}, std::move(identity)});
        }
    };
    for (const std::string &path : paths) {
        if (FolderExists(path)) {
            const std::vector<std::string> names = ListFiles(path, kPicturePattern);
            if (names.empty()) {
                inputs.push_back({path, EmptyFolderProblem(path), {}});
            }
            for (const std::string &name : names) {
                add(JoinPath(path, name));
            }
        } else if (FileExists(path)) {
            add(path);
        } else {
            inputs.push_back({path, MissingProblem(path), {}});
        }
    }
    return inputs;
}

} // namespace qv::cli
