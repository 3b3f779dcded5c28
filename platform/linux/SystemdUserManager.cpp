// SPDX-License-Identifier: MIT
#include "platform/linux/SystemdUserManager.h"
#include "platform/linux/SystemFailure.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
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

} // namespace

SystemdUserManager::SystemdUserManager(SdBus bus)
    : bus_(std::move(bus)), calls_(bus_.get(), Destination) {}

std::optional<Failure> SystemdUserManager::listen() {
    sd_bus_slot* slot = nullptr;
    // On a direct connection the manager sends every job's end unasked; the
    // match only routes it here.
    const int status =
        sd_bus_match_signal(bus_.get(), &slot, nullptr, ManagerPath, ManagerInterface, "JobRemoved",
                            &SystemdUserManager::onJobRemoved, this);
    if (status < 0)
        return errnoFailure("sd_bus_match_signal", -status,
                            "the end of the manager's jobs cannot be awaited");
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

void SystemdUserManager::runUntil(const std::function<bool()>& done) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + ManagerAnswerTime;
    while (!calls_.silent() && !done()) {
        const int processed = sd_bus_process(bus_.get(), nullptr);
        if (processed < 0) {
            calls_.fallSilent(sdBusFailure("sd_bus_process", nullptr, processed));
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
            calls_.fallSilent(sdBusFailure("sd_bus_wait", nullptr, waited));
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

std::optional<Failure>
SystemdUserManager::jobFailure(const char* kind, const std::string& unit,
                               const std::map<std::string, std::string>& ends,
                               const std::string& job) {
    const auto end = ends.find(job);
    if (end == ends.end())
        return calls_.silent()
                   ? *calls_.silent()
                   : Failure{.text = std::string("its ") + kind + " job had not ended after " +
                                     std::to_string(ManagerAnswerTime.count()) +
                                     " s; the assistant goes on"};
    if (end->second == "done") return std::nullopt;
    std::string why = std::string("its ") + kind + " job ended \"" + end->second + "\"";
    // The service's own result says why ("exit-code", "timeout", ...).
    std::string result;
    if (!calls_.property(unitObjectPath(unit).c_str(), "org.freedesktop.systemd1.Service", "Result",
                         's', result) &&
        result != "success")
        why += " (" + result + ")";
    return Failure{.text = why + "; systemctl --user status " + unit + " says more"};
}

std::optional<Failure> SystemdUserManager::unload(const std::string& path) {
    const std::string unit = unitName(path);
    const SdBusAnswer disabled =
        calls_.call(ManagerPath, ManagerInterface, "DisableUnitFiles", "asb", 1, unit.c_str(), 0);
    if (disabled.failure && !disabled.failedWith(NoSuchUnit)) return disabled.failure;

    const SdBusAnswer stopping =
        calls_.call(ManagerPath, ManagerInterface, "StopUnit", "ss", unit.c_str(), "replace");
    if (stopping.failure) return stopping.failedWith(NoSuchUnit) ? std::nullopt : stopping.failure;
    const char* job = nullptr;
    if (sd_bus_message_read(stopping.reply.get(), "o", &job) < 0)
        return Failure{"StopUnit", {}, "the manager's answer names no job"};
    const std::string jobPath = job;
    return jobFailure("stop", unit, awaitJobs({jobPath}), jobPath);
}

std::optional<Failure> SystemdUserManager::load(const std::string& path) {
    return calls_
        .call(ManagerPath, ManagerInterface, "EnableUnitFiles", "asbb", 1, path.c_str(), 0, 0)
        .failure;
}

// A reading of all unit files (Reload) costs the manager a walk of every
// unit folder; it is needed only where the manager's copy of an agent is
// missing, out of date, or read from another file than the one listed now.
bool SystemdUserManager::mustReread(const std::string& path) {
    const std::string unit = unitName(path);
    if (calls_.call(ManagerPath, ManagerInterface, "LoadUnit", "s", unit.c_str()).failure)
        return true;
    constexpr const char* Unit = "org.freedesktop.systemd1.Unit";
    const std::string object = unitObjectPath(unit);
    std::string state;
    std::string stale;
    std::string fragment;
    return calls_.property(object.c_str(), Unit, "LoadState", 's', state) ||
           calls_.property(object.c_str(), Unit, "NeedDaemonReload", 'b', stale) ||
           calls_.property(object.c_str(), Unit, "FragmentPath", 's', fragment) ||
           state != "loaded" || stale != "no" || !sameFile(fragment, path);
}

int SystemdUserManager::onStartAnswered(sd_bus_message* reply, void* start,
                                        sd_bus_error* /*error*/) {
    auto& request = *static_cast<StartRequest*>(start);
    request.answered = true;
    if (const sd_bus_error* error = sd_bus_message_get_error(reply)) {
        request.failure = sdBusFailure("StartUnit", error, -EIO);
        if (stopsAnswering(error, -EIO)) {
            request.manager->calls_.fallSilent(*request.failure);
            request.failure = request.manager->calls_.silent();
        }
        return 0;
    }
    const char* job = nullptr;
    if (sd_bus_message_read(reply, "o", &job) < 0)
        request.failure = Failure{"StartUnit", {}, "the manager's answer names no job"};
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
        starts.rereadFailure =
            calls_.call(ManagerPath, ManagerInterface, "Reload", nullptr).failure;
        break;
    }
    // Sized once: each answer is written through its request's address.
    starts_.clear();
    starts_.resize(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        StartRequest& start = starts_[i];
        start.manager = this;
        start.unit = unitName(paths[i]);
        if (calls_.silent()) {
            starts.failures[i] = calls_.silent();
            continue;
        }
        sd_bus_slot* slot = nullptr;
        const int status = sd_bus_call_method_async(
            bus_.get(), &slot, Destination, ManagerPath, ManagerInterface, "StartUnit",
            &SystemdUserManager::onStartAnswered, &start, "ss", start.unit.c_str(), "replace");
        start.answer.reset(slot);
        if (status < 0)
            starts.failures[i] = errnoFailure("sd_bus_call_method_async", -status,
                                              "the start could not be asked for");
    }
    // Out of the assistant before it goes on: a start asked for is carried
    // out even if the assistant ends at once.
    if (const int flushed = sd_bus_flush(bus_.get()); flushed < 0)
        calls_.fallSilent(sdBusFailure("sd_bus_flush", nullptr, flushed));
    return starts;
}

std::vector<std::optional<Failure>> SystemdUserManager::awaitStarts() {
    const auto settled = [this] {
        for (const StartRequest& start : starts_)
            if (start.answer &&
                (!start.answered || (!start.job.empty() && ended_.count(start.job) == 0)))
                return false;
        return true;
    };
    runUntil(settled);
    const std::map<std::string, std::string> ends = std::exchange(ended_, {});
    std::vector<std::optional<Failure>> failures(starts_.size());
    for (std::size_t i = 0; i < starts_.size(); ++i) {
        const StartRequest& start = starts_[i];
        if (!start.answer) continue;
        if (!start.answered)
            failures[i] = calls_.silent()
                              ? *calls_.silent()
                              : Failure{.call = "StartUnit",
                                        .text = "its start was not answered within " +
                                                std::to_string(ManagerAnswerTime.count()) + " s"};
        else if (start.failure)
            failures[i] = start.failure;
        else
            failures[i] = jobFailure("start", start.unit, ends, start.job);
    }
    starts_.clear();
    return failures;
}

} // namespace platform::linux_backend
