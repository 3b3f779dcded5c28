// SPDX-License-Identifier: MIT
#include "platform/qt/SingleInstance.h"

#include "platform/linux/SystemLog.h"
#include "platform/qt/QtWidgets.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::qt {

namespace {

constexpr const char* Interface = "org.runnetlume.Assistant";

// Answers "Raise" by bringing the window on screen to the front.
class Raiser final : public QDBusVirtualObject {
public:
    QString introspect(const QString& /*path*/) const override {
        return QStringLiteral("<interface name=\"%1\"><method name=\"Raise\"/></interface>")
            .arg(QLatin1String(Interface));
    }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() != QLatin1String("Raise")) return false;
        bringShownWindowForward();
        connection.send(message.createReply());
        return true;
    }
};

QString lockPath() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + QStringLiteral("/runNetlume-%1.lock").arg(::getuid());
}

} // namespace

std::unique_ptr<SingleInstance> SingleInstance::claim() {
    auto self = std::make_unique<SingleInstance>(Key{});
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        const auto reply = bus.interface()->registerService(
            QLatin1String(BusName), QDBusConnectionInterface::DontQueueService,
            QDBusConnectionInterface::DontAllowReplacement);
        if (!reply.isValid()) {
            // Not another assistant: the bus's policy or its state. This one
            // is then the only one it knows of, and goes on.
            linux_backend::SystemLog().write(
                "the session bus did not give the name " + std::string(BusName) + ": " +
                reply.error().name().toStdString() + ": " + reply.error().message().toStdString());
        } else if (reply.value() == QDBusConnectionInterface::ServiceRegistered) {
            self->ownsName_ = true;
            self->raiser_ = std::make_unique<Raiser>();
            bus.registerVirtualObject(QLatin1String(ObjectPath), self->raiser_.get());
        } else {
            bus.call(
                QDBusMessage::createMethodCall(QLatin1String(BusName), QLatin1String(ObjectPath),
                                               QLatin1String(Interface), QStringLiteral("Raise")),
                QDBus::Block, 5000);
            return nullptr;
        }
        return self;
    }
    // No bus: a lock of the user's, in the session's runtime folder.
    self->lock_ = linux_backend::FileDescriptor(
        ::open(lockPath().toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (self->lock_ && ::flock(self->lock_.get(), LOCK_EX | LOCK_NB) != 0) return nullptr;
    return self;
}

SingleInstance::SingleInstance(Key /*key*/) {}

SingleInstance::~SingleInstance() {
    if (!ownsName_) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(QLatin1String(ObjectPath));
    bus.unregisterService(QLatin1String(BusName));
}

} // namespace platform::qt
