// SPDX-License-Identifier: MIT
#include "platform/linux/IppExchange.h"
#include "platform/linux/SystemFailure.h"

#include <sys/socket.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace platform::linux_backend {

namespace {

using Clock = std::chrono::steady_clock;

// Connecting alone never takes longer than this, within the exchange's time.
constexpr std::chrono::milliseconds ConnectTime{2000};

// Ends the connection once the exchange's time has passed, or its owner
// asks it to stop: a read or write that libcups is blocked in then returns
// at once, whatever the server does.
class Watchdog {
public:
    Watchdog(int fd, Clock::time_point deadline, const std::stop_token& stop)
        : fd_(fd), thread_([this, deadline](const std::stop_token& own) { watch(own, deadline); }) {
        onStop_.emplace(stop, [this] { thread_.request_stop(); });
    }
    ~Watchdog() {
        onStop_.reset();
        finished_ = true;
        thread_.request_stop();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    bool fired() const { return fired_; }

private:
    void watch(const std::stop_token& own, Clock::time_point deadline) {
        std::mutex mutex;
        std::condition_variable_any woken;
        std::unique_lock lock(mutex);
        woken.wait_until(lock, own, deadline, [] { return false; });
        if (finished_) return;
        fired_ = true;
        ::shutdown(fd_, SHUT_RDWR);
    }

    const int fd_;
    std::atomic<bool> finished_{false};
    std::atomic<bool> fired_{false};
    std::jthread thread_;
    std::optional<std::stop_callback<std::function<void()>>> onStop_;
};

// The answer's bytes, counted as libcups reads them.
struct BoundedRead {
    http_t* http;
    std::size_t left;
    bool tooLarge = false;
};

ssize_t readBounded(void* context, ipp_uchar_t* buffer, std::size_t bytes) {
    auto& reading = *static_cast<BoundedRead*>(context);
    if (bytes > reading.left) {
        // Whatever is still to come: one byte more than allowed is enough.
        if (reading.left == 0) {
            reading.tooLarge = true;
            return -1;
        }
        bytes = reading.left;
    }
    // libcups asks for exactly what it needs next and takes less as an error.
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t read =
            cups().httpRead2(reading.http, reinterpret_cast<char*>(buffer) + done, bytes - done);
        if (read <= 0) break;
        done += static_cast<std::size_t>(read);
    }
    reading.left -= done;
    return static_cast<ssize_t>(done);
}

// libcups keeps no reason for a failed connection (errno is gone by then);
// a local socket that is not there is the common one.
Failure whyNoConnection(const std::string& host) {
    struct stat socket {};
    if (!host.empty() && host.front() == '/' && ::stat(host.c_str(), &socket) != 0)
        return errnoFailure("httpConnect2", errno);
    return {"httpConnect2", {}, "it does not answer"};
}

// libcups's words, which may be none.
std::string words(const char* text) {
    return text != nullptr && *text != '\0' ? text : "an error without words";
}

std::string sizeText(std::size_t bytes) {
    return bytes >= (1U << 20) ? std::to_string(bytes >> 20) + " MiB"
                               : std::to_string(bytes >> 10) + " KiB";
}

} // namespace

void CupsFree::operator()(http_t* http) const {
    cups().httpClose(http);
}

void CupsFree::operator()(ipp_t* ipp) const {
    cups().ippDelete(ipp);
}

IppAnswer askIpp(const std::string& host, int port, const char* resource, ipp_t* request,
                 IppBounds bounds, std::stop_token stop) {
    const Ipp owned(request);
    const char* operation = cups().ippOpString(cups().ippGetOperation(request));
    const Clock::time_point deadline = Clock::now() + bounds.time;
    int cancel = 0;
    const Http http(
        cups().httpConnect2(host.c_str(), port, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_IF_REQUESTED, 1,
                            static_cast<int>(std::min(ConnectTime, bounds.time).count()), &cancel));
    if (!http) return {nullptr, true, whyNoConnection(host)};
    // No single wait outlasts the exchange; the watchdog ends it sooner.
    cups().httpSetTimeout(http.get(), std::chrono::duration<double>(bounds.time).count(), nullptr,
                          nullptr);
    const Watchdog watchdog(cups().httpGetFd(http.get()), deadline, stop);
    // Once the watchdog has shut the connection, libcups's words are only
    // about the shutting: the bound or the stop is the reason.
    const auto failed = [&](const char* call, std::string why) {
        if (watchdog.fired()) {
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(bounds.time);
            why = stop.stop_requested()
                      ? "the assistant is ending"
                      : "no answer within " + std::to_string(seconds.count()) + " s";
            call = operation;
        }
        return IppAnswer{nullptr, false, Failure{.call = call, .text = std::move(why)}};
    };

    http_status_t status =
        cups().cupsSendRequest(http.get(), request, resource, cups().ippLength(request));
    while (status == HTTP_STATUS_CONTINUE)
        status = cups().httpUpdate(http.get());
    if (status != HTTP_STATUS_OK)
        return failed("cupsSendRequest", status == HTTP_STATUS_ERROR
                                             ? words(cups().cupsLastErrorString())
                                             : "HTTP " + words(cups().httpStatus(status)));
    Ipp response(cups().ippNew());
    BoundedRead reading{http.get(), bounds.bytes};
    if (cups().ippReadIO(&reading, readBounded, 1, nullptr, response.get()) != IPP_STATE_DATA) {
        if (reading.tooLarge)
            return {
                nullptr, false,
                Failure{operation, {}, "its answer is too large: over " + sizeText(bounds.bytes)}};
        return failed("ippReadIO",
                      "its answer cannot be read: " + words(cups().cupsLastErrorString()));
    }
    const ipp_status_t answered = cups().ippGetStatusCode(response.get());
    if (answered == IPP_STATUS_ERROR_NOT_FOUND) return {};
    if (answered > IPP_STATUS_OK_CONFLICTING) {
        // The server's own words, where it gave any, beside the status's name.
        const std::string name = words(cups().ippErrorString(answered));
        const std::string message =
            ippText(cups().ippFindAttribute(response.get(), "status-message", IPP_TAG_TEXT));
        return {nullptr, false, Failure{operation, name, message.empty() ? name : message}};
    }
    return {std::move(response), false, std::nullopt};
}

} // namespace platform::linux_backend
