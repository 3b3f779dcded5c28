// SPDX-License-Identifier: MIT
#include "platform/linux/PosixShell.h"
#include "platform/linux/SystemFailure.h"

#include <cerrno>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace platform::linux_backend {

std::optional<Failure> PosixShell::system(const char* command) {
    char shell[] = "sh";
    char option[] = "-c";
    char* argv[] = {shell, option, const_cast<char*>(command), nullptr};
    pid_t child = 0;
    // posix_spawn returns the error rather than setting errno.
    if (const int error = ::posix_spawn(&child, "/bin/sh", nullptr, nullptr, argv, environ))
        return errnoFailure("posix_spawn", error, "could not start /bin/sh");
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return errnoFailure("waitpid", errno, "could not wait for /bin/sh");
    }
    return describeWaitStatus(status);
}

std::optional<Failure> describeWaitStatus(int status) {
    if (WIFEXITED(status)) {
        if (WEXITSTATUS(status) == 0) return std::nullopt;
        return Failure{.text = "exit status " + std::to_string(WEXITSTATUS(status))};
    }
    if (WIFSIGNALED(status))
        return Failure{.text = "killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
                               ::strsignal(WTERMSIG(status)) + ")"};
    return Failure{.text = "ended with wait status " + std::to_string(status)};
}

} // namespace platform::linux_backend
