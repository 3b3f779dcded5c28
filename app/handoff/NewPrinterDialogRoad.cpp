// SPDX-License-Identifier: MIT
#include "app/handoff/NewPrinterDialogRoad.h"

#include "app/detection/LogText.h"
#include "app/detection/PrintQueueMatch.h"

#include <memory>
#include <utility>

std::optional<PrinterAddress> addressOf(const platform::UsbDevice& printer,
                                        const platform::PrintDevices& devices) {
    // The device list is matched as queues would be, each URI its own name.
    std::vector<platform::PrintQueue> named;
    for (const platform::PrintDevice& device : devices.devices)
        named.push_back({device.uri, device.uri});
    const std::vector<QueueMatch> matches = queuesOfDevice(printer, named);
    const QueueMatch* best = nullptr;
    for (const QueueMatch& match : matches)
        if (best == nullptr ||
            (match.how == QueueMatchKind::Serial && best->how != QueueMatchKind::Serial))
            best = &match;
    if (best == nullptr) return std::nullopt;
    for (const platform::PrintDevice& device : devices.devices)
        if (device.uri == best->queue)
            return PrinterAddress{device.uri, printer.ieee1284Id.empty() ? device.deviceId
                                                                         : printer.ieee1284Id};
    return std::nullopt;
}

void findPrinterAddress(platform::Platform& platform, const platform::UsbDevice& printer,
                        std::function<void(std::optional<PrinterAddress>)> found) {
    platform.threads().performInBackground(
        "the printer's device lookup",
        [&platform, printer, found = std::move(found)](std::stop_token stop) {
            const platform::PrintDevices devices = platform.printSystem().usbDevices(std::move(stop));
            auto address =
                std::make_shared<std::optional<PrinterAddress>>(addressOf(printer, devices));
            if (devices.failure)
                platform.log().write("the printer's device is not known: " +
                                     printable(describe(*devices.failure)));
            else if (!*address)
                platform.log().write("the print system lists no USB device that is the printer");
            else
                platform.log().write("the printer is the print system's device \"" +
                                     printable((*address)->uri) + "\"");
            platform.threads().performOnMainThread(
                [found, address] { found(std::move(*address)); });
        });
}

std::string dialogOutcomeLine(const platform::NewPrinterOutcome& outcome) {
    using Kind = platform::NewPrinterOutcome::Kind;
    switch (outcome.kind) {
    case Kind::Added:
        return "the new-printer dialog added the printer as \"" + printable(outcome.queue) + "\"";
    case Kind::Modified:
        return "the new-printer dialog changed the queue \"" + printable(outcome.queue) + "\"";
    case Kind::Cancelled:
        return "the new-printer dialog was cancelled";
    case Kind::ServiceGone:
        return "the printer settings' service left the session bus before the dialog ended";
    case Kind::Failed:
        return "the new-printer dialog did not open: " + printable(describe(outcome.failure)) +
               "; the printer settings open instead";
    }
    return {};
}
