// SPDX-License-Identifier: MIT
#include "app/handoff/LaunchAgentRefresh.h"

#include "app/detection/DeviceCatalogue.h"
#include "app/handoff/CommandBuffer.h"
#include "platform/Platform.h"
#include "platform/PlatformProfile.h"

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
    CommandBuffer listBuffer;
    for (const std::size_t index : selection.reloaded)
        reloadAgent(platform, listBuffer, listed[index]);

    // Written so that a version that is no number counts as below.
    if (!(platform.profile().toolkitVersion >= UsbMonitorAgentToolkitVersion)) return;
    if (!catalogue.usbMonitorLaunchAgentPath()) return;
    CommandBuffer monitorBuffer;
    reloadAgent(platform, monitorBuffer, *catalogue.usbMonitorLaunchAgentPath());
}
