#include "platform/linux/PosixShell.h"

#include <cstdlib>

namespace platform::linux_backend {

int PosixShell::system(const char* command) {
    return std::system(command);
}

} // namespace platform::linux_backend
