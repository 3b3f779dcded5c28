// SPDX-License-Identifier: MIT
// What the Linux backends need of the event loop: a call on the main thread
// whenever a descriptor has data.
#pragma once

#include <functional>
#include <memory>

namespace platform::linux_backend {

class FdWatch {
public:
    virtual ~FdWatch() = default;
};

class FdWatcher {
public:
    virtual ~FdWatcher() = default;
    // onReadable runs on the main thread while the returned watch lives.
    virtual std::unique_ptr<FdWatch> watchReadable(int fd, std::function<void()> onReadable) = 0;
};

} // namespace platform::linux_backend
