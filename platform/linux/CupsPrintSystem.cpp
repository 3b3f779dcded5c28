// SPDX-License-Identifier: MIT
#include "platform/linux/CupsPrintSystem.h"

#include "platform/linux/CupsLibrary.h"
#include "platform/linux/IppExchange.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace platform::linux_backend {

namespace {

// Only once queues() has loaded it.
const CupsLibrary& cups() {
    std::string unused;
    return *cupsLibrary(unused);
}

std::string text(ipp_attribute_t* attribute) {
    const char* value = attribute != nullptr ? cups().ippGetString(attribute, 0, nullptr) : nullptr;
    return value != nullptr ? value : "";
}

bool isLoopback(const std::string& host) {
    return host == "localhost" || host == "127.0.0.1" || host == "[::1]" || host == "::1";
}

// Where a queue's port of an IPP-over-USB proxy is: a loopback port from
// FirstIppUsbPort on; nothing for any other queue.
struct Port {
    std::string host;
    int port = 0;
    std::string resource;
    friend bool operator<(const Port& a, const Port& b) {
        return std::tie(a.host, a.port, a.resource) < std::tie(b.host, b.port, b.resource);
    }
};

std::optional<Port> ippUsbPort(const std::string& uri) {
    std::array<char, 32> scheme{};
    std::array<char, 256> user{};
    std::array<char, 256> host{};
    std::array<char, 1024> resource{};
    int port = 0;
    if (cups().httpSeparateURI(HTTP_URI_CODING_ALL, uri.c_str(), scheme.data(), scheme.size(),
                               user.data(), user.size(), host.data(), host.size(), &port,
                               resource.data(), resource.size()) < HTTP_URI_STATUS_OK)
        return std::nullopt;
    const std::string kind = scheme.data();
    if ((kind != "ipp" && kind != "ipps" && kind != "http" && kind != "https") ||
        !isLoopback(host.data()) || port < FirstIppUsbPort)
        return std::nullopt;
    return Port{host.data(), port, resource.data()};
}

// What a port says of its device: its IEEE 1284 id, its make and model.
std::pair<std::string, std::string> askPort(const Port& where, const std::string& uri,
                                            const std::stop_token& stop) {
    ipp_t* request = cups().ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                        uri.c_str());
    static const char* const Wanted[] = {"printer-device-id", "printer-make-and-model"};
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                         nullptr, Wanted);
    const IppAnswer answer =
        askIpp(where.host, where.port, where.resource.c_str(), request, IppUsbPortBounds, stop);
    if (!answer.response) return {};
    return {text(cups().ippFindAttribute(answer.response.get(), "printer-device-id", IPP_TAG_TEXT)),
            text(cups().ippFindAttribute(answer.response.get(), "printer-make-and-model",
                                         IPP_TAG_TEXT))};
}

// Asks each distinct port once, all side by side, so that any number of
// silent ports costs one port's time; ports past the first few are not asked.
void askPorts(std::vector<PrintQueue>& queues, const std::stop_token& stop) {
    // Each port with the URI to ask it about, and, once asked, its answer:
    // each asker writes its own entry alone.
    struct Asked {
        std::string uri;
        std::pair<std::string, std::string> told;
    };
    std::map<Port, Asked> ports;
    for (const PrintQueue& queue : queues)
        if (const std::optional<Port> port = ippUsbPort(queue.deviceUri))
            if (ports.size() < MostIppUsbPortsAsked)
                ports.emplace(*port, Asked{queue.deviceUri, {}});
    {
        std::vector<std::jthread> askers;
        askers.reserve(ports.size());
        for (std::pair<const Port, Asked>& entry : ports)
            askers.emplace_back([&where = entry.first, &asked = entry.second, &stop] {
                asked.told = askPort(where, asked.uri, stop);
            });
    } // joined
    for (PrintQueue& queue : queues)
        if (const std::optional<Port> port = ippUsbPort(queue.deviceUri))
            if (const auto found = ports.find(*port); found != ports.end())
                std::tie(queue.portDeviceId, queue.portMakeAndModel) = found->second.told;
}

