// The application object, the main thread's event loop and its file
// descriptor watches, over Qt.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/FdWatcher.h"

#include <QCoreApplication>

#include <mutex>

namespace platform::qt {

class QtApplication final : public Application {
public:
    void activateIgnoringOtherApps(bool flag) override;
    void terminate(const void* sender) override;
    bool terminationRequested() const override;
    void stopModal() override;
    std::optional<Rect> mainScreenFrame() const override;
};

// Work queued onto the main thread from anywhere. Open while the event loop
// runs; once closed, requests from threads still running are dropped.
class MainThreadGate {
public:
    void open(QCoreApplication* application);
    void close();
    void post(std::function<void()> fn);

private:
    std::mutex mutex_;
    QCoreApplication* application_ = nullptr;
};

class QtFdWatcher final : public linux_backend::FdWatcher {
public:
    std::unique_ptr<linux_backend::FdWatch>
    watchReadable(int fd, std::function<void()> onReadable) override;
};

} // namespace platform::qt
