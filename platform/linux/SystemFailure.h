// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Failure.h"

#include <cstring>
#include <string>

namespace platform::linux_backend {

// A system call's failure as errno tells it: the error's name and the
// system's words, after the text that says what could not be done.
inline Failure errnoFailure(std::string call, int error, const std::string& what = {}) {
    const char* name = ::strerrorname_np(error);
    return {std::move(call), name != nullptr ? name : std::to_string(error),
            what.empty() ? std::string(std::strerror(error)) : what + ": " + std::strerror(error)};
}

} // namespace platform::linux_backend
