#pragma once

#include "cli/file_result.h"
#include "engine/conversion_result.h"

#include <string>

namespace qv::cli {

// What the conversion of file did, in the command line's words: lines that name the file once
// (as a user reads them, not as the window's message boxes put it), the status, the reason word
// of --json, the file written and the mapping report.
FileResult DescribeConversion(const std::string &file, const ConversionResult &conversion);

// An input that was not converted for a problem found before converting.
FileResult DescribeProblem(const std::string &file, const std::string &problem);

} // namespace qv::cli
