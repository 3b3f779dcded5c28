#include "platform/qt/QtApplication.h"

#include "platform/qt/TerminationSignals.h"

#include "platform/qt/Geometry.h"
#include "platform/qt/QtWidgets.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QSocketNotifier>
#include <QWindow>

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
    // Qt brings a window forward, not an application: activate the window
    // that has focus, or else the first one on screen.
    QWidget* window = QApplication::activeWindow();
    if (window == nullptr) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible()) {
                window = top;
                break;
            }
        }
    }
    if (window == nullptr) return;
    window->raise();
    window->activateWindow();
}

void QtApplication::terminate(const void* /*sender*/) {
    // Not quit(): that first asks every window to close, and a window whose
    // close button is disabled refuses, which would cancel the termination.
    QCoreApplication::exit(0);
}

bool QtApplication::terminationRequested() const {
    return terminationSignalReceived();
}

void QtApplication::stopModal() {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(0);
}

std::optional<Rect> QtApplication::mainScreenFrame() const {
    const QWindow* focus = QGuiApplication::focusWindow();
    const QScreen* screen = focus != nullptr ? focus->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return std::nullopt;
    return toDesktop(screen->geometry(), primaryScreenGeometry());
}

void MainThreadGate::open(QCoreApplication* application) {
    const std::lock_guard lock(mutex_);
    application_ = application;
}

void MainThreadGate::close() {
    const std::lock_guard lock(mutex_);
    application_ = nullptr;
}

void MainThreadGate::post(std::function<void()> fn) {
    const std::lock_guard lock(mutex_);
    if (application_ != nullptr)
        QMetaObject::invokeMethod(application_, std::move(fn), Qt::QueuedConnection);
}

std::unique_ptr<linux_backend::FdWatch>
QtFdWatcher::watchReadable(int fd, std::function<void()> onReadable) {
    return std::make_unique<SocketWatch>(fd, std::move(onReadable));
}

} // namespace platform::qt
