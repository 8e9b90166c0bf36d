#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorvantile-convert --restore PATH...: every picture named (a folder stands for its pictures)
// gets back its oldest backup from its folder's backup folder, after the file as it is now has
// been backed up too. A picture without a backup, and any failure, gets a line on err; out gets
// "Restored N file(s)." unless quiet. Returns the exit status: 0 when every picture was
// restored, else 1.
int RunRestore(
    const std::vector<std::string> &paths, bool quiet, std::ostream &out, std::ostream &err);

} // namespace qv::cli
