// SPDX-License-Identifier: MIT
#include "tools/runNetlume-check/DeviceReport.h"

#include "app/detection/DeviceCatalogue.h"
#include "app/detection/LogText.h"
#include "tools/runNetlume-check/Finding.h"

#include <algorithm>
#include <set>

namespace check {

namespace {

bool listedIn(const DeviceCatalogue& catalogue, const platform::UsbDevice& device) {
    return catalogue.entriesNaming(device.idVendor, device.idProduct) > 0;
}

void addVendors(const DeviceCatalogue& catalogue, std::set<std::uint32_t>& vendors) {
    for (const CatalogueEntry& entry : catalogue.devices())
        if (const auto ids = entry.usbIds()) vendors.insert(ids->vid);
}

// Each verdict's id in JSON and its words in text, in the order of Verdict.
struct VerdictNames {
    const char* id;
    const char* text;
};
constexpr VerdictNames Verdicts[] = {
    {"wifi-model", "Wi-Fi model: the assistant offers the Wi-Fi setup tool"},
    {"usb-only-model", "USB-only model: the assistant shows the add-printer steps"},
    {"maker-unknown-model",
     "the maker's vendor id, but a model no catalogue lists: the assistant waits"},
    {"other", "another maker's device: the assistant passes it over"},
};
const VerdictNames& named(Verdict verdict) {
    return Verdicts[static_cast<std::size_t>(verdict)];
}

std::string ids(const platform::UsbDevice& device) {
    return usbIdText(device.idVendor, device.idProduct);
}

constexpr const char* ConflictId = "ipp-usb-conflict";

std::string conflictText(const IppUsbConflict& conflict) {
    std::string names;
    for (const QueueMatch& queue : conflict.blocked)
        names += (names.empty() ? "" : ", ") + printable(queue.queue);
    return "ipp-usb serves it on port " + std::to_string(conflict.port) +
           ", so its queues through the USB backend cannot print while it does: " + names;
}

} // namespace

std::vector<DeviceVerdict> judgeDevices(const std::vector<platform::UsbDevice>& devices,
                                        const DeviceCatalogue& wifi, const DeviceCatalogue& other,
                                        const platform::PrintQueues& queues) {
    std::set<std::uint32_t> vendors;
    addVendors(wifi, vendors);
    addVendors(other, vendors);
    std::vector<DeviceVerdict> verdicts;
    for (const platform::UsbDevice& device : devices) {
        Verdict verdict = Verdict::Other;
        if (listedIn(wifi, device))
            verdict = Verdict::WifiModel;
        else if (listedIn(other, device))
            verdict = Verdict::UsbOnlyModel;
        else if (vendors.count(device.idVendor) != 0)
            verdict = Verdict::MakerUnknownModel;
        std::optional<std::vector<QueueMatch>> matches;
        std::optional<IppUsbConflict> ippUsb;
        if (!queues.failure) {
            matches = queuesOfDevice(device, queues.queues);
            ippUsb = ippUsbConflict(device, *matches, queues.ippUsbPorts);
        }
        verdicts.push_back({device, verdict, std::move(matches), std::move(ippUsb)});
    }
    return verdicts;
}

std::string devicesAsText(const std::vector<DeviceVerdict>& verdicts,
                          const std::optional<platform::Failure>& queuesUnknown) {
    std::string out;
    for (const DeviceVerdict& v : verdicts) {
        out += ids(v.device) + "  " + named(v.verdict).text + "\n";
        if (v.queues) {
            out += "           print queues: ";
            if (v.queues->empty()) out += "none";
            // Capped as findings are.
            const std::size_t listed = std::min(v.queues->size(), Report::MaxPerKind);
            for (std::size_t i = 0; i < listed; ++i) {
                const QueueMatch& queue = (*v.queues)[i];
                out += (i == 0 ? "" : ", ") + printable(queue.queue) + " (" +
                       matchKindText(queue.how) + (queue.state.empty() ? "" : "; " + queue.state) +
                       ")";
            }
            if (listed < v.queues->size())
                out += " … and " + std::to_string(v.queues->size() - listed) + " more";
            out += "\n";
        }
        // From the device itself: said whether or not the print system answered.
        if (v.device.ippOverUsb)
            out += "           IPP-over-USB: it also prints without a driver" +
                   (v.ippUsb ? ", and ipp-usb serves it on port " + std::to_string(v.ippUsb->port)
                             : std::string()) +
                   "\n";
        if (v.ippUsb && !v.ippUsb->blocked.empty())
            out += "           warning: " + conflictText(*v.ippUsb) + " [" + ConflictId + "]\n" +
                   "           remedy: " + ippUsbRemedy(v.device) + "\n";
    }
    if (verdicts.empty()) out += "no USB device is attached\n";
    if (queuesUnknown)
        out += "print queues not known: " + printable(describe(*queuesUnknown)) + "\n";
    return out;
}

std::string devicesAsJson(const std::vector<DeviceVerdict>& verdicts,
                          const std::optional<platform::Failure>& queuesUnknown) {
    std::string out = "{\"devices\": [";
    for (std::size_t i = 0; i < verdicts.size(); ++i) {
        const std::string id = ids(verdicts[i].device);
        out += i == 0 ? "\n  " : ",\n  ";
        out += "{\"vid\": \"" + id.substr(0, 4) + "\", \"pid\": \"" + id.substr(5) +
               "\", \"verdict\": \"" + named(verdicts[i].verdict).id + "\"";
        if (const auto& queues = verdicts[i].queues) {
            out += ", \"queues\": [";
            const std::size_t listed = std::min(queues->size(), Report::MaxPerKind);
            for (std::size_t q = 0; q < listed; ++q)
                out += std::string(q == 0 ? "" : ", ") +
                       "{\"name\": " + jsonString((*queues)[q].queue) + ", \"match\": \"" +
                       matchKindText((*queues)[q].how) +
                       "\", \"state\": " + jsonString((*queues)[q].state) +
                       ", \"canPrint\": " + ((*queues)[q].canPrint ? "true" : "false") + "}";
            out += "]";
            if (listed < queues->size())
                out += ", \"moreQueues\": " + std::to_string(queues->size() - listed);
        }
        if (verdicts[i].device.ippOverUsb) out += ", \"ippOverUsb\": true";
        if (const auto& ippUsb = verdicts[i].ippUsb) {
            out += ", \"ippUsbPort\": " + std::to_string(ippUsb->port);
            if (!ippUsb->blocked.empty())
                out += std::string(", \"findings\": [{\"severity\": \"warning\", \"id\": \"") +
                       ConflictId + "\", \"message\": " + jsonString(conflictText(*ippUsb)) +
                       ", \"remedy\": " + jsonString(ippUsbRemedy(verdicts[i].device)) + "}]";
        }
        out += "}";
    }
    out += verdicts.empty() ? "]" : "\n]";
    if (queuesUnknown) out += ",\n \"queuesNotKnown\": " + jsonString(describe(*queuesUnknown));
    return out + "}\n";
}

} // namespace check
