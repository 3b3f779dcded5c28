// SPDX-License-Identifier: MIT
#include "app/handoff/LaunchAgentRefresh.h"

#include "app/detection/DeviceCatalogue.h"
#include "app/detection/LogText.h"
#include "app/handoff/CommandBuffer.h"
#include "platform/Platform.h"
#include "platform/PlatformProfile.h"

#include <memory>
#include <string_view>
#include <unordered_set>

namespace {

constexpr double UsbMonitorAgentToolkitVersion = 1504.0;

bool stopped(platform::Platform& platform) {
    return platform.application().terminationRequested();
}

void reloadAgent(platform::Platform& platform, CommandBuffer& buffer, const std::string& path) {
    const platform::PlatformProfile& profile = platform.profile();
    if (stopped(platform)) return;
    const CommandBuffer::Outcome unload =
        runShellCommand(platform, buffer, profile.agentUnloadFormat, path);
    // A path refused once is refused for the load as well; say so only once.
    if (unload == CommandBuffer::Outcome::NotAscii ||
        unload == CommandBuffer::Outcome::ShellCharacter) {
        return;
    }
    // A failed or overlong unload still gets its load, unless the assistant
    // was asked to end while it ran.
    if (stopped(platform)) return;
    runShellCommand(platform, buffer, profile.agentLoadFormat, path);
}

bool refused(CommandBuffer::Outcome outcome) {
    return outcome == CommandBuffer::Outcome::NotAscii ||
           outcome == CommandBuffer::Outcome::ShellCharacter;
}

void logAgent(platform::Platform& platform, std::string_view path, std::string_view what,
              std::string_view why) {
    platform.log().write("agent \"" + printable(path) + "\" " + std::string(what) + ": " +
                         printable(why));
}

// Each agent is unloaded, then loaded, in order, as on the shell road: the
// profile's commands stand for what each step asks of the manager, so a path
// that would form no command is refused the same way. The loaded agents are
// started together at the end, so that the manager reads its unit files once.
void reloadThroughManager(platform::Platform& platform, const std::vector<std::string>& paths) {
    if (paths.empty() || stopped(platform)) return;
    platform::AgentManagerConnection connection = platform.connectAgentManager();
    if (!connection.manager) {
        platform.log().write("agents not reloaded: " + printable(connection.failure));
        return;
    }
    platform::AgentManager& manager = *connection.manager;
    const platform::PlatformProfile& profile = platform.profile();
    CommandBuffer buffer;
    std::vector<std::string> loaded;
    for (const std::string& path : paths) {
        if (stopped(platform)) break;
        const CommandBuffer::Outcome unload =
            formCommand(platform, buffer, profile.agentUnloadFormat, path);
        if (refused(unload)) continue;
        if (unload == CommandBuffer::Outcome::Formed) {
            if (const std::optional<std::string> why = manager.unload(path))
                logAgent(platform, path, "not unloaded", *why);
        }
        if (stopped(platform)) break;
        if (formCommand(platform, buffer, profile.agentLoadFormat, path) !=
            CommandBuffer::Outcome::Formed)
            continue;
        if (const std::optional<std::string> why = manager.load(path))
            logAgent(platform, path, "not loaded", *why);
        else
            loaded.push_back(path);
    }
    // An agent loaded before a signal still starts: on the shell road, the
    // one command that enabled it started it too.
    if (loaded.empty()) return;
    const platform::AgentStarts starts = manager.start(loaded);
    if (starts.rereadFailure)
        platform.log().write("the service manager did not read the agents' unit files anew: " +
                             printable(*starts.rereadFailure));
    bool underWay = false;
    for (std::size_t i = 0; i < loaded.size() && i < starts.failures.size(); ++i) {
        if (starts.failures[i])
            logAgent(platform, loaded[i], "not started", *starts.failures[i]);
        else
            underWay = true;
    }
    if (!underWay) return;
    // Agents run beside the assistant, which needs nothing of theirs: the
    // first window does not wait for their processes, and a start that fails
    // is logged when it ends, from a thread of its own that keeps the
    // connection.
    std::shared_ptr<platform::AgentManager> waiting = std::move(connection.manager);
    platform.threads().performInBackground(
        "the agents' starts",
        [&platform, waiting, loaded = std::move(loaded)](std::stop_token /*stop*/) {
            const std::vector<std::optional<std::string>> ends = waiting->awaitStarts();
            for (std::size_t i = 0; i < loaded.size() && i < ends.size(); ++i)
                if (ends[i]) logAgent(platform, loaded[i], "not started", *ends[i]);
        });
}

} // namespace

AgentSelection selectAgents(const std::vector<std::string>& paths) {
    AgentSelection selection;
    std::unordered_set<std::string_view> seen;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!seen.insert(paths[i]).second)
            selection.repeated.push_back(i);
        else if (selection.reloaded.size() == MaxLaunchAgents)
            ++selection.skipped;
        else
            selection.reloaded.push_back(i);
    }
    return selection;
}

void refreshLaunchAgents(platform::Platform& platform) {
    const DeviceCatalogue catalogue = loadDeviceCatalogue(platform, "wifiDevices");

    const std::vector<std::string>& listed = catalogue.smLaunchAgentPath();
    const AgentSelection selection = selectAgents(listed);
    if (!selection.repeated.empty())
        platform.log().write(std::to_string(selection.repeated.size()) +
                             " agent paths listed again are reloaded once, at their first place");
    if (selection.skipped > 0)
        platform.log().write("only the first " + std::to_string(MaxLaunchAgents) +
                             " agent paths are reloaded; " + std::to_string(selection.skipped) +
                             " more are skipped");
    // Written so that a version that is no number counts as below.
    const bool monitorGateOpen = platform.profile().toolkitVersion >= UsbMonitorAgentToolkitVersion;
    const std::optional<std::string>& monitor = catalogue.usbMonitorLaunchAgentPath();

    if (platform.profile().agentReload == platform::PlatformProfile::AgentReload::ServiceManager) {
        std::vector<std::string> paths;
        paths.reserve(selection.reloaded.size() + 1);
        for (const std::size_t index : selection.reloaded)
            paths.push_back(listed[index]);
        if (monitorGateOpen && monitor) paths.push_back(*monitor);
        reloadThroughManager(platform, paths);
        return;
    }

    CommandBuffer listBuffer;
    for (const std::size_t index : selection.reloaded)
        reloadAgent(platform, listBuffer, listed[index]);
    if (!monitorGateOpen || !monitor) return;
    CommandBuffer monitorBuffer;
    reloadAgent(platform, monitorBuffer, *monitor);
}
