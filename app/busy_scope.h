#pragma once

#include "app/session_view.h"

namespace qv {

// Shows the view's busy pointer for its lifetime, also when a failure leaves the scope early.
class BusyScope
{
public:
    explicit BusyScope(SessionView &view)
        : view_(view)
    {
        view_.SetBusy(true);
    }
    ~BusyScope() { view_.SetBusy(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    SessionView &view_;
};

} // namespace qv
