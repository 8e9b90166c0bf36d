#pragma once

#include "platform/dialog_service.h"

#include <string>
#include <utility>
#include <vector>

namespace qv {

// The open-file dialog. filter is "description|pattern|description|pattern..."; filterIndex
// (0 = the first filter) is handed in and always written back, also on Cancel. Returns the
// chosen file's full path; with multiSelect the ParseMultiSelection form (folder NUL name NUL
// name ...); empty text when nothing was chosen.
std::string ShowOpenFileDialog(DialogService &dialogs,
    const std::string &filter,
    const std::string &title,
    const std::string &initialFolder,
    const std::string &initialFile,
    int &filterIndex,
    bool multiSelect);

// A dialog's file buffer (NUL-separated, ended by an empty part) as folder NUL name NUL name,
// with no NUL at the end. A single full path is split at its last "\" or "/", so one file reads
// like a selection of several: "C:\Pics\a.pal" -> "C:\Pics" NUL "a.pal".
std::string ParseMultiSelection(const std::string &buffer);

// The filter text as (description, pattern) pairs, for the toolkit's dialog. A description
// without a pattern at the end is dropped, as the platform's dialog would.
std::vector<std::pair<std::string, std::string>> SplitFilter(const std::string &filter);

} // namespace qv
