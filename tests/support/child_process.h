#pragma once

#include <functional>

namespace qv::test {

// Exit status a child body returns when the machine cannot set up what it needs (no mount
// namespace, ...); the caller then skips.
inline constexpr int kChildCannotRun = 77;

// Runs body in a forked copy of this process and returns its result (0..255), or -1 when the
// child died of a signal. For tests that change what only a process of its own may change:
// memory limits, private mounts. The body must not throw.
int RunInChild(const std::function<int()> &body);

// Whether this build runs under AddressSanitizer, whose shadow memory forbids a small address
// space limit.
bool UnderAddressSanitizer();

} // namespace qv::test
