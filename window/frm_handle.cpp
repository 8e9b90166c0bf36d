// The one guard around every handler reached from a signal: whatever escapes a handler is
// reported, and the event loop, and with it the window, goes on.
#include "common/report_error.h"
#include "platform/failure.h"
#include "window/frm.h"

#include <exception>
#include <new>

namespace qv {

void frm::Handle(const char *name, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const Failure &failure) {
        ReportError(dialogs_, name, failure);
    } catch (const std::bad_alloc &) {
        ReportError(dialogs_, name, Failure(kOutOfMemory, FailureDescription(kOutOfMemory)));
    } catch (const std::exception &error) {
        ReportError(dialogs_, name, Failure(kInternalError, error.what()));
    }
}

} // namespace qv
