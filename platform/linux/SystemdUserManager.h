// SPDX-License-Identifier: MIT
// The user's systemd instance, asked the way `systemctl --user` asks it: over
// D-Bus on the manager's private socket in the user's runtime folder, with
// systemd's own client library. A direct connection, no bus in between: the
// manager reports the end of every job on it unasked. (libdbus, and so
// QtDBus, gets no answer on that socket.)
#pragma once

#include "platform/Agents.h"
#include "platform/linux/SdBusCalls.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform::linux_backend {

// How long one answer, or the end of the jobs of one step, is awaited:
// systemd's own limit for a call.
inline constexpr std::chrono::seconds ManagerAnswerTime{25};

// The connection, or why there is none: no runtime folder, one that belongs
// to another user (as under `sudo -E`), or no manager answering on its socket.
AgentManagerConnection connectSystemdUserManager();

class SystemdUserManager final : public AgentManager {
public:
    // Takes a started connection.
    explicit SystemdUserManager(SdBus bus);
    // Routes the reports of job ends here; why it cannot.
    std::optional<Failure> listen();

    std::optional<Failure> unload(const std::string& path) override;
    std::optional<Failure> load(const std::string& path) override;
    AgentStarts start(const std::vector<std::string>& paths) override;
    std::vector<std::optional<Failure>> awaitStarts() override;

private:
    static int onJobRemoved(sd_bus_message* message, void* self, sd_bus_error* error);
    static int onStartAnswered(sd_bus_message* reply, void* start, sd_bus_error* error);

    bool mustReread(const std::string& path);
    // Lets the connection take what the manager sends until done() holds,
    // the manager stops answering, or its time for one answer has passed.
    void runUntil(const std::function<bool()>& done);
    // Waits for these jobs' ends; a job missing from the answer had not
    // ended in time.
    std::map<std::string, std::string> awaitJobs(const std::set<std::string>& jobs);
    std::optional<Failure> jobFailure(const char* kind, const std::string& unit,
                                      const std::map<std::string, std::string>& ends,
                                      const std::string& job);

    SdBus bus_;
    SdBusCalls calls_;
    SdBusSlot jobRemovedSlot_;
    // Every report of a job's end since the last wait took them: a report
    // may come in while the call that made the job still waits for its answer.
    std::map<std::string, std::string> ended_;
    // The last start()'s requests, one per agent in order, answered as the
    // connection runs: its start job, or why there is none.
    struct StartRequest {
        SystemdUserManager* manager = nullptr;
        std::string unit;
        bool answered = false;
        std::string job;
        std::optional<Failure> failure;
        // The call's; none when it was never sent (its failure went back with
        // start()). Released with the request, so no late answer reaches it.
        SdBusSlot answer;
    };
    std::vector<StartRequest> starts_;
};

} // namespace platform::linux_backend
