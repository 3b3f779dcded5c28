// SPDX-License-Identifier: MIT
// Whether the user's own service manager can be asked, and the connection
// to its private socket.
#include "platform/linux/SystemFailure.h"
#include "platform/linux/SystemdUserManager.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform::linux_backend {

namespace {

// Said after the reason when the assistant was started through sudo, which
// leaves the user's session and its manager behind.
std::string sudoHint() {
    if (::geteuid() != 0 || std::getenv("SUDO_USER") == nullptr) return {};
    return "; started through sudo, the assistant is outside the user's session: start it as "
           "the user";
}

// An address value as D-Bus wants it: bytes outside its plain set as %XX.
std::string addressValue(const std::string& text) {
    static const char* const Hex = "0123456789abcdef";
    std::string value;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || (c != '\0' && std::strchr("-_/.\\*", c) != nullptr)) {
            value += c;
        } else {
            value += '%';
            value += Hex[byte >> 4U];
            value += Hex[byte & 0xFU];
        }
    }
    return value;
}

} // namespace

AgentManagerConnection connectSystemdUserManager() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0')
        return {
            nullptr,
            {.text = "XDG_RUNTIME_DIR is not set, so the user's service manager cannot be found" +
                     sudoHint()}};
    struct stat folder {};
    if (::stat(runtime, &folder) != 0)
        return {nullptr,
                errnoFailure("stat", errno,
                             "the runtime folder " + std::string(runtime) + " cannot be used")};
    // Only a manager of the user's own: under `sudo -E` the folder may be the
    // user's while the assistant runs as root.
    if (folder.st_uid != ::geteuid())
        return {nullptr,
                {.text = "the runtime folder " + std::string(runtime) + " belongs to uid " +
                         std::to_string(folder.st_uid) + ", not to this user (uid " +
                         std::to_string(::geteuid()) + ")" + sudoHint()}};

    const std::string socket = std::string(runtime) + "/systemd/private";
    sd_bus* raw = nullptr;
    const char* step = "sd_bus_new";
    int status = sd_bus_new(&raw);
    SdBus bus(raw);
    if (status >= 0) {
        step = "sd_bus_set_address";
        status = sd_bus_set_address(raw, ("unix:path=" + addressValue(socket)).c_str());
    }
    if (status >= 0) {
        step = "sd_bus_set_method_call_timeout";
        status = sd_bus_set_method_call_timeout(
            raw, std::chrono::microseconds(ManagerAnswerTime).count());
    }
    if (status >= 0) {
        step = "sd_bus_start";
        status = sd_bus_start(raw);
    }
    if (status < 0)
        return {nullptr, errnoFailure(step, -status, "no service manager answers at " + socket)};
    auto manager = std::make_unique<SystemdUserManager>(std::move(bus));
    if (std::optional<Failure> why = manager->listen()) return {nullptr, std::move(*why)};
    return {std::move(manager), {}};
}

} // namespace platform::linux_backend
