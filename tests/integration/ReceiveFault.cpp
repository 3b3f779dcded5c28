// SPDX-License-Identifier: MIT
// Preloaded into the udev tests: makes one netlink receive lose its message
// and fail with ENOBUFS, as the kernel does when a uevent burst overflows the
// socket's buffer. Armed from the test by runnetlume_lose_next_receive().
#include <atomic>
#include <cerrno>
#include <dlfcn.h>
#include <sys/socket.h>

namespace {
std::atomic<bool> gLoseNext{false};
}

extern "C" void runnetlume_lose_next_receive() {
    gLoseNext = true;
}

extern "C" ssize_t recvmsg(int fd, struct msghdr* message, int flags) {
    using Receive = ssize_t (*)(int, struct msghdr*, int);
    static const auto real = reinterpret_cast<Receive>(::dlsym(RTLD_NEXT, "recvmsg"));
    const ssize_t got = real(fd, message, flags);
    if (got >= 0 && gLoseNext.exchange(false)) {
        errno = ENOBUFS;
        return -1;
    }
    return got;
}
