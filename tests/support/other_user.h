#pragma once

#include <functional>
#include <string>

namespace qv::test {

// Root may write into any folder, so only another user meets a read-only one. Both helpers run
// a step as the user "nobody" when the tests run as root, and as the running user otherwise;
// either way a folder the tests made with mode 0555 (or 0755, when root made it) is read-only to
// that step.

// Runs body in a child process and returns what it returned (0 to 254), or -1 when the child
// could not change its user or ended otherwise.
int StatusAsOtherUser(const std::function<int()> &body);

// What a shell command line starts with to run its program the same way ("" or a setpriv call).
std::string OtherUserCommandPrefix();

} // namespace qv::test
