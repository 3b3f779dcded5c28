// SPDX-License-Identifier: MIT
#include "app/handoff/AddPrinter.h"

#include "app/handoff/CommandBuffer.h"
#include "platform/Platform.h"
#include "platform/PlatformProfile.h"

#include <optional>
#include <string>

const platform::AddPrinterProgram* installedAddPrinterProgram(platform::Platform& platform) {
    for (const platform::AddPrinterProgram& program : platform.profile().addPrinterPrograms)
        if (platform.workspace().isInstalled(program.location)) return &program;
    return nullptr;
}

const platform::AddPrinterProgram* openAddPrinter(platform::Platform& platform) {
    const platform::AddPrinterProgram* program = installedAddPrinterProgram(platform);
    if (program == nullptr) {
        // Nothing to open: as with an open that fails, the watcher then
        // finds nothing running and ends the assistant. The line says what
        // a support person would install.
        std::string names;
        for (const platform::AddPrinterProgram& candidate : platform.profile().addPrinterPrograms)
            names += (names.empty() ? "" : ", ") + candidate.location;
        platform.log().write("No printer settings program is installed (looked for " + names + ")");
        return nullptr;
    }
    CommandBuffer buffer;
    runShellCommand(platform, buffer, program->openFormat, program->location);
    return program;
}

void watchAddPrinter(platform::Platform& platform, const platform::AddPrinterProgram* program,
                     const std::stop_token& stop, const std::function<void()>& gone) {
    // With no program opened there is nothing to ask about, which counts as
    // none running.
    const std::optional<std::string> identity =
        program != nullptr ? std::optional<std::string>(program->identity) : std::nullopt;
    for (;;) {
        if (!platform.threads().sleepFor(platform.profile().addPrinterPollInterval, stop)) return;
        // No answer counts as none running.
        const std::optional<int> running =
            identity ? platform.workspace().runningApplicationCount(*identity) : std::nullopt;
        if (running && *running > 0) continue;
        gone();
        return;
    }
}
