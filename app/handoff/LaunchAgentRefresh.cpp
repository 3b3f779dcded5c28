// SPDX-License-Identifier: MIT
#include "app/handoff/LaunchAgentRefresh.h"

#include "app/detection/DeviceCatalogue.h"
#include "app/handoff/CommandBuffer.h"
#include "platform/Platform.h"
#include "platform/PlatformProfile.h"

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

void refreshLaunchAgents(platform::Platform& platform) {
    const DeviceCatalogue catalogue = loadDeviceCatalogue(platform, "wifiDevices");

    CommandBuffer listBuffer;
    for (const std::string& path : catalogue.smLaunchAgentPath())
        reloadAgent(platform, listBuffer, path);

    // Written so that a version that is no number counts as below.
    if (!(platform.profile().toolkitVersion >= UsbMonitorAgentToolkitVersion)) return;
    if (!catalogue.usbMonitorLaunchAgentPath()) return;
    CommandBuffer monitorBuffer;
    reloadAgent(platform, monitorBuffer, *catalogue.usbMonitorLaunchAgentPath());
}