struct Answer {
    Ipp response;
    std::optional<Failure> failure;
};

// Sends request (which it takes) to the scheduler the user's own programs
// ask: CUPS_SERVER, client.conf, else the local socket. The answer, or why
// there is none, in the words of the log; "not found" is an answer without
// groups. Only once the library is loaded.
Answer askScheduler(ipp_t* request, const char* what, IppBounds bounds,
                    const std::stop_token& stop) {
    const std::string server = cups().cupsServer();
    IppAnswer answer = askIpp(server, cups().ippPort(), "/", request, bounds, stop);
    if (!answer.failure) return {std::move(answer.response), std::nullopt};
    Failure failure = std::move(*answer.failure);
    failure.text = "the print system (CUPS) at " + server +
                   (answer.unreachable ? " cannot be asked: "
                                       : std::string(" did not ") + what + ": ") +
                   failure.text;
    return {nullptr, std::move(failure)};
}

// Each group of the answer (one queue, one device) as its attributes by name.
void forEachGroup(const Ipp& response,
                  const std::function<void(const std::map<std::string, std::string>&)>& take) {
    if (!response) return;
    std::map<std::string, std::string> group;
    for (ipp_attribute_t* attribute = cups().ippFirstAttribute(response.get());
         attribute != nullptr; attribute = cups().ippNextAttribute(response.get())) {
        // A separator, which has no name, ends a group.
        if (const char* name = cups().ippGetName(attribute)) {
            group[name] = text(attribute);
            continue;
        }
        if (!group.empty()) take(group);
        group.clear();
    }
    if (!group.empty()) take(group);
}

std::string valueOf(const std::map<std::string, std::string>& group, const char* name) {
    const auto found = group.find(name);
    return found != group.end() ? found->second : std::string();
}

} // namespace

PrintQueues CupsPrintSystem::queues(std::stop_token stop) {
    std::string why;
    if (cupsLibrary(why) == nullptr) return {{}, Failure{"dlopen", {}, "the print system's library " + why}};
    ipp_t* request = cups().ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char* const Wanted[] = {"printer-name", "device-uri"};
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                         nullptr, Wanted);
    const Answer answer = askScheduler(request, "list its queues", SchedulerBounds, stop);
    if (answer.failure) return {{}, answer.failure};
    PrintQueues found;
    forEachGroup(answer.response, [&](const std::map<std::string, std::string>& group) {
        PrintQueue queue{valueOf(group, "printer-name"), valueOf(group, "device-uri")};
        if (!queue.name.empty()) found.queues.push_back(std::move(queue));
    });
    askPorts(found.queues, stop);
    return found;
}

PrintDevices CupsPrintSystem::usbDevices(std::stop_token stop) {
    std::string why;
    if (cupsLibrary(why) == nullptr) return {{}, Failure{"dlopen", {}, "the print system's library " + why}};
    ipp_t* request = cups().ippNewRequest(IPP_OP_CUPS_GET_DEVICES);
    const auto search = std::chrono::duration_cast<std::chrono::seconds>(UsbSearchTime);
    cups().ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "timeout",
                         static_cast<int>(search.count()));
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "include-schemes", nullptr,
                        "usb");
    const Answer answer =
        askScheduler(request, "list its USB printers",
                     {UsbSearchTime + SchedulerBounds.time, SchedulerBounds.bytes}, stop);
    if (answer.failure) return {{}, answer.failure};
    PrintDevices found;
    forEachGroup(answer.response, [&](const std::map<std::string, std::string>& group) {
        PrintDevice device{valueOf(group, "device-uri"), valueOf(group, "device-id")};
        if (!device.uri.empty()) found.devices.push_back(std::move(device));
    });
    return found;
}

} // namespace platform::linux_backend
