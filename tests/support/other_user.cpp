#include "tests/support/other_user.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::test {
namespace {

// The user and group "nobody" of Debian and most other systems.
constexpr uid_t kNobody = 65534;

} // namespace

int StatusAsOtherUser(const std::function<int()> &body)
{
    const pid_t child = fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        if (geteuid() == 0
            && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(255);
        }
        _exit(body() & 255);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 255) {
        return -1;
    }
    return WEXITSTATUS(status);
}

std::string OtherUserCommandPrefix()
{
    if (geteuid() != 0) {
        return "";
    }
    return "setpriv --reuid=" + std::to_string(kNobody) + " --regid=" + std::to_string(kNobody)
        + " --clear-groups ";
}

} // namespace qv::test
