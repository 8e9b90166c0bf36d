#pragma once

#include <string>
#include <vector>

namespace qv::cli {

// One picture to convert, or an argument that names none.
struct InputFile {
    std::string file; // the argument, or a folder argument joined with a file name
    std::string problem; // not empty: nothing to convert here, for this reason
    std::string identity; // PathIdentity(file) as found while listing; empty with a problem
};

// The pictures named by the arguments, in order: a file as it is, a folder as its *.bmp, *.png
// and *.pcx files (any case, sorted as the window's list sorts them). A missing path, something
// that is neither file nor folder, a folder that cannot be read or holds no picture each give one
// entry with a problem. A file named a second time (directly or through its folder) is left out, so
// it is never converted twice.
std::vector<InputFile> ExpandPaths(const std::vector<std::string> &paths);

} // namespace qv::cli
