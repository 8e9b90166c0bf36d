#pragma once

#include <string>

namespace qv {

// Renames the file source over target in one step: whoever opens target sees either the old file
// or the new one, never a mix or nothing. On Windows a target that another program has open is
// waited for a little (a virus scanner or an indexer lets go within moments); when it stays open
// this fails with 70 Permission denied naming the target, and target keeps its old bytes. Throws
// the file failure; source is then still there for the caller to remove.
void ReplaceByRename(const std::string &source, const std::string &target);

} // namespace qv
