#pragma once

// The mouse pointer of the whole program: busy (hourglass) while long work runs on the
// window's thread, default otherwise. It is a setting, not a stack: one SetDefault ends any
// number of SetBusy calls.
namespace qv::MousePointer {

void SetBusy();
void SetDefault();
bool IsBusy();

} // namespace qv::MousePointer

namespace qv {

// Shows the busy pointer for its lifetime, also when a failure leaves the scope early.
class BusyPointer
{
public:
    BusyPointer() { MousePointer::SetBusy(); }
    ~BusyPointer() { MousePointer::SetDefault(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace qv
