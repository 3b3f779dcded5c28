// SPDX-License-Identifier: MIT
// libcups, loaded the first time the print system is asked, on the thread
// that asks. Linked at start, it and the libraries it needs (TLS, Kerberos,
// Avahi) would cost every start a few milliseconds before the
// first window, for an answer the window never waits for.
#pragma once

#include "platform/Failure.h"

#include <cups/cups.h>

#include <optional>

#include <string>

namespace platform::linux_backend {

// The functions of libcups that the assistant calls.
#define RUNNETLUME_CUPS_FUNCTIONS(F)                                                               \
    F(cupsServer)                                                                                  \
    F(ippPort)                                                                                     \
    F(httpConnect2)                                                                                \
    F(httpSetTimeout)                                                                              \
    F(httpClose)                                                                                   \
    F(httpSeparateURI)                                                                             \
    F(ippNewRequest)                                                                               \
    F(ippAddString)                                                                                \
    F(ippAddStrings)                                                                               \
    F(ippAddInteger)                                                                               \
    F(ippDelete)                                                                                   \
    F(ippFindAttribute)                                                                            \
    F(ippFirstAttribute)                                                                           \
    F(ippNextAttribute)                                                                            \
    F(ippGetName)                                                                                  \
    F(ippGetString)                                                                                \
    F(ippGetInteger)                                                                               \
    F(ippGetBoolean)                                                                               \
    F(ippGetCount)                                                                                 \
    F(ippNew)                                                                                      \
    F(ippLength)                                                                                   \
    F(ippReadIO)                                                                                   \
    F(ippGetStatusCode)                                                                            \
    F(ippErrorString)                                                                              \
    F(ippGetOperation)                                                                             \
    F(ippOpString)                                                                                 \
    F(httpGetFd)                                                                                   \
    F(httpUpdate)                                                                                  \
    F(httpRead2)                                                                                   \
    F(httpStatus)                                                                                  \
    F(cupsSendRequest)                                                                             \
    F(cupsLastErrorString)

struct CupsLibrary {
// NOLINTNEXTLINE(bugprone-macro-parentheses): a declaration, not an expression
#define RUNNETLUME_CUPS_POINTER(name) decltype(&::name) name = nullptr;
    RUNNETLUME_CUPS_FUNCTIONS(RUNNETLUME_CUPS_POINTER)
#undef RUNNETLUME_CUPS_POINTER
};

// Why the library cannot be loaded, or nothing. It is loaded by the first
// call, from any thread, and kept for the life of the process.
const std::optional<Failure>& cupsLoadFailure();

// The library, once cupsLoadFailure() has said nothing.
const CupsLibrary& cups();

// An attribute's first value as text; empty for none.
std::string ippText(ipp_attribute_t* attribute);

} // namespace platform::linux_backend
