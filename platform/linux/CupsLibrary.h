// SPDX-License-Identifier: MIT
// libcups, loaded the first time the print system is asked, on the thread
// that asks. Linked at start, it and the libraries it needs (TLS, Kerberos,
// Avahi) would cost every start a few milliseconds before the
// first window, for an answer the window never waits for.
#pragma once

#include <cups/cups.h>

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

// The library, or null with why it cannot be loaded. Loaded once, from any
// thread, and kept for the life of the process.
const CupsLibrary* cupsLibrary(std::string& why);

// The library, once cupsLibrary() has loaded it.
const CupsLibrary& cups();

// An attribute's first value as text; empty for none.
std::string ippText(ipp_attribute_t* attribute);

} // namespace platform::linux_backend
