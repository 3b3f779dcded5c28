// SPDX-License-Identifier: MIT
#include "platform/qt/QtApplication.h"
#include "platform/linux/SystemFailure.h"

#include "platform/qt/TerminationSignals.h"

#include "platform/qt/Geometry.h"
#include "platform/qt/QtWidgets.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QSocketNotifier>
#include <QWindow>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform::qt {

namespace {

class SocketWatch final : public linux_backend::FdWatch {
public:
    SocketWatch(int fd, std::function<void()> onReadable)
        : notifier_(fd, QSocketNotifier::Read), onReadable_(std::move(onReadable)) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, &notifier_,
                         [this] { onReadable_(); });
    }

private:
    QSocketNotifier notifier_;
    std::function<void()> onReadable_;
};

} // namespace

void QtApplication::activateIgnoringOtherApps(bool /*flag*/) {
    bringShownWindowForward();
}

void QtApplication::terminate(const void* /*sender*/) {
    // Not quit(): that first asks every window to close, and a window whose
    // close button is disabled refuses, which would cancel the termination.
    QCoreApplication::exit(0);
}

bool QtApplication::terminationRequested() const {
    return terminationSignalReceived();
}

void QtApplication::runModalForWindow(Window* window) {
    auto* qtWindow = dynamic_cast<QtWindow*>(window);
    auto* dialog = qtWindow != nullptr ? qobject_cast<QDialog*>(qtWindow->widget()) : nullptr;
    if (dialog == nullptr) return;
    // exec() shows it where it was placed, and makes it the modal panel.
    dialog->exec();
}

void QtApplication::stopModal() {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(0);
}

namespace {

const QScreen* mainScreen() {
    const QWindow* focus = QGuiApplication::focusWindow();
    return focus != nullptr ? focus->screen() : QGuiApplication::primaryScreen();
}

} // namespace

std::optional<Rect> QtApplication::mainScreenFrame() const {
    const QScreen* screen = mainScreen();
    if (screen == nullptr) return std::nullopt;
    return toDesktop(screen->geometry(), primaryScreenGeometry());
}

std::optional<Rect> QtApplication::mainScreenVisibleFrame() const {
    const QScreen* screen = mainScreen();
    if (screen == nullptr) return std::nullopt;
    return toDesktop(screen->availableGeometry(), primaryScreenGeometry());
}

MainThreadGate::~MainThreadGate() {
    close();
}

std::optional<Failure> MainThreadGate::open() {
    const std::lock_guard lock(mutex_);
    wakeUp_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeUp_ < 0) return linux_backend::errnoFailure("eventfd", errno);
    notifier_ = std::make_unique<QSocketNotifier>(wakeUp_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { runWaiting(); });
    return std::nullopt;
}

void MainThreadGate::close() {
    const std::lock_guard lock(mutex_);
    notifier_.reset();
    if (wakeUp_ >= 0) ::close(wakeUp_);
    wakeUp_ = -1;
    waiting_.clear();
}

void MainThreadGate::post(std::function<void()> fn) {
    const std::lock_guard lock(mutex_);
    if (wakeUp_ < 0) return;
    waiting_.push_back(std::move(fn));
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp_, &one, sizeof one);
}

void MainThreadGate::runWaiting() {
    std::deque<std::function<void()>> due;
    {
        const std::lock_guard lock(mutex_);
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t got = ::read(wakeUp_, &count, sizeof count);
        due.swap(waiting_);
    }
    // Outside the lock: a request may post another.
    for (std::function<void()>& fn : due)
        fn();
}

std::unique_ptr<linux_backend::FdWatch>
QtFdWatcher::watchReadable(int fd, std::function<void()> onReadable) {
    return std::make_unique<SocketWatch>(fd, std::move(onReadable));
}

} // namespace platform::qt
