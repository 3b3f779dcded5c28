// SPDX-License-Identifier: MIT
#include "platform/linux/SystemdUserManager.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace platform::linux_backend {

namespace {

constexpr const char* Destination = "org.freedesktop.systemd1";
constexpr const char* ManagerPath = "/org/freedesktop/systemd1";
constexpr const char* ManagerInterface = "org.freedesktop.systemd1.Manager";
// What the manager answers for a unit it has not loaded, or whose file is
// not there to disable.
constexpr const char* NoSuchUnit = "org.freedesktop.systemd1.NoSuchUnit";

std::string unitName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

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

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return !a.empty() && ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string unitObjectPath(const std::string& unit) {
    char* path = nullptr;
    if (sd_bus_path_encode("/org/freedesktop/systemd1/unit", unit.c_str(), &path) < 0) return {};
    std::string result(path);
    std::free(path); // NOLINT(cppcoreguidelines-no-malloc): sd-bus hands it out with malloc
    return result;
}

std::string stoppedAnswering(const std::string& reason) {
    return "the service manager stopped answering (" + reason + ")";
}

std::string errorWords(const sd_bus_error& error, int status) {
    if (error.message != nullptr) return error.message;
    if (error.name != nullptr) return error.name;
    return std::strerror(-status);
}

} // namespace

AgentManagerConnection connectSystemdUserManager() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0')
        return {nullptr,
                "XDG_RUNTIME_DIR is not set, so the user's service manager cannot be found" +
                    sudoHint()};
    struct stat folder {};
    if (::stat(runtime, &folder) != 0)
        return {nullptr, "the runtime folder " + std::string(runtime) +
                             " cannot be used: " + std::strerror(errno)};
    // Only a manager of the user's own: under `sudo -E` the folder may be the
    // user's while the assistant runs as root.
    if (folder.st_uid != ::geteuid())
        return {nullptr, "the runtime folder " + std::string(runtime) + " belongs to uid " +
                             std::to_string(folder.st_uid) + ", not to this user (uid " +
                             std::to_string(::geteuid()) + ")" + sudoHint()};

    const std::string socket = std::string(runtime) + "/systemd/private";
    sd_bus* raw = nullptr;
    int status = sd_bus_new(&raw);
    SdBus bus(raw);
    if (status >= 0)
        status = sd_bus_set_address(raw, ("unix:path=" + addressValue(socket)).c_str());
    if (status >= 0)
        status = sd_bus_set_method_call_timeout(
            raw, std::chrono::microseconds(ManagerAnswerTime).count());
    if (status >= 0) status = sd_bus_start(raw);
    if (status < 0)
        return {nullptr, "no service manager answers at " + socket + ": " + std::strerror(-status)};
    auto manager = std::make_unique<SystemdUserManager>(std::move(bus));
    if (std::optional<std::string> why = manager->listen()) return {nullptr, std::move(*why)};
    return {std::move(manager), {}};
}

std::optional<std::string> SystemdUserManager::listen() {
    sd_bus_slot* slot = nullptr;
    // On a direct connection the manager sends every job's end unasked; the
    // match only routes it here.
    const int status =
        sd_bus_match_signal(bus_.get(), &slot, nullptr, ManagerPath, ManagerInterface, "JobRemoved",
                            &SystemdUserManager::onJobRemoved, this);
    if (status < 0)
        return std::string("the end of the manager's jobs cannot be awaited: ") +
               std::strerror(-status);
    jobRemovedSlot_.reset(slot);
    return std::nullopt;
}

int SystemdUserManager::onJobRemoved(sd_bus_message* message, void* self, sd_bus_error* /*error*/) {
    std::uint32_t id = 0;
    const char* job = nullptr;
    const char* unit = nullptr;
    const char* result = nullptr;
    if (sd_bus_message_read(message, "uoss", &id, &job, &unit, &result) >= 0)
        static_cast<SystemdUserManager*>(self)->ended_[job] = result;
    return 0;
}

SdBusMessage SystemdUserManager::request(const char* path, const char* interface,
                                         const char* method) {
    sd_bus_message* message = nullptr;
    if (sd_bus_message_new_method_call(bus_.get(), &message, Destination, path, interface, method) <
        0)
        return nullptr;
    return SdBusMessage(message);
}

