// SPDX-License-Identifier: MIT
#include "platform/qt/NewPrinterDialogClient.h"

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QPointer>

namespace platform::qt {

namespace {

const QString Service = QStringLiteral("org.fedoraproject.Config.Printing");
const QString ServicePath = QStringLiteral("/org/fedoraproject/Config/Printing");
const QString DialogInterface =
    QStringLiteral("org.fedoraproject.Config.Printing.NewPrinterDialog");
constexpr std::chrono::milliseconds LookoutPeriod{250};

NewPrinterOutcome failed(Failure why) {
    return {NewPrinterOutcome::Kind::Failed, {}, std::move(why)};
}

std::string seconds(std::chrono::milliseconds time) {
    return std::to_string(std::chrono::duration_cast<std::chrono::seconds>(time).count()) + " s";
}

// The service can hold a call for as long as a window of its own waits for
// the user (its error messages do), so each call has the window's bound.
QDBusPendingCall boundedCall(QDBusConnection& bus, const QDBusMessage& call) {
    return bus.asyncCall(call, static_cast<int>(DialogShowTime.count()));
}

NewPrinterOutcome callFailure(const char* method, const QDBusError& error) {
    std::string words = error.message().toStdString();
    if (error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout)
        words = "the printer settings' service did not answer within " + seconds(DialogShowTime);
    return failed(Failure{method, error.name().toStdString(), words});
}

// A call to the bus itself, answered on the main thread without waiting there.
void askBus(QDBusConnection& bus, const QString& method, const QVariantList& arguments,
            std::function<void(const QDBusMessage&)> answered) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    call.setArguments(arguments);
    // Owned by Qt's event loop until it has answered.
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call), qApp);
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, qApp,
                     [answered = std::move(answered)](QDBusPendingCallWatcher* done) {
                         done->deleteLater();
                         answered(done->reply());
                     });
}

} // namespace

void NewPrinterDialogClient::askAvailable(std::function<void(bool)> answer) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        answer(false);
        return;
    }
    // On the bus now, or started there when called.
    askBus(bus, QStringLiteral("NameHasOwner"), {Service},
           [bus, answer = std::move(answer)](const QDBusMessage& owned) mutable {
               if (owned.type() == QDBusMessage::ReplyMessage && !owned.arguments().isEmpty() &&
                   owned.arguments().constFirst().toBool()) {
                   answer(true);
                   return;
               }
               askBus(bus, QStringLiteral("ListActivatableNames"), {},
                      [answer](const QDBusMessage& names) {
                          answer(names.type() == QDBusMessage::ReplyMessage &&
                                 !names.arguments().isEmpty() &&
                                 names.arguments().constFirst().toStringList().contains(Service));
                      });
           });
}

void NewPrinterDialogClient::open(const std::string& uri, const std::string& deviceId,
                                  std::function<void(NewPrinterOutcome)> ended) {
    // Owned by Qt's event loop: it deletes itself once it has told its end.
    auto* follower = new DialogFollower(QString::fromStdString(uri),
                                        QString::fromStdString(deviceId), std::move(ended));
    follower->start();
}

DialogFollower::DialogFollower(QString uri, QString deviceId,
                               std::function<void(NewPrinterOutcome)> ended)
    : bus_(QDBusConnection::sessionBus()), uri_(std::move(uri)), deviceId_(std::move(deviceId)),
      ended_(std::move(ended)) {
    lookout_.setInterval(LookoutPeriod);
    connect(&lookout_, &QTimer::timeout, this, &DialogFollower::lookForWindow);
}

void DialogFollower::start() {
    if (!bus_.isConnected()) {
        finish(failed({"QDBusConnection::sessionBus",
                       QDBusConnection::sessionBus().lastError().name().toStdString(),
                       "no session bus"}));
        return;
    }
    // Its leaving the bus ends the dialog too.
    auto* watcher =
        new QDBusServiceWatcher(Service, bus_, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        finish({NewPrinterOutcome::Kind::ServiceGone, {}});
    });
    const QDBusMessage call = QDBusMessage::createMethodCall(
        Service, ServicePath, QStringLiteral("org.fedoraproject.Config.Printing"),
        QStringLiteral("NewPrinterDialog"));
    auto* pending = new QDBusPendingCallWatcher(boundedCall(bus_, call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* answer) {
                answer->deleteLater();
                // The service names the dialog's object path as a string.
                const QDBusPendingReply<QString> reply = *answer;
                if (reply.isError())
                    finish(callFailure("NewPrinterDialog", reply.error()));
                else
                    subscribeAndOpen(reply.value());
            });
}

void DialogFollower::subscribeAndOpen(const QString& path) {
    path_ = path;
    // Before the call: the dialog may end, and leave the bus, at once.
    const bool subscribed =
        bus_.connect(Service, path_, DialogInterface, QStringLiteral("PrinterAdded"), this,
                     SLOT(onAdded(QString))) &&
        bus_.connect(Service, path_, DialogInterface, QStringLiteral("PrinterModified"), this,
                     SLOT(onModified(QString, bool))) &&
        bus_.connect(Service, path_, DialogInterface, QStringLiteral("DialogCanceled"), this,
                     SLOT(onCanceled()));
    if (!subscribed) {
        finish(failed({"QDBusConnection::connect", bus_.lastError().name().toStdString(),
                       "its signals cannot be received"}));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(Service, path_, DialogInterface,
                                                       QStringLiteral("NewPrinterFromDevice"));
    // The window id is ignored over D-Bus.
    call << 0U << uri_ << deviceId_;
    auto* pending = new QDBusPendingCallWatcher(boundedCall(bus_, call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* answer) {
                answer->deleteLater();
                const QDBusPendingReply<> reply = *answer;
                if (reply.isError()) {
                    finish(callFailure("NewPrinterFromDevice", reply.error()));
                    return;
                }
                called_ = std::chrono::steady_clock::now();
                // Whose windows to look for: asked, not waited for.
                askBus(bus_, QStringLiteral("GetConnectionUnixProcessID"), {Service},
                       [self = QPointer<DialogFollower>(this)](const QDBusMessage& pid) {
                           if (self == nullptr || self->finished_) return;
                           const bool known = pid.type() == QDBusMessage::ReplyMessage &&
                                              !pid.arguments().isEmpty();
                           self->window_ = std::make_unique<WindowLookout>(
                               known ? pid.arguments().constFirst().toUInt() : 0U);
                           self->lookout_.start();
                           self->lookForWindow();
                       });
            });
}

void DialogFollower::lookForWindow() {
    if (finished_ || window_->look()) {
        lookout_.stop();
        return;
    }
    if (std::chrono::steady_clock::now() - called_ >= DialogShowTime)
        finish(failed({.text = "no dialog window showed within " + seconds(DialogShowTime)}));
}

void DialogFollower::onAdded(const QString& name) {
    finish({NewPrinterOutcome::Kind::Added, name.toStdString()});
}

void DialogFollower::onModified(const QString& name, bool /*ppdChanged*/) {
    finish({NewPrinterOutcome::Kind::Modified, name.toStdString()});
}

void DialogFollower::onCanceled() {
    finish({NewPrinterOutcome::Kind::Cancelled});
}

void DialogFollower::finish(NewPrinterOutcome outcome) {
    if (finished_) return;
    finished_ = true;
    lookout_.stop();
    if (!path_.isEmpty())
        bus_.disconnect(Service, path_, DialogInterface, QString(), this, nullptr);
    ended_(std::move(outcome));
    deleteLater();
}

} // namespace platform::qt
