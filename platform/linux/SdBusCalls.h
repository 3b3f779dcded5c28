// SPDX-License-Identifier: MIT
// Method calls and property reads on one sd-bus connection to one service,
// each answer a reply or a Failure that keeps the D-Bus error's name.
#pragma once

#include "platform/Failure.h"

#include <systemd/sd-bus.h>

#include <memory>
#include <optional>
#include <string>

namespace platform::linux_backend {

struct SdBusUnref {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using SdBus = std::unique_ptr<sd_bus, SdBusUnref>;
using SdBusMessage = std::unique_ptr<sd_bus_message, SdBusUnref>;
using SdBusSlot = std::unique_ptr<sd_bus_slot, SdBusUnref>;

// A reply, or why there is none.
struct SdBusAnswer {
    SdBusMessage reply;
    std::optional<Failure> failure;

    bool failedWith(const char* errorName) const { return failure && failure->code == errorName; }
};

// What a failed call of method says: the error's name and message, else the
// errno that sd-bus returned.
Failure sdBusFailure(const char* method, const sd_bus_error* error, int status);

// Whether a failed call means the service will answer no more: no reply in
// time, or the connection gone.
bool stopsAnswering(const sd_bus_error* error, int status);

class SdBusCalls {
public:
    SdBusCalls(sd_bus* bus, const char* destination) : bus_(bus), destination_(destination) {}

    // One call, its arguments given as sd_bus_message_append() takes them
    // (types may be null for none). Once a call went unanswered, none is
    // sent again: each would only add another wait.
    template <typename... Arguments>
    SdBusAnswer call(const char* path, const char* interface, const char* method, const char* types,
                     Arguments... arguments) {
        if (silent_) return {nullptr, silent_};
        sd_bus_error error{}; // SD_BUS_ERROR_NULL, which is a C compound literal
        sd_bus_message* reply = nullptr;
        const int status = sd_bus_call_method(bus_, destination_, path, interface, method, &error,
                                              &reply, types, arguments...);
        return settle(method, status, error, reply);
    }

    // A property of type 's' or 'b' (as "yes" or "no").
    std::optional<Failure> property(const char* path, const char* interface, const char* name,
                                    char type, std::string& value);

    // Why the service answers no more, once it does not.
    const std::optional<Failure>& silent() const { return silent_; }
    void fallSilent(Failure why);

private:
    SdBusAnswer settle(const char* method, int status, sd_bus_error& error, sd_bus_message* reply);

    sd_bus* bus_;
    const char* destination_;
    std::optional<Failure> silent_;
};

} // namespace platform::linux_backend