SystemdUserManager::Answer SystemdUserManager::call(const SdBusMessage& request) {
    if (silent_) return {nullptr, silent_, {}};
    if (!request) return {nullptr, std::string("a request could not be formed"), {}};
    sd_bus_error error{}; // SD_BUS_ERROR_NULL, which is a C compound literal
    sd_bus_message* reply = nullptr;
    const int status = sd_bus_call(bus_.get(), request.get(), 0, &error, &reply);
    Answer answer{SdBusMessage(reply), std::nullopt, {}};
    if (status < 0) {
        answer.failure = errorWords(error, status);
        answer.errorName = error.name != nullptr ? error.name : "";
        // No answer in time, or the connection gone: asking again would only
        // add another wait.
        if (status == -ETIMEDOUT || status == -ECONNRESET || status == -ENOTCONN ||
            sd_bus_error_has_name(&error, SD_BUS_ERROR_NO_REPLY) ||
            sd_bus_error_has_name(&error, SD_BUS_ERROR_DISCONNECTED)) {
            silent_ = stoppedAnswering(*answer.failure);
            answer.failure = silent_;
        }
    }
    sd_bus_error_free(&error);
    return answer;
}

std::optional<std::string> SystemdUserManager::unitProperty(const std::string& unit,
                                                            const char* interface, const char* name,
                                                            char type, std::string& value) {
    SdBusMessage get =
        request(unitObjectPath(unit).c_str(), "org.freedesktop.DBus.Properties", "Get");
    if (get && sd_bus_message_append(get.get(), "ss", interface, name) < 0) get.reset();
    const Answer answer = call(get);
    if (answer.failure) return answer.failure;
    const char contents[2] = {type, '\0'};
    if (sd_bus_message_enter_container(answer.reply.get(), 'v', contents) < 0)
        return std::string("the manager's answer for ") + name + " is not of its type";
    if (type == 'b') {
        int flag = 0;
        if (sd_bus_message_read_basic(answer.reply.get(), 'b', &flag) < 0)
            return std::string("unreadable ") + name;
        value = flag != 0 ? "yes" : "no";
    } else {
        const char* text = nullptr;
        if (sd_bus_message_read_basic(answer.reply.get(), type, &text) < 0)
            return std::string("unreadable ") + name;
        value = text;
    }
    return std::nullopt;
}

void SystemdUserManager::runUntil(const std::function<bool()>& done) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + ManagerAnswerTime;
    while (!silent_ && !done()) {
        const int processed = sd_bus_process(bus_.get(), nullptr);
        if (processed < 0) {
            silent_ = stoppedAnswering(std::strerror(-processed));
            break;
        }
        if (processed > 0) continue;
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) break;
        // A termination signal ends the wait early (EINTR); the step still
        // runs to its end, as a command would.
        const int waited = sd_bus_wait(
            bus_.get(), std::chrono::duration_cast<std::chrono::microseconds>(left).count());
        if (waited < 0 && waited != -EINTR) {
            silent_ = stoppedAnswering(std::strerror(-waited));
            break;
        }
    }
}

std::map<std::string, std::string>
SystemdUserManager::awaitJobs(const std::set<std::string>& jobs) {
    runUntil([&] {
        for (const std::string& job : jobs)
            if (ended_.count(job) == 0) return false;
        return true;
    });
    // Reports of other jobs (another program's) are dropped with these.
    return std::exchange(ended_, {});
}

std::optional<std::string>
SystemdUserManager::jobFailure(const char* kind, const std::string& unit,
                               const std::map<std::string, std::string>& ends,
                               const std::string& job) {
    const auto end = ends.find(job);
    if (end == ends.end())
        return silent_
                   ? *silent_
                   : std::string("its ") + kind + " job had not ended after " +
                         std::to_string(ManagerAnswerTime.count()) + " s; the assistant goes on";
    if (end->second == "done") return std::nullopt;
    std::string why = std::string("its ") + kind + " job ended \"" + end->second + "\"";
    // The service's own result says why ("exit-code", "timeout", ...).
    std::string result;
    if (!unitProperty(unit, "org.freedesktop.systemd1.Service", "Result", 's', result) &&
        result != "success")
        why += " (" + result + ")";
    return why + "; systemctl --user status " + unit + " says more";
}

std::optional<std::string> SystemdUserManager::unload(const std::string& path) {
    const std::string unit = unitName(path);
    SdBusMessage disable = request(ManagerPath, ManagerInterface, "DisableUnitFiles");
    if (disable && sd_bus_message_append(disable.get(), "asb", 1, unit.c_str(), 0) < 0)
        disable.reset();
    const Answer disabled = call(disable);
    if (disabled.failure && disabled.errorName != NoSuchUnit) return disabled.failure;

    SdBusMessage stop = request(ManagerPath, ManagerInterface, "StopUnit");
    if (stop && sd_bus_message_append(stop.get(), "ss", unit.c_str(), "replace") < 0) stop.reset();
    const Answer stopping = call(stop);
    if (stopping.failure) return stopping.errorName == NoSuchUnit ? std::nullopt : stopping.failure;
    const char* job = nullptr;
    if (sd_bus_message_read(stopping.reply.get(), "o", &job) < 0)
        return std::string("the manager's answer names no job");
    const std::string jobPath = job;
    return jobFailure("stop", unit, awaitJobs({jobPath}), jobPath);
}

