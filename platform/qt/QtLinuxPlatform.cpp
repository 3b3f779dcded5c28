// SPDX-License-Identifier: MIT
#include "platform/qt/QtLinuxPlatform.h"

#include "platform/linux/SystemdUserManager.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <string>
#include <system_error>

namespace platform::qt {

QtLinuxPlatform::QtLinuxPlatform(std::string resourcesFolder, const PlatformProfile& profile)
    : bundle_(std::move(resourcesFolder)), usbRegistry_(fdWatcher_, &log_), profile_(profile) {}

AgentManagerConnection QtLinuxPlatform::connectAgentManager() {
    return linux_backend::connectSystemdUserManager();
}

QtLinuxPlatform::~QtLinuxPlatform() {
    stopBackgroundWork();
}

void QtLinuxPlatform::performInBackground(const char* task,
                                          std::function<void(std::stop_token)> fn) {
    const std::lock_guard lock(tasksMutex_);
    std::erase_if(tasks_, [](const Task& ended) { return ended.ended->load(); });
    auto ended = std::make_shared<std::atomic<bool>>(false);
    try {
        tasks_.push_back(
            {ended,
             std::jthread([this, task, ended, fn = std::move(fn)](const std::stop_token& stop) {
                 // The task's edge: what ends it is told, and the
                 // assistant goes on without its result.
                 try {
                     fn(stop);
                 } catch (const std::exception& error) {
                     log_.write(std::string(task) + " ended with an error: " + error.what());
                 } catch (...) {
                     log_.write(std::string(task) + " ended with an error");
                 }
                 *ended = true;
             })});
    } catch (const std::system_error& error) {
        log_.write(std::string(task) + " cannot be started: " + error.what());
    }
}

void QtLinuxPlatform::stopBackgroundWork() {
    std::vector<Task> tasks;
    {
        const std::lock_guard lock(tasksMutex_);
        tasks.swap(tasks_);
    }
    for (Task& task : tasks)
        task.thread.request_stop();
    tasks.clear(); // joined
}

void QtLinuxPlatform::performOnMainThread(std::function<void()> fn) {
    gate_.post(std::move(fn));
}

bool QtLinuxPlatform::sleepFor(std::chrono::milliseconds duration, std::stop_token stop) {
    std::mutex mutex;
    std::condition_variable_any woken;
    std::unique_lock lock(mutex);
    return !woken.wait_for(lock, stop, duration, [] { return false; }) && !stop.stop_requested();
}

} // namespace platform::qt
