// SPDX-License-Identifier: MIT
#include "platform/qt/QtLinuxPlatform.h"

#include "platform/linux/SystemdUserManager.h"

#include <chrono>
#include <thread>

namespace platform::qt {

QtLinuxPlatform::QtLinuxPlatform(std::string resourcesFolder, const PlatformProfile& profile)
    : bundle_(std::move(resourcesFolder)), usbRegistry_(fdWatcher_, &log_), profile_(profile) {}

AgentManagerConnection QtLinuxPlatform::connectAgentManager() {
    return linux_backend::connectSystemdUserManager();
}

void QtLinuxPlatform::performInBackground(std::function<void()> fn) {
    std::thread([self = shared_from_this(), fn = std::move(fn)] { fn(); }).detach();
}

void QtLinuxPlatform::performOnMainThread(std::function<void()> fn) {
    gate_.post(std::move(fn));
}

void QtLinuxPlatform::sleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

} // namespace platform::qt
