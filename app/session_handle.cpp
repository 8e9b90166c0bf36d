// The one guard around every command a view runs: whatever escapes a command is reported, and
// the window goes on.
#include "app/session.h"
#include "common/report_error.h"
#include "platform/failure.h"

#include <exception>
#include <new>

namespace qv {

void Session::Handle(const char *name, const std::function<void()> &command)
{
    try {
        command();
    } catch (const Failure &failure) {
        ReportError(dialogs_, name, failure);
    } catch (const std::bad_alloc &) {
        ReportError(dialogs_, name, Failure(kOutOfMemory, FailureDescription(kOutOfMemory)));
    } catch (const std::exception &error) {
        ReportError(dialogs_, name, Failure(kInternalError, error.what()));
    }
}

} // namespace qv
