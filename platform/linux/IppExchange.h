// SPDX-License-Identifier: MIT
// One IPP request to one server and its whole answer, bounded as one: the
// connection, the request and the complete answer within one time, the
// answer within one size. libcups bounds each read, not the answer: a
// server that trickles a byte a second, or never stops sending, would hold
// a lookup for ever or fill the memory. Only once libcups is loaded.
#pragma once

#include "platform/Failure.h"
#include "platform/linux/CupsLibrary.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

namespace platform::linux_backend {

struct CupsFree {
    void operator()(http_t* http) const;
    void operator()(ipp_t* ipp) const;
};
using Http = std::unique_ptr<http_t, CupsFree>;
using Ipp = std::unique_ptr<ipp_t, CupsFree>;

struct IppBounds {
    std::chrono::milliseconds time;
    std::size_t bytes;
};

struct IppAnswer {
    // The answer; none with a failure, or when the server has nothing
    // (IPP's "not found").
    Ipp response;
    bool unreachable = false;
    // Why there is no answer: "no answer within 5 s", "its answer is too
    // large: over 1 MiB", the server's status (its name as the code), or
    // why the connection failed (with unreachable). The call is the
    // request's operation, or the libcups function that failed.
    std::optional<Failure> failure;
};

// Sends request (which it takes) to host and port at resource. A stop
// request ends the exchange at once, as a passed deadline does.
IppAnswer askIpp(const std::string& host, int port, const char* resource, ipp_t* request,
                 IppBounds bounds, std::stop_token stop = {});

} // namespace platform::linux_backend
