#include "cli/result_printer.h"

#include "cli/json.h"
#include "cli/message_line.h"
#include "platform/files.h"

namespace qv::cli {

ResultPrinter::ResultPrinter(std::ostream &out,
    std::ostream &err,
    bool json,
    std::size_t progressColumns,
    std::size_t total,
    bool entryCounts)
    : out_(out)
    , err_(err)
    , json_(json)
    , entryCounts_(entryCounts)
    , progressColumns_(progressColumns)
    , total_(total)
{ }

void ResultPrinter::Print(const FileResult &result)
{
    ++printed_;
    converted_ += result.status == FileStatus::Converted ? 1 : 0;
    if (result.report) {
        summary_.Merge(*result.report);
    }
    if (!result.messages.empty()) {
        ClearProgress();
        for (const std::string &message : result.messages) {
            err_ << Printable(message) << '\n';
        }
    }
    if (json_) {
        out_ << ResultJson(result, entryCounts_) << '\n';
        out_.flush();
    }
    if (progressColumns_ > 0) {
        // Carriage return and erase-line: the line is rewritten in place. One column stays free
        // so that the terminal never wraps it.
        // Appended piece by piece: GCC 12 at -O3 warns wrongly about the one-expression form.
        std::string line = "[";
        line += std::to_string(printed_);
        line += '/';
        line += std::to_string(total_);
        line += "] ";
        line += Printable(NativePath(result.file));
        err_ << "\r\x1b[K" << CutToColumns(line, progressColumns_ - 1);
        err_.flush();
        progressShown_ = true;
    }
}

void ResultPrinter::Finish()
{
    ClearProgress();
}

void ResultPrinter::ClearProgress()
{
    if (progressShown_) {
        err_ << "\r\x1b[K";
        progressShown_ = false;
    }
}

} // namespace qv::cli
