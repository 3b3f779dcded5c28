// SPDX-License-Identifier: MIT
// The desktop services of a Linux session: Qt for the application, windows
// and event loop; udev, processes, the shell, the user's systemd instance,
// the print system and syslog for the rest.
#pragma once

#include "platform/Platform.h"
#include "platform/PlatformProfile.h"
#include "platform/linux/CupsPrintSystem.h"
#include "platform/linux/PlistFileReader.h"
#include "platform/linux/PosixShell.h"
#include "platform/linux/ProcessWorkspace.h"
#include "platform/linux/SystemLog.h"
#include "platform/linux/UdevRegistry.h"
#include "platform/qt/NewPrinterDialogClient.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtBundle.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform::qt {

// Shared with whoever needs it past the event loop; nothing in it is a
// QObject. Its background tasks are joined before it goes.
class QtLinuxPlatform final : public Platform,
                              public Threads,
                              public std::enable_shared_from_this<QtLinuxPlatform> {
public:
    explicit QtLinuxPlatform(std::string resourcesFolder,
                             const PlatformProfile& profile = linuxProfile());

    Application& application() override { return application_; }
    Threads& threads() override { return *this; }
    Bundle& bundle() override { return bundle_; }
    PropertyListReader& propertyLists() override { return propertyLists_; }
    UsbRegistry& usbRegistry() override { return usbRegistry_; }
    Workspace& workspace() override { return workspace_; }
    Shell& shell() override { return shell_; }
    AgentManagerConnection connectAgentManager() override;
    PrintSystem& printSystem() override { return printSystem_; }
    NewPrinterDialog& newPrinterDialog() override { return newPrinterDialog_; }
    Log& log() override { return log_; }
    const PlatformProfile& profile() const override { return profile_; }

    void performInBackground(const char* task, std::function<void(std::stop_token)> fn) override;
    void performOnMainThread(std::function<void()> fn) override;
    bool sleepFor(std::chrono::milliseconds duration, std::stop_token stop) override;

    // Requests queued from other threads run while the gate is open.
    MainThreadGate& mainThreadGate() { return gate_; }
    // Asks every background task to stop and joins it; once the event loop
    // has ended, before what the tasks use goes.
    void stopBackgroundWork();
    ~QtLinuxPlatform() override;

private:
    QtApplication application_;
    QtBundle bundle_;
    linux_backend::PlistFileReader propertyLists_;
    QtFdWatcher fdWatcher_;
    linux_backend::UdevRegistry usbRegistry_;
    linux_backend::ProcessWorkspace workspace_;
    linux_backend::PosixShell shell_;
    linux_backend::CupsPrintSystem printSystem_;
    NewPrinterDialogClient newPrinterDialog_;
    linux_backend::SystemLog log_;
    // A copy: a watcher thread may still read it while the process exits and
    // destroys the static it came from; the platform lives as long as any
    // thread holds it.
    const PlatformProfile profile_;
    MainThreadGate gate_;
    // Running or ended, joined by stopBackgroundWork(); the ended ones are
    // dropped as new ones start.
    struct Task {
        std::shared_ptr<std::atomic<bool>> ended;
        std::jthread thread;
    };
    std::mutex tasksMutex_;
    std::vector<Task> tasks_;
};

} // namespace platform::qt
