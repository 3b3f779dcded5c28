// SPDX-License-Identifier: MIT
#include "platform/qt/ApplicationMain.h"

#include "app/InterfaceWiring.h"
#include "app/runNetlumeAppDelegate.h"
#include "platform/qt/CommandLine.h"
#include "platform/qt/DisplayProblems.h"
#include "platform/qt/InterfaceAccessibility.h"
#include "platform/qt/InterfaceLoader.h"
#include "platform/qt/QtBundle.h"
#include "platform/qt/QtLinuxPlatform.h"
#include "platform/qt/QtWidgets.h"
#include "platform/qt/SingleInstance.h"
#include "platform/qt/TerminationSignals.h"
#include "platform/qt/WindowIcon.h"

#include <QApplication>

#include <cstdio>

namespace platform {

int applicationMain(int argc, char* argv[]) {
    // Before the display is opened: --help and --version need none, and
    // touch nothing else.
    if (const std::optional<int> status = qt::answerInformationalArguments(argc, argv, stdout))
        return *status;
    qt::DisplayProblems displayProblems;
    QApplication application(argc, argv);
    displayProblems.startupDone();
    QApplication::setApplicationName(QStringLiteral("runNetlume"));
    QApplication::setApplicationVersion(QStringLiteral(RUNNETLUME_VERSION));
    // Ties the windows to the installed desktop entry (task bars, Wayland's app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.runnetlume.Assistant"));
    // Before anything else: a second start refreshes no agents.
    const std::unique_ptr<qt::SingleInstance> single = qt::SingleInstance::claim();
    if (!single) return 0;
    return runAssistant(qt::bundleResourcesFolder(QCoreApplication::applicationDirPath()),
                        linuxProfile());
}

int runAssistant(const QString& resources, const PlatformProfile& profile,
                 std::weak_ptr<qt::QtLinuxPlatform>* servicesOut) {
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    const qt::Translations translations(resources + "/translations");
    qt::installInterfaceAccessibility();
    QApplication::setWindowIcon(qt::windowIconFrom(resources + "/org.runnetlume.Assistant.svg"));
    const auto services = std::make_shared<qt::QtLinuxPlatform>(resources.toStdString(), profile);
    if (servicesOut != nullptr) *servicesOut = services;

    QString error;
    const std::unique_ptr<qt::InterfaceLoader> ui =
        qt::InterfaceLoader::load(resources + "/ui", error);
    if (!ui) {
        std::fprintf(stderr, "runNetlume: %s\n", qPrintable(error));
        return 1;
    }

    // Declared after the interface so that it goes first: its teardown stops
    // the attach listener while the windows and the event loop still exist.
    runNetlumeAppDelegate controller(*services);
    if (const auto* window = dynamic_cast<qt::QtWindow*>(ui->window("window")))
        qt::setAccessibleApplicationName(window->widget()->windowTitle());
    connectOutlets(controller, *ui, services->log());
    connectActions(controller, *ui, services->log());
    QApplication::setQuitOnLastWindowClosed(
        controller.applicationShouldTerminateAfterLastWindowClosed());

    // Without either, requests from other threads or signals would be dropped
    // and the assistant could wait for ever: it ends instead.
    const qt::TerminationSignals terminationSignals(
        [&] { services->application().terminate(&controller); });
    if (const std::optional<Failure>& why = terminationSignals.failure()) {
        services->log().write("termination signals cannot be handled: " + describe(*why));
        return 1;
    }
    if (const std::optional<Failure> why = services->mainThreadGate().open()) {
        services->log().write("the main thread's queue cannot be made: " + describe(*why));
        return 1;
    }
    QMetaObject::invokeMethod(
        application, [&controller] { controller.applicationDidFinishLaunching(); },
        Qt::QueuedConnection);

    const int status = QApplication::exec();
    services->mainThreadGate().close();
    // Before the controller goes: a task may still hand it an answer.
    services->stopBackgroundWork();
    return status;
}

} // namespace platform
