// SPDX-License-Identifier: MIT
// The printer settings' new-printer dialog, opened at one device through
// system-config-printer's session service (org.fedoraproject.Config.Printing)
// and followed to its end. The dialog object leaves the bus after its first
// final signal, so each dialog is subscribed to before it is asked to open;
// the service answers the call at once even when no dialog can open, so a
// dialog window of the service's process must show within a bound.
#pragma once

#include "platform/NewPrinterDialog.h"
#include "platform/qt/WindowLookout.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

namespace platform::qt {

// How long a dialog window may take to show after the call.
inline constexpr std::chrono::milliseconds DialogShowTime{10000};

class NewPrinterDialogClient final : public NewPrinterDialog {
public:
    void askAvailable(std::function<void(bool)> answer) override;
    void open(const std::string& uri, const std::string& deviceId,
              std::function<void(NewPrinterOutcome)> ended) override;
};

// One dialog, from the call to its end; gone once it has told its end.
class DialogFollower final : public QObject {
    Q_OBJECT
public:
    DialogFollower(QString uri, QString deviceId, std::function<void(NewPrinterOutcome)> ended);
    void start();

private Q_SLOTS:
    void onAdded(const QString& name);
    void onModified(const QString& name, bool ppdChanged);
    void onCanceled();

private:
    void subscribeAndOpen(const QString& path);
    void lookForWindow();
    void finish(NewPrinterOutcome outcome);

    QDBusConnection bus_;
    QString uri_;
    QString deviceId_;
    QString path_;
    std::function<void(NewPrinterOutcome)> ended_;
    QTimer lookout_;
    std::chrono::steady_clock::time_point called_;
    // For a window of the service's process, once it is known.
    std::unique_ptr<WindowLookout> window_;
    bool finished_ = false;
};

} // namespace platform::qt
