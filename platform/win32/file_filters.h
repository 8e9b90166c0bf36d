#pragma once

#include <string>
#include <utility>
#include <vector>

namespace qv::win32 {

// An open-file filter of "description|pattern|description|pattern..." as the file dialog's
// file types: (description, patterns) pairs, patterns separated by ";" as the dialog takes
// them. A last description without a pattern is dropped.
std::vector<std::pair<std::wstring, std::wstring>> FileTypes(const std::string &filter);

} // namespace qv::win32
