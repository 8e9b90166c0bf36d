#pragma once

#include "platform/dialog_service.h"
#include "platform/failure.h"

#include <string>

namespace qv {

// "Error in " + name + CR LF + "Error #" + number + CR LF + description.
std::string ErrorReportText(const std::string &name, const Failure &failure);

// The program's one error reporter: a modal message box titled name + " Error" with the error
// icon. Every procedure with a failure path of its own ends that path here with its own name.
void ReportError(DialogService &dialogs, const std::string &name, const Failure &failure);

} // namespace qv
