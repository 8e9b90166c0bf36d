#include "cli/result_printer.h"

#include "cli/json.h"
#include "platform/files.h"

namespace qv::cli {

ResultPrinter::ResultPrinter(
    std::ostream &out, std::ostream &err, bool json, bool progress, std::size_t total)
    : out_(out)
    , err_(err)
    , json_(json)
    , progress_(progress)
    , total_(total)
{ }

void ResultPrinter::Print(const FileResult &result)
{
    ++printed_;
    converted_ += result.status == FileStatus::Converted ? 1 : 0;
    if (!result.messages.empty()) {
        ClearProgress();
        for (const std::string &message : result.messages) {
            err_ << NativePath(result.file) << ": " << message << '\n';
        }
    }
    if (json_) {
        out_ << ResultJson(result) << '\n';
        out_.flush();
    }
    if (progress_) {
        // Carriage return and erase-line: the line is rewritten in place.
        err_ << "\r\x1b[K[" << printed_ << '/' << total_ << "] " << NativePath(result.file);
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
