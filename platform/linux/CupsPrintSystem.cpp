// SPDX-License-Identifier: MIT
#include "platform/linux/CupsPrintSystem.h"

#include "platform/linux/CupsLibrary.h"
#include "platform/linux/IppExchange.h"

#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::linux_backend {

namespace {

// Sends request (which it takes) to the scheduler the user's own programs
// ask: CUPS_SERVER, client.conf, else the local socket. The answer, or why
// there is none, in the words of the log; "not found" is an answer without
// groups. Only once the library is loaded.
IppAnswer askScheduler(ipp_t* request, const char* what, IppBounds bounds,
                       const std::stop_token& stop) {
    const std::string server = cups().cupsServer();
    IppAnswer answer = askIpp(server, cups().ippPort(), "/", request, bounds, stop);
    if (answer.failure)
        answer.failure->text =
            "the print system (CUPS) at " + server +
            (answer.unreachable ? " cannot be asked: " : std::string(" did not ") + what + ": ") +
            answer.failure->text;
    return answer;
}

// The attributes of one group of an answer (one queue, one device) by name.
using Group = std::map<std::string, ipp_attribute_t*>;

void forEachGroup(const Ipp& response, const std::function<void(const Group&)>& take) {
    if (!response) return;
    Group group;
    for (ipp_attribute_t* attribute = cups().ippFirstAttribute(response.get());
         attribute != nullptr; attribute = cups().ippNextAttribute(response.get())) {
        // A separator, which has no name, ends a group.
        if (const char* name = cups().ippGetName(attribute)) {
            group[name] = attribute;
            continue;
        }
        if (!group.empty()) take(group);
        group.clear();
    }
    if (!group.empty()) take(group);
}

ipp_attribute_t* attributeOf(const Group& group, const char* name) {
    const auto found = group.find(name);
    return found != group.end() ? found->second : nullptr;
}

std::string valueOf(const Group& group, const char* name) {
    return ippText(attributeOf(group, name));
}

// What the scheduler says of whether the queue can print.
void readState(const Group& group, PrintQueue& queue) {
    // In the order of IPP's printer states, which start at idle (3).
    static constexpr const char* States[] = {"idle", "processing", "stopped"};
    if (ipp_attribute_t* state = attributeOf(group, "printer-state")) {
        const int value = cups().ippGetInteger(state, 0);
        if (value >= IPP_PSTATE_IDLE && value <= IPP_PSTATE_STOPPED)
            queue.state = States[value - IPP_PSTATE_IDLE];
    }
    if (ipp_attribute_t* reasons = attributeOf(group, "printer-state-reasons")) {
        for (int i = 0; i < cups().ippGetCount(reasons); ++i) {
            const char* reason = cups().ippGetString(reasons, i, nullptr);
            if (reason == nullptr || std::string_view(reason) == "none") continue;
            if (queue.stateReasons.size() < MostStateReasons)
                queue.stateReasons.emplace_back(reason);
            else
                ++queue.moreStateReasons;
        }
    }
    if (ipp_attribute_t* accepting = attributeOf(group, "printer-is-accepting-jobs"))
        queue.acceptingJobs = cups().ippGetBoolean(accepting, 0) != 0;
}

} // namespace

PrintQueues CupsPrintSystem::queues(std::stop_token stop) {
    if (const std::optional<Failure>& why = cupsLoadFailure()) return {{}, why};
    ipp_t* request = cups().ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char* const Wanted[] = {"printer-name", "device-uri", "printer-state",
                                         "printer-state-reasons", "printer-is-accepting-jobs"};
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                         std::size(Wanted), nullptr, Wanted);
    const IppAnswer answer = askScheduler(request, "list its queues", SchedulerBounds, stop);
    if (answer.failure) return {{}, answer.failure};
    PrintQueues found;
    forEachGroup(answer.response, [&](const Group& group) {
        PrintQueue queue{valueOf(group, "printer-name"), valueOf(group, "device-uri")};
        readState(group, queue);
        if (!queue.name.empty()) found.queues.push_back(std::move(queue));
    });
    askIppUsbPorts(found, stop);
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
    const IppAnswer answer =
        askScheduler(request, "list its USB printers",
                     {UsbSearchTime + SchedulerBounds.time, SchedulerBounds.bytes}, stop);
    if (answer.failure) return {{}, answer.failure};
    PrintDevices found;
    forEachGroup(answer.response, [&](const Group& group) {
        PrintDevice device{valueOf(group, "device-uri"), valueOf(group, "device-id")};
        if (!device.uri.empty()) found.devices.push_back(std::move(device));
    });
    return found;
}

} // namespace platform::linux_backend
