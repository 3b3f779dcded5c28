// SPDX-License-Identifier: MIT
// One assistant per user session. The first start takes a well-known name on
// the session bus (without a bus, a lock in $XDG_RUNTIME_DIR); a second start
// asks the first, over the bus, to bring its window to the front, and ends
// without touching agents, devices or windows.
#pragma once

#include "platform/linux/FileDescriptor.h"

#include <memory>

class QDBusVirtualObject;

namespace platform::qt {

class SingleInstance {
public:
    // Null when another assistant of this session runs; it has then been
    // asked to come to the front. A bus that refuses the name for another
    // reason is one log line, and this one goes on as the only one.
    static std::unique_ptr<SingleInstance> claim();

    struct Key {}; // only claim() makes one
    explicit SingleInstance(Key key);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    static constexpr const char* BusName = "org.runnetlume.Assistant";
    static constexpr const char* ObjectPath = "/org/runnetlume/Assistant";

private:
    linux_backend::FileDescriptor lock_;
    bool ownsName_ = false;
    std::unique_ptr<QDBusVirtualObject> raiser_;
};

} // namespace platform::qt
