// SPDX-License-Identifier: MIT
// Preloaded into the udev tests, ahead of umockdev's own preload: faults that
// the system can give libudev, armed from the test.
//  - runnetlume_lose_next_receive(): one netlink receive loses its message and
//    fails with ENOBUFS, as the kernel does when a uevent burst overflows the
//    socket's buffer;
//  - runnetlume_deny_udev(true): netlink sockets and the folders of /sys are
//    refused with EACCES, as in a sandbox that hides devices.
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <sys/socket.h>

namespace {
std::atomic<bool> gLoseNext{false};
std::atomic<bool> gDeny{false};

template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}
} // namespace

extern "C" void runnetlume_lose_next_receive() {
    gLoseNext = true;
}

extern "C" void runnetlume_deny_udev(bool deny) {
    gDeny = deny;
}

extern "C" ssize_t recvmsg(int fd, struct msghdr* message, int flags) {
    static const auto real = next<ssize_t (*)(int, struct msghdr*, int)>("recvmsg");
    const ssize_t got = real(fd, message, flags);
    if (got >= 0 && gLoseNext.exchange(false)) {
        errno = ENOBUFS;
        return -1;
    }
    return got;
}

extern "C" int socket(int domain, int type, int protocol) {
    static const auto real = next<int (*)(int, int, int)>("socket");
    if (domain == AF_NETLINK && gDeny) {
        errno = EACCES;
        return -1;
    }
    return real(domain, type, protocol);
}

extern "C" DIR* opendir(const char* name) {
    static const auto real = next<DIR* (*)(const char*)>("opendir");
    if (gDeny && std::strncmp(name, "/sys/", 5) == 0) {
        errno = EACCES;
        return nullptr;
    }
    return real(name);
}
