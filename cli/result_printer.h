#pragma once

#include "cli/file_result.h"

#include <cstddef>
#include <ostream>
#include <string>

namespace qv::cli {

// Prints the results as they arrive: each message line on stderr, with --json one
// object per file on stdout, and, when stderr is a terminal of progressColumns columns (0: none),
// a progress line of at most that width that the next message or the end clears. Control
// characters in names and messages are shown escaped. entryCounts: each JSON object carries the
// result's entry counts.
class ResultPrinter
{
public:
    ResultPrinter(std::ostream &out,
        std::ostream &err,
        bool json,
        std::size_t progressColumns,
        std::size_t total,
        bool entryCounts = false);

    void Print(const FileResult &result);
    // Clears the progress line.
    void Finish();

    std::size_t Converted() const { return converted_; }
    // The files printed so far, converted or not.
    std::size_t Printed() const { return printed_; }
    // The mapping reports of every converted file together.
    const MappingReport &Summary() const { return summary_; }
    bool AllConverted() const { return converted_ == printed_; }

private:
    void ClearProgress();

    std::ostream &out_;
    std::ostream &err_;
    bool json_;
    bool entryCounts_;
    std::size_t progressColumns_;
    std::size_t total_;
    std::size_t printed_ = 0;
    std::size_t converted_ = 0;
    MappingReport summary_;
    bool progressShown_ = false;
};

} // namespace qv::cli
