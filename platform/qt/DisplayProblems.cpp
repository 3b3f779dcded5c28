// SPDX-License-Identifier: MIT
#include "platform/qt/DisplayProblems.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <dlfcn.h>
#include <unistd.h>

namespace platform::qt {

namespace {

bool gStarting = true;
QStringList gHeld;
QtMessageHandler gPrevious = nullptr;

QString environment(const char* name) {
    return qEnvironmentVariable(name);
}

// The one line for a start without a display, from what Qt said before.
QString displayProblem() {
    const QString held = gHeld.join(QLatin1Char('\n'));
    const QString x11 = environment("DISPLAY");
    const QString wayland = environment("WAYLAND_DISPLAY");
    if (held.contains(QLatin1String("xcb"))) {
        if (x11.isEmpty()) return QStringLiteral("no display: DISPLAY is not set");
        return QStringLiteral("cannot open display ") + x11;
    }
    if (held.contains(QLatin1String("wayland"), Qt::CaseInsensitive)) {
        if (wayland.isEmpty()) return QStringLiteral("no display: WAYLAND_DISPLAY is not set");
        return QStringLiteral("cannot connect to Wayland display ") + wayland;
    }
    if (x11.isEmpty() && wayland.isEmpty())
        return QStringLiteral("no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
    const QString platform = environment("QT_QPA_PLATFORM");
    return QStringLiteral("cannot start the display platform ") +
           (platform.isEmpty() ? QStringLiteral("(Qt's default)") : platform);
}

QString lostDisplay() {
    const QString x11 = environment("DISPLAY");
    return QStringLiteral("lost the display") +
           (x11.isEmpty() ? QString() : QLatin1Char(' ') + x11) + QStringLiteral(": ");
}

void say(const QString& line) {
    std::fprintf(stderr, "runNetlume: %s\n", qPrintable(line));
    std::fflush(stderr);
}

void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && gStarting) {
        say(displayProblem());
        // Not abort(): nothing is wrong with the program, so no core.
        ::_exit(1);
    }
    if (gStarting) {
        gHeld.push_back(qFormatLogMessage(type, context, message));
        return;
    }
    // Qt calls exit(1) from its event-reader thread right after this
    // warning, and static destructors then race the main thread (seen to
    // hang): end here instead, nothing being left to tidy without a display.
    if (message.contains(QLatin1String("X11 connection broke")) ||
        message.contains(QLatin1String("Wayland connection broke"))) {
        say(lostDisplay() + message);
        ::_exit(1);
    }
    gPrevious(type, context, message);
}

// Xlib, under Qt's connection, may notice first; its own handler prints
// three lines and calls exit().
extern "C" int onXlibIoError(void* /*display*/) {
    say(lostDisplay() + QStringLiteral("fatal I/O error on the X connection"));
    ::_exit(1);
}

void catchXlibIoErrors() {
    // Only when the xcb plugin has loaded Xlib; nothing is linked for it.
    void* xlib = ::dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (xlib == nullptr) return;
    using Handler = int (*)(void*);
    using SetHandler = Handler (*)(Handler);
    if (const auto set = reinterpret_cast<SetHandler>(::dlsym(xlib, "XSetIOErrorHandler")))
        set(onXlibIoError);
    ::dlclose(xlib);
}

} // namespace

DisplayProblems::DisplayProblems() {
    gStarting = true;
    gPrevious = qInstallMessageHandler(onMessage);
}

DisplayProblems::~DisplayProblems() {
    qInstallMessageHandler(gPrevious);
}

void DisplayProblems::startupDone() {
    gStarting = false;
    catchXlibIoErrors();
    for (const QString& line : std::as_const(gHeld))
        std::fprintf(stderr, "%s\n", qPrintable(line));
    gHeld.clear();
}

} // namespace platform::qt
