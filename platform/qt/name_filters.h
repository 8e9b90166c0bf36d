#pragma once

#include <string>

#include <QStringList>

namespace qv {

// Turns an open-file filter of "description|pattern|description|pattern..." into Qt's name
// filters "description (pattern pattern)". Patterns separated by ";" become a space-separated
// list, and "*.*" becomes "*" so files without an extension still show under "All Files". A
// description that already ends with its pattern in brackets is not given it twice. A last
// description without a pattern is dropped.
QStringList QtNameFilters(const std::string &filter);

} // namespace qv
