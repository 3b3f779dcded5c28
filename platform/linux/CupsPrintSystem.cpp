// SPDX-License-Identifier: MIT
#include "platform/linux/CupsPrintSystem.h"

#include "platform/linux/CupsLibrary.h"
#include "platform/linux/IppExchange.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform::linux_backend {

namespace {

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
    failure.text =
        "the print system (CUPS) at " + server +
        (answer.unreachable ? " cannot be asked: " : std::string(" did not ") + what + ": ") +
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
            group[name] = ippText(attribute);
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
    if (const std::optional<Failure>& why = cupsLoadFailure()) return {{}, why};
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
    askIppUsbPorts(found.queues, stop);
    return found;
}

PrintDevices CupsPrintSystem::usbDevices(std::stop_token stop) {
    if (const std::optional<Failure>& why = cupsLoadFailure()) return {{}, why};
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
