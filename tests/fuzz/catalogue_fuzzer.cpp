// SPDX-License-Identifier: MIT
// The whole road a catalogue's bytes take: the reader in either form, the
// catalogue built from its tree (with the checker's findings), the match
// rule, and the shell commands formed from its agent paths.
#include "app/detection/DeviceCatalogue.h"
#include "app/handoff/CommandBuffer.h"
#include "platform/PlatformProfile.h"
#include "platform/linux/PlistFileReader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Copied into the read's own memory, where a read past the end is seen
    // by ASan as well.
    platform::linux_backend::Outcome<platform::PlistDocument> document =
        platform::linux_backend::parsePropertyList(
            std::string_view(reinterpret_cast<const char*>(data), size));
    if (!document) return 0;

    std::size_t findings = 0;
    const DeviceCatalogue catalogue = DeviceCatalogue::fromPropertyList(
        document.value().root(), [&findings](CatalogueFinding&&) { ++findings; });
    for (const CatalogueEntry& entry : catalogue.devices()) {
        // An entry matches at most one device, and only the one its texts name.
        const auto ids = entry.usbIds();
        if (ids && !entryMatchesDevice(entry, ids->vid, ids->pid)) std::abort();
        if (entryMatchesDevice(entry, 0x04B8, 0x0E28) &&
            !(ids && ids->vid == 0x04B8 && ids->pid == 0x0E28))
            std::abort();
    }

    // The catalogue's strings as what a command is formed from.
    const std::string& format = platform::linuxProfile().addPrinterPrograms.front().openFormat;
    std::vector<std::string> agents = catalogue.smLaunchAgentPath();
    if (catalogue.usbMonitorLaunchAgentPath())
        agents.push_back(*catalogue.usbMonitorLaunchAgentPath());
    for (const std::string& path : agents) {
        CommandBuffer buffer;
        const CommandBuffer::Outcome outcome = buffer.format(format, path);
        const std::size_t length = std::strlen(buffer.command());
        // A formed command fits whole and holds the path; anything else
        // leaves nothing to run.
        if (outcome == CommandBuffer::Outcome::Formed &&
            (length >= CommandBuffer::Size ||
             std::string_view(buffer.command()).find(path) == std::string_view::npos))
            std::abort();
        if (outcome != CommandBuffer::Outcome::Formed && length != 0) std::abort();
    }
    return 0;
}
