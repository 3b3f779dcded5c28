// SPDX-License-Identifier: MIT
#include "platform/linux/IppUsbPorts.h"

#include "platform/linux/IppExchange.h"

#include <array>
#include <map>
#include <optional>
#include <thread>
#include <tuple>
#include <utility>

namespace platform::linux_backend {

namespace {

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
    return {
        ippText(cups().ippFindAttribute(answer.response.get(), "printer-device-id", IPP_TAG_TEXT)),
        ippText(cups().ippFindAttribute(answer.response.get(), "printer-make-and-model",
                                        IPP_TAG_TEXT))};
}

} // namespace

// Asks each distinct port once, all side by side, so that any number of
// silent ports costs one port's time; ports past the first few are not asked.
void askIppUsbPorts(PrintQueues& found, const std::stop_token& stop) {
    std::vector<PrintQueue>& queues = found.queues;
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
    // A queue that prints to one of these already has it asked.
    for (int number = FirstIppUsbPort; number < FirstIppUsbPort + IppUsbPortsScanned; ++number) {
        const std::string uri = "ipp://localhost:" + std::to_string(number) + IppUsbPath;
        ports.emplace(Port{"localhost", number, IppUsbPath}, Asked{uri, {}});
    }
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
            if (const auto asked = ports.find(*port); asked != ports.end())
                std::tie(queue.portDeviceId, queue.portMakeAndModel) = asked->second.told;
    for (const auto& [where, asked] : ports) {
        const auto& [deviceId, makeAndModel] = asked.told;
        if (where.host == "localhost" && where.resource == IppUsbPath &&
            where.port < FirstIppUsbPort + IppUsbPortsScanned &&
            (!deviceId.empty() || !makeAndModel.empty()))
            found.ippUsbPorts.push_back({where.port, deviceId, makeAndModel});
    }
}

} // namespace platform::linux_backend
