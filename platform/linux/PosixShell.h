#pragma once

#include "platform/Platform.h"

namespace platform::linux_backend {

// /bin/sh through the C library's system().
class PosixShell final : public Shell {
public:
    int system(const char* command) override;
};

} // namespace platform::linux_backend
