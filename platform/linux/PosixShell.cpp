// SPDX-License-Identifier: MIT
#include "platform/linux/PosixShell.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform::linux_backend {

int PosixShell::system(const char* command) {
    char shell[] = "sh";
    char option[] = "-c";
    char* argv[] = {shell, option, const_cast<char*>(command), nullptr};
    pid_t child = 0;
    if (::posix_spawn(&child, "/bin/sh", nullptr, nullptr, argv, environ) != 0) return -1;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return status;
}

} // namespace platform::linux_backend
