#pragma once

#include "cli/file_result.h"

#include <cstddef>
#include <ostream>
#include <string>

namespace qv::cli {

// Prints the results as they arrive: each message on stderr as "file: message", with --json one
// object per file on stdout, and, when stderr is a terminal, a progress line that the next
// message or the end clears.
class ResultPrinter
{
public:
    ResultPrinter(
        std::ostream &out, std::ostream &err, bool json, bool progress, std::size_t total);

    void Print(const FileResult &result);
    // Clears the progress line.
    void Finish();

    std::size_t Converted() const { return converted_; }
    bool AllConverted() const { return converted_ == printed_; }

private:
    void ClearProgress();

    std::ostream &out_;
    std::ostream &err_;
    bool json_;
    bool progress_;
    std::size_t total_;
    std::size_t printed_ = 0;
    std::size_t converted_ = 0;
    bool progressShown_ = false;
};

} // namespace qv::cli
