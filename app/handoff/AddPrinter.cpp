#include "app/handoff/AddPrinter.h"

#include "app/handoff/CommandBuffer.h"
#include "platform/Platform.h"
#include "platform/PlatformProfile.h"

#include <string>

namespace {
constexpr unsigned PollSeconds = 3;
}

void openAddPrinter(platform::Platform& platform) {
    const platform::PlatformProfile& profile = platform.profile();
    CommandBuffer buffer;
    runShellCommand(platform, buffer, profile.addPrinterOpenFormat, profile.addPrinterLocation);
}

void watchAddPrinter(platform::Platform& platform, const void* sender) {
    const std::string identity = platform.profile().addPrinterIdentity;
    for (;;) {
        platform.threads().sleepSeconds(PollSeconds);
        // No answer counts as none running.
        const std::optional<int> running = platform.workspace().runningApplicationCount(identity);
        if (running && *running > 0) continue;
        platform.threads().performOnMainThread(
            [&platform, sender] { platform.application().terminate(sender); });
        return;
    }
}
