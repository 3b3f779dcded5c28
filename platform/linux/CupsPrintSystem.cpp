// SPDX-License-Identifier: MIT
#include "platform/linux/CupsPrintSystem.h"

#include "platform/linux/CupsLibrary.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace platform::linux_backend {

namespace {

// Only once queues() has loaded it.
const CupsLibrary& cups() {
    std::string unused;
    return *cupsLibrary(unused);
}

struct CupsFree {
    void operator()(http_t* http) const { cups().httpClose(http); }
    void operator()(ipp_t* ipp) const { cups().ippDelete(ipp); }
};
using Http = std::unique_ptr<http_t, CupsFree>;
using Ipp = std::unique_ptr<ipp_t, CupsFree>;

// A connection that gives up on a silent peer instead of waiting for ever:
// libcups closes it when the timeout callback is absent.
Http connect(const char* host, int port) {
    int cancel = 0;
    Http http(cups().httpConnect2(host, port, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                                  static_cast<int>(PrintSystemConnectTime.count()), &cancel));
    if (http)
        cups().httpSetTimeout(http.get(),
                              std::chrono::duration<double>(PrintSystemAnswerTime).count(), nullptr,
                              nullptr);
    return http;
}

std::string text(ipp_attribute_t* attribute) {
    const char* value = attribute != nullptr ? cups().ippGetString(attribute, 0, nullptr) : nullptr;
    return value != nullptr ? value : "";
}

// libcups keeps no reason for a failed connection (errno is gone by then);
// a local socket that is not there is the common one.
std::string whyNoConnection(const std::string& server) {
    struct stat socket {};
    if (!server.empty() && server.front() == '/' && ::stat(server.c_str(), &socket) != 0)
        return std::strerror(errno);
    return "it does not answer";
}

bool isLoopback(const std::string& host) {
    return host == "localhost" || host == "127.0.0.1" || host == "[::1]" || host == "::1";
}

// What the port of a loopback queue says of its device, for a queue that an
// IPP-over-USB proxy serves; nothing for any other queue.
void askPort(PrintQueue& queue) {
    std::array<char, 32> scheme{};
    std::array<char, 256> user{};
    std::array<char, 256> host{};
    std::array<char, 1024> resource{};
    int port = 0;
    if (cups().httpSeparateURI(HTTP_URI_CODING_ALL, queue.deviceUri.c_str(), scheme.data(),
                               scheme.size(), user.data(), user.size(), host.data(), host.size(),
                               &port, resource.data(), resource.size()) < HTTP_URI_STATUS_OK)
        return;
    const std::string kind = scheme.data();
    if ((kind != "ipp" && kind != "ipps" && kind != "http" && kind != "https") ||
        !isLoopback(host.data()) || port < FirstIppUsbPort)
        return;
    const Http http = connect(host.data(), port);
    if (!http) return;
    ipp_t* request = cups().ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                        queue.deviceUri.c_str());
    static const char* const Wanted[] = {"printer-device-id", "printer-make-and-model"};
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                         nullptr, Wanted);
    const Ipp response(cups().cupsDoRequest(http.get(), request, resource.data()));
    if (!response) return;
    queue.portDeviceId =
        text(cups().ippFindAttribute(response.get(), "printer-device-id", IPP_TAG_TEXT));
    queue.portMakeAndModel =
        text(cups().ippFindAttribute(response.get(), "printer-make-and-model", IPP_TAG_TEXT));
}

} // namespace

namespace {

struct Answer {
    Ipp response;
    std::optional<std::string> failure;
};

// Sends request (which it takes) to the scheduler the user's own programs
// ask: CUPS_SERVER, client.conf, else the local socket. The answer, or why
// there is none; "not found" is an answer without groups. Only once the
// library is loaded.
Answer askScheduler(ipp_t* request, const char* what, std::chrono::milliseconds answerTime) {
    const std::string server = cups().cupsServer();
    const Http http = connect(server.c_str(), cups().ippPort());
    if (!http) {
        cups().ippDelete(request);
        return {nullptr, "the print system (CUPS) at " + server +
                             " cannot be asked: " + whyNoConnection(server)};
    }
    cups().httpSetTimeout(http.get(), std::chrono::duration<double>(answerTime).count(), nullptr,
                          nullptr);
    const auto asked = std::chrono::steady_clock::now();
    Ipp response(cups().cupsDoRequest(http.get(), request, "/"));
    if (cups().cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) return {nullptr, std::nullopt};
    if (!response || cups().cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        // A silent scheduler leaves an error without words ("Success"):
        // libcups only gave up waiting.
        const std::string reason =
            std::chrono::steady_clock::now() - asked < answerTime
                ? std::string(cups().cupsLastErrorString())
                : "no answer within " +
                      std::to_string(
                          std::chrono::duration_cast<std::chrono::seconds>(answerTime).count()) +
                      " s";
        return {nullptr,
                "the print system (CUPS) at " + server + " did not " + what + ": " + reason};
    }
    return {std::move(response), std::nullopt};
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

PrintQueues CupsPrintSystem::queues() {
    std::string why;
    if (cupsLibrary(why) == nullptr) return {{}, "the print system's library " + why};
    ipp_t* request = cups().ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char* const Wanted[] = {"printer-name", "device-uri"};
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                         nullptr, Wanted);
    const Answer answer = askScheduler(request, "list its queues", PrintSystemAnswerTime);
    if (answer.failure) return {{}, answer.failure};
    PrintQueues found;
    forEachGroup(answer.response, [&](const std::map<std::string, std::string>& group) {
        PrintQueue queue{valueOf(group, "printer-name"), valueOf(group, "device-uri")};
        if (queue.name.empty()) return;
        askPort(queue);
        found.queues.push_back(std::move(queue));
    });
    return found;
}

PrintDevices CupsPrintSystem::usbDevices() {
    std::string why;
    if (cupsLibrary(why) == nullptr) return {{}, "the print system's library " + why};
    ipp_t* request = cups().ippNewRequest(IPP_OP_CUPS_GET_DEVICES);
    const auto search = std::chrono::duration_cast<std::chrono::seconds>(UsbSearchTime);
    cups().ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "timeout",
                         static_cast<int>(search.count()));
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "include-schemes", nullptr,
                        "usb");
    const Answer answer =
        askScheduler(request, "list its USB printers", UsbSearchTime + PrintSystemAnswerTime);
    if (answer.failure) return {{}, answer.failure};
    PrintDevices found;
    forEachGroup(answer.response, [&](const std::map<std::string, std::string>& group) {
        PrintDevice device{valueOf(group, "device-uri"), valueOf(group, "device-id")};
        if (!device.uri.empty()) found.devices.push_back(std::move(device));
    });
    return found;
}

} // namespace platform::linux_backend
