// SPDX-License-Identifier: MIT
// Why something asked of the desktop did not happen, as the system said it.
// Every platform service gives its failures in this one form, so that the
// call, the system's own code and its words all reach the log.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace platform {

struct Failure {
    // What was asked: a function, a D-Bus method or an IPP operation
    // ("sd_bus_start", "StartUnit", "CUPS-Get-Printers"). Empty where the
    // failure is no single call's (a job that ended badly, a bound passed).
    std::string call = {};
    // The system's code for the reason: an errno name ("ENOENT"), a D-Bus
    // error name, an IPP status ("server-error-busy"); empty when it gave
    // none.
    std::string code = {};
    // The reason in words.
    std::string text = {};

    friend bool operator==(const Failure&, const Failure&) = default;
};

// The failure in the log's words: the text, then the call and the system's
// code in parentheses, each where it is there ("… refused (sd_bus_start:
// ECONNREFUSED)").
inline std::string describe(const Failure& failure) {
    std::string source = failure.call;
    if (!failure.code.empty()) source += (source.empty() ? "" : ": ") + failure.code;
    return source.empty() ? failure.text : failure.text + " (" + source + ")";
}

// A value, or why there is none: a Failure, or a richer reason where a
// caller needs more than the log's words (where a catalogue breaks).
template <typename T, typename Why = Failure> class Result {
public:
    Result(T value) : state_(std::move(value)) {}       // NOLINT(google-explicit-constructor)
    Result(Why failure) : state_(std::move(failure)) {} // NOLINT(google-explicit-constructor)

    explicit operator bool() const { return std::holds_alternative<T>(state_); }
    T& value() { return std::get<T>(state_); }
    const T& value() const { return std::get<T>(state_); }
    const T* operator->() const { return &std::get<T>(state_); }
    const Why& failure() const { return std::get<Why>(state_); }

private:
    std::variant<T, Why> state_;
};

} // namespace platform
