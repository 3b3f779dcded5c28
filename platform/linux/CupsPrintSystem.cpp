// SPDX-License-Identifier: MIT
#include "platform/linux/CupsPrintSystem.h"

#include "platform/linux/CupsLibrary.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
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

PrintQueues CupsPrintSystem::queues() {
    // The scheduler the user's own programs ask: CUPS_SERVER, client.conf,
    // else the local socket.
    std::string why;
    if (cupsLibrary(why) == nullptr) return {{}, "the print system's library " + why};
    const std::string server = cups().cupsServer();
    const Http http = connect(server.c_str(), cups().ippPort());
    if (!http)
        return {{},
                "the print system (CUPS) at " + server +
                    " cannot be asked: " + whyNoConnection(server)};

    ipp_t* request = cups().ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char* const Wanted[] = {"printer-name", "device-uri"};
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                         nullptr, Wanted);
    const auto asked = std::chrono::steady_clock::now();
    const Ipp response(cups().cupsDoRequest(http.get(), request, "/"));
    // No queue at all is an answer ("not found"), not a failure.
    if (cups().cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) return {};
    if (!response || cups().cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        // A silent scheduler leaves an error without words ("Success"):
        // libcups only gave up waiting.
        const std::string reason =
            std::chrono::steady_clock::now() - asked < PrintSystemAnswerTime
                ? std::string(cups().cupsLastErrorString())
                : "no answer within " +
                      std::to_string(
                          std::chrono::duration_cast<std::chrono::seconds>(PrintSystemAnswerTime)
                              .count()) +
                      " s";
        return {{}, "the print system (CUPS) at " + server + " did not list its queues: " + reason};
    }

    PrintQueues found;
    PrintQueue queue;
    const auto keep = [&] {
        if (!queue.name.empty()) found.queues.push_back(std::move(queue));
        queue = {};
    };
    for (ipp_attribute_t* attribute = cups().ippFirstAttribute(response.get());
         attribute != nullptr; attribute = cups().ippNextAttribute(response.get())) {
        // Each queue's attributes form one group; a separator ends it.
        const char* name = cups().ippGetName(attribute);
        if (name == nullptr) {
            keep();
            continue;
        }
        if (std::strcmp(name, "printer-name") == 0) queue.name = text(attribute);
        if (std::strcmp(name, "device-uri") == 0) queue.deviceUri = text(attribute);
    }
    keep();
    for (PrintQueue& each : found.queues)
        askPort(each);
    return found;
}

} // namespace platform::linux_backend
