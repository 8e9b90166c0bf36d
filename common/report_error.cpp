#include "common/report_error.h"

namespace qv {

std::string ErrorReportText(const std::string &name, const Failure &failure)
{
    return "Error in " + name + "\r\nError #" + std::to_string(failure.Number()) + "\r\n"
        + failure.Description();
}

void ReportError(DialogService &dialogs, const std::string &name, const Failure &failure)
{
    dialogs.MessageBox(ErrorReportText(name, failure), name + " Error", MessageIcon::Error);
}

} // namespace qv
