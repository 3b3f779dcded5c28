// SPDX-License-Identifier: MIT
#include "platform/linux/SdBusCalls.h"
#include "platform/linux/SystemFailure.h"

#include <cerrno>
#include <cstdlib>

namespace platform::linux_backend {

Failure sdBusFailure(const char* method, const sd_bus_error* error, int status) {
    if (error != nullptr && error->name != nullptr)
        return {method, error->name, error->message != nullptr ? error->message : error->name};
    return errnoFailure(method, -status);
}

bool stopsAnswering(const sd_bus_error* error, int status) {
    if (error != nullptr && (sd_bus_error_has_name(error, SD_BUS_ERROR_NO_REPLY) ||
                             sd_bus_error_has_name(error, SD_BUS_ERROR_DISCONNECTED)))
        return true;
    return status == -ETIMEDOUT || status == -ECONNRESET || status == -ENOTCONN;
}

void SdBusCalls::fallSilent(Failure why) {
    why.text = "the service manager stopped answering (" + why.text + ")";
    silent_ = std::move(why);
}

SdBusAnswer SdBusCalls::settle(const char* method, int status, sd_bus_error& error,
                               sd_bus_message* reply) {
    SdBusAnswer answer{SdBusMessage(reply), std::nullopt};
    if (status < 0) {
        answer.failure = sdBusFailure(method, &error, status);
        if (stopsAnswering(&error, status)) {
            fallSilent(*answer.failure);
            answer.failure = silent_;
        }
    }
    sd_bus_error_free(&error);
    return answer;
}

std::optional<Failure> SdBusCalls::property(const char* path, const char* interface,
                                            const char* name, char type, std::string& value) {
    if (silent_) return silent_;
    sd_bus_error error{};
    int status = 0;
    if (type == 'b') {
        int flag = 0;
        status = sd_bus_get_property_trivial(bus_, destination_, path, interface, name, &error, 'b',
                                             &flag);
        if (status >= 0) value = flag != 0 ? "yes" : "no";
    } else {
        char* text = nullptr;
        status =
            sd_bus_get_property_string(bus_, destination_, path, interface, name, &error, &text);
        if (status >= 0) value = text;
        std::free(text); // NOLINT(cppcoreguidelines-no-malloc): sd-bus hands it out with malloc
    }
    const SdBusAnswer answer = settle(name, status, error, nullptr);
    return answer.failure;
}

} // namespace platform::linux_backend
