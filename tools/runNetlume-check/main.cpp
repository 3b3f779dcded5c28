// SPDX-License-Identifier: MIT
// runNetlume-check: the packager's checker of the assistant's catalogues,
// built on the assistant's own reading code. See runNetlume-check(1).
#include "app/detection/DeviceCatalogue.h"
#include "platform/linux/CupsPrintSystem.h"
#include "platform/linux/FdWatcher.h"
#include "platform/linux/PlistFileReader.h"
#include "platform/linux/ResourceLocation.h"
#include "platform/linux/UdevRegistry.h"
#include "tools/runNetlume-check/CatalogueCheck.h"
#include "tools/runNetlume-check/DeviceReport.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum ExitStatus { Clean = 0, ErrorsFound = 1, CouldNotCheck = 2 };

const char* const Usage =
    "usage: runNetlume-check [--build] [--json] [--wifi FILE] [--other FILE] [FILE...]\n"
    "       runNetlume-check --devices [--json] [--wifi FILE] [--other FILE]\n"
    "\n"
    "Checks the assistant's device catalogues: those of its own bundle, or the\n"
    "files given (--wifi and --other name their roles). One line per finding;\n"
    "exit status 0 without errors, 1 with errors, 2 when nothing could be checked.\n"
    "\n"
    "  --build    the driver's files are not installed yet: missing paths warn\n"
    "  --json     the same findings as JSON\n"
    "  --devices  the USB devices attached now, how each fares, and its print queues\n";

// Only the enumeration is used; nothing here waits for events.
class NoEvents final : public platform::linux_backend::FdWatcher {
public:
    std::unique_ptr<platform::linux_backend::FdWatch>
    watchReadable(int, std::function<void()>) override {
        return nullptr;
    }
};

// The registry's own words on a failure, on standard error.
class StandardError final : public platform::Log {
public:
    void write(const std::string& line) override {
        std::fprintf(stderr, "runNetlume-check: %s\n", line.c_str());
    }
};

DeviceCatalogue catalogueAt(const std::string& path) {
    auto root = platform::linux_backend::readPropertyListFile(path);
    return root ? DeviceCatalogue::fromPropertyList(root.value().root()) : DeviceCatalogue{};
}

int listDevices(const std::vector<check::CatalogueFile>& files, bool json) {
    DeviceCatalogue wifi;
    DeviceCatalogue other;
    for (const check::CatalogueFile& file : files) {
        if (file.role == check::CatalogueFile::Role::Wifi) wifi = catalogueAt(file.path);
        if (file.role == check::CatalogueFile::Role::Other) other = catalogueAt(file.path);
    }
    NoEvents noEvents;
    StandardError log;
    platform::linux_backend::UdevRegistry registry(noEvents, &log);
    const std::unique_ptr<platform::UsbIterator> iterator = registry.matchingDevices();
    if (!iterator) return CouldNotCheck;
    std::vector<platform::UsbDevice> devices;
    while (const auto device = iterator->next())
        devices.push_back(*device);
    platform::linux_backend::CupsPrintSystem printSystem;
    const platform::PrintQueues queues = printSystem.queues({});
    const auto verdicts = check::judgeDevices(devices, wifi, other, queues);
    std::fputs((json ? check::devicesAsJson(verdicts, queues.failure)
                     : check::devicesAsText(verdicts, queues.failure))
                   .c_str(),
               stdout);
    return Clean;
}

} // namespace

int main(int argc, char** argv) {
    bool buildTime = false;
    bool json = false;
    bool devices = false;
    std::vector<check::CatalogueFile> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool takesFile = arg == "--wifi" || arg == "--other";
        if (arg == "--help" || arg == "-h") {
            std::fputs(Usage, stdout);
            return Clean;
        } else if (arg == "--build") {
            buildTime = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--devices") {
            devices = true;
        } else if (takesFile && i + 1 < argc) {
            files.push_back({argv[++i], arg == "--wifi" ? check::CatalogueFile::Role::Wifi
                                                        : check::CatalogueFile::Role::Other});
        } else if (arg.rfind("-", 0) == 0 && arg != "-") {
            std::fprintf(stderr, "runNetlume-check: unknown option %s\n%s", arg.c_str(), Usage);
            return CouldNotCheck;
        } else {
            files.push_back({arg, check::CatalogueFile::Role::Any});
        }
    }
    if (files.empty()) {
        const std::string folder = platform::linux_backend::resourcesFolderFor(
            platform::linux_backend::executableFolder());
        files.push_back({folder + "/wifiDevices.plist", check::CatalogueFile::Role::Wifi});
        files.push_back({folder + "/otherDevices.plist", check::CatalogueFile::Role::Other});
    }
    if (devices) return listDevices(files, json);

    check::Report report(json, stdout);
    const bool ioProblem = check::checkCatalogues(files, buildTime, report);
    report.finish();
    if (ioProblem) return CouldNotCheck;
    return report.errors() == 0 ? Clean : ErrorsFound;
}
