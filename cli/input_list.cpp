#include "cli/input_list.h"

#include "cli/path_identity.h"
#include "platform/files.h"

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
    fs::directory_iterator probe(folder, error);
    if (error) {
        return "cannot read this folder: " + error.message();
    }
    return "no *.bmp pictures in this folder";
}

} // namespace

std::vector<InputFile> ExpandPaths(const std::vector<std::string> &paths)
{
    std::vector<InputFile> inputs;
    std::set<std::string> seen;
    auto add = [&](const std::string &file) {
        if (seen.insert(PathIdentity(file)).second) {
            inputs.push_back({file, {}});
        }
    };
    for (const std::string &path : paths) {
        if (FolderExists(path)) {
            const std::vector<std::string> names = ListFiles(path, "*.bmp");
            if (names.empty()) {
                inputs.push_back({path, EmptyFolderProblem(path)});
            }
            for (const std::string &name : names) {
                add(JoinPath(path, name));
            }
        } else if (FileExists(path)) {
            add(path);
        } else if (PathExists(path)) {
            inputs.push_back({path, "neither a file nor a folder"});
        } else {
            inputs.push_back({path, "no such file or folder"});
        }
    }
    return inputs;
}

} // namespace qv::cli
