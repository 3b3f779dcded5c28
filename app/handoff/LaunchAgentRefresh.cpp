// SPDX-License-Identifier: MIT
#include "app/handoff/LaunchAgentRefresh.h"

#include "app/detection/DeviceCatalogue.h"
#include "app/detection/LogText.h"
#include "app/handoff/AgentPath.h"
#include "platform/Platform.h"

#include <memory>
#include <string_view>
#include <unordered_set>

namespace {

bool stopped(platform::Platform& platform) {
    return platform.application().terminationRequested();
}

void logAgent(platform::Platform& platform, std::string_view path, std::string_view what,
              const platform::Failure& why) {
    platform.log().write("agent \"" + printable(path) + "\" " + std::string(what) + ": " +
                         printable(describe(why)));
}

// Each agent is unloaded, then loaded, in order; the loaded agents are
// started together at the end, so that the manager reads its unit files
// once. A path outside 7-bit ASCII is passed over without a word, as the
// driver's own desktop did; any other refused path is one line.
void reloadThroughManager(platform::Platform& platform, const std::vector<std::string>& paths) {
    if (paths.empty() || stopped(platform)) return;
    platform::AgentManagerConnection connection = platform.connectAgentManager();
    if (!connection.manager) {
        platform.log().write("agents not reloaded: " + printable(describe(connection.failure)));
        return;
    }
    platform::AgentManager& manager = *connection.manager;
    std::vector<std::string> loaded;
    for (const std::string& path : paths) {
        if (stopped(platform)) break;
        const AgentPathVerdict verdict = judgeAgentPath(path);
        if (verdict != AgentPathVerdict::Accepted) {
            if (verdict != AgentPathVerdict::NotAscii)
                platform.log().write("refused \"" + printable(path) +
                                     "\": " + whyAgentPathRefused(verdict));
            continue;
        }
        if (const std::optional<platform::Failure> why = manager.unload(path))
            logAgent(platform, path, "not unloaded", *why);
        if (stopped(platform)) break;
        if (const std::optional<platform::Failure> why = manager.load(path))
            logAgent(platform, path, "not loaded", *why);
        else
            loaded.push_back(path);
    }
    // An agent loaded before a signal still starts: enabled, it would start
    // at the next login anyway.
    if (loaded.empty()) return;
    const platform::AgentStarts starts = manager.start(loaded);
    if (starts.rereadFailure)
        platform.log().write("the service manager did not read the agents' unit files anew: " +
                             printable(describe(*starts.rereadFailure)));
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
        [&platform, waiting, loaded = std::move(loaded)](const std::stop_token& /*stop*/) {
            const std::vector<std::optional<platform::Failure>> ends = waiting->awaitStarts();
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
    const std::optional<std::string>& monitor = catalogue.usbMonitorLaunchAgentPath();
    std::vector<std::string> paths;
    paths.reserve(selection.reloaded.size() + 1);
    for (const std::size_t index : selection.reloaded)
        paths.push_back(listed[index]);
    if (monitor) paths.push_back(*monitor);
    reloadThroughManager(platform, paths);
}
