// SPDX-License-Identifier: MIT
#include "platform/qt/TerminationSignals.h"
#include "platform/linux/SystemFailure.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform::qt {

namespace {

// Written by the signal handler, read on the main thread.
std::array<int, 2> gSignalPipe = {-1, -1};
volatile std::sig_atomic_t gSignalReceived = 0;
constexpr std::array<int, 3> HandledSignals = {SIGTERM, SIGINT, SIGHUP};

extern "C" void onTerminationSignal(int /*signal*/) {
    // The interrupted code may be about to read errno.
    const int saved = errno;
    gSignalReceived = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(gSignalPipe[0], &byte, 1);
    errno = saved;
}

} // namespace

bool terminationSignalReceived() {
    return gSignalReceived != 0;
}

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
    gSignalReceived = 0;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gSignalPipe.data()) !=
        0) {
        failure_ = linux_backend::errnoFailure("socketpair", errno);
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(gSignalPipe[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
        char drained[16];
        while (::read(gSignalPipe[1], drained, sizeof drained) > 0) {
        }
        onSignal_();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : HandledSignals) {
        if (::sigaction(signal, &action, nullptr) != 0 && !failure_)
            failure_ = linux_backend::errnoFailure("sigaction", errno);
    }
}

TerminationSignals::~TerminationSignals() {
    for (const int signal : HandledSignals)
        std::signal(signal, SIG_DFL);
    notifier_.reset();
    for (int& fd : gSignalPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

} // namespace platform::qt