std::optional<std::string> SystemdUserManager::load(const std::string& path) {
    SdBusMessage enable = request(ManagerPath, ManagerInterface, "EnableUnitFiles");
    if (enable && sd_bus_message_append(enable.get(), "asbb", 1, path.c_str(), 0, 0) < 0)
        enable.reset();
    return call(enable).failure;
}

// A reading of all unit files (Reload) costs the manager a walk of every
// unit folder; it is needed only where the manager's copy of an agent is missing, out of date, or read
// from another file than the one listed now.
bool SystemdUserManager::mustReread(const std::string& path) {
    const std::string unit = unitName(path);
    SdBusMessage loadUnit = request(ManagerPath, ManagerInterface, "LoadUnit");
    if (loadUnit && sd_bus_message_append(loadUnit.get(), "s", unit.c_str()) < 0) loadUnit.reset();
    if (call(loadUnit).failure) return true;
    constexpr const char* Unit = "org.freedesktop.systemd1.Unit";
    std::string state;
    std::string stale;
    std::string fragment;
    return unitProperty(unit, Unit, "LoadState", 's', state) ||
           unitProperty(unit, Unit, "NeedDaemonReload", 'b', stale) ||
           unitProperty(unit, Unit, "FragmentPath", 's', fragment) || state != "loaded" ||
           stale != "no" || !sameFile(fragment, path);
}

int SystemdUserManager::onStartAnswered(sd_bus_message* reply, void* start,
                                        sd_bus_error* /*error*/) {
    auto& request = *static_cast<StartRequest*>(start);
    request.answered = true;
    if (const sd_bus_error* error = sd_bus_message_get_error(reply)) {
        request.failure = errorWords(*error, -EIO);
        if (sd_bus_error_has_name(error, SD_BUS_ERROR_NO_REPLY) ||
            sd_bus_error_has_name(error, SD_BUS_ERROR_DISCONNECTED))
            request.manager->silent_ = stoppedAnswering(*request.failure);
        return 0;
    }
    const char* job = nullptr;
    if (sd_bus_message_read(reply, "o", &job) < 0)
        request.failure = "the manager's answer names no job";
    else
        request.job = job;
    return 0;
}

// The starts are only asked for: their answers and jobs are taken by
// awaitStarts(). Asked side by side, the manager is not kept from reading
// the second request while it spawns the first agent.
AgentStarts SystemdUserManager::start(const std::vector<std::string>& paths) {
    AgentStarts starts;
    starts.failures.resize(paths.size());
    for (const std::string& path : paths) {
        if (!mustReread(path)) continue;
        starts.rereadFailure = call(request(ManagerPath, ManagerInterface, "Reload")).failure;
        break;
    }
    // Sized once: each answer is written through its request's address.
    starts_.clear();
    starts_.resize(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        StartRequest& start = starts_[i];
        start.manager = this;
        start.unit = unitName(paths[i]);
        if (silent_) {
            starts.failures[i] = silent_;
            continue;
        }
        SdBusMessage startUnit = request(ManagerPath, ManagerInterface, "StartUnit");
        int status =
            startUnit ? sd_bus_message_append(startUnit.get(), "ss", start.unit.c_str(), "replace")
                      : -ENOMEM;
        sd_bus_slot* slot = nullptr;
        if (status >= 0)
            status = sd_bus_call_async(bus_.get(), &slot, startUnit.get(),
                                       &SystemdUserManager::onStartAnswered, &start, 0);
        start.answer.reset(slot);
        if (status < 0)
            starts.failures[i] =
                std::string("the start could not be asked for: ") + std::strerror(-status);
    }
    // Out of the assistant before it goes on: a start asked for is carried
    // out even if the assistant ends at once.
    if (const int flushed = sd_bus_flush(bus_.get()); flushed < 0)
        silent_ = stoppedAnswering(std::strerror(-flushed));
    return starts;
}

std::vector<std::optional<std::string>> SystemdUserManager::awaitStarts() {
    const auto settled = [this] {
        for (const StartRequest& start : starts_)
            if (start.answer &&
                (!start.answered || (!start.job.empty() && ended_.count(start.job) == 0)))
                return false;
        return true;
    };
    runUntil(settled);
    const std::map<std::string, std::string> ends = std::exchange(ended_, {});
    std::vector<std::optional<std::string>> failures(starts_.size());
    for (std::size_t i = 0; i < starts_.size(); ++i) {
        const StartRequest& start = starts_[i];
        if (!start.answer) continue;
        if (!start.answered)
            failures[i] = silent_ ? *silent_
                                  : "its start was not answered within " +
                                        std::to_string(ManagerAnswerTime.count()) + " s";
        else if (start.failure)
            failures[i] = start.failure;
        else
            failures[i] = jobFailure("start", start.unit, ends, start.job);
    }
    starts_.clear();
    return failures;
}

} // namespace platform::linux_backend
