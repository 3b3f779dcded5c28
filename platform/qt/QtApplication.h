// SPDX-License-Identifier: MIT
// The application object, the main thread's event loop and its file
// descriptor watches, over Qt.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/FdWatcher.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <deque>
#include <functional>
#include <memory>

#include <mutex>
#include <optional>
#include <string>

namespace platform::qt {

class QtApplication final : public Application {
public:
    void activateIgnoringOtherApps(bool flag) override;
    void terminate(const void* sender) override;
    bool terminationRequested() const override;
    void runModalForWindow(Window* window) override;
    void stopModal() override;
    std::optional<Rect> mainScreenFrame() const override;
    std::optional<Rect> mainScreenVisibleFrame() const override;
};

// Work queued onto the main thread from anywhere. Open while the event loop
// runs; once closed, requests from threads still running are dropped. The
// hand-over is a queue under our own mutex and a wake-up through an eventfd,
// rather than Qt's queued calls, whose reference counting ThreadSanitizer
// cannot see: a watcher thread may drop its reference last.
class MainThreadGate {
public:
    MainThreadGate() = default;
    ~MainThreadGate();
    MainThreadGate(const MainThreadGate&) = delete;
    MainThreadGate& operator=(const MainThreadGate&) = delete;

    // Main thread only. Nothing once open; otherwise the failed call and the
    // system's reason.
    std::optional<Failure> open();
    void close();
    // Any thread.
    void post(std::function<void()> fn);

private:
    void runWaiting();

    std::mutex mutex_;
    std::deque<std::function<void()>> waiting_;
    int wakeUp_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

class QtFdWatcher final : public linux_backend::FdWatcher {
public:
    std::unique_ptr<linux_backend::FdWatch>
    watchReadable(int fd, std::function<void()> onReadable) override;
};

} // namespace platform::qt
