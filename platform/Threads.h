// SPDX-License-Identifier: MIT
// The main thread's event loop and the background tasks the platform owns.
#pragma once

#include <chrono>
#include <functional>
#include <stop_token>

namespace platform {

class Threads {
public:
    virtual ~Threads() = default;
    // Runs fn, the task named task ("the print queues' lookup"), on a thread
    // the platform owns: once the event loop has ended it asks the task to
    // stop, through the token, and joins it before anything the task may use
    // goes. An exception that ends the task, or a thread that cannot start,
    // is one log line naming it; the assistant goes on without its result.
    virtual void performInBackground(const char* task, std::function<void(std::stop_token)> fn) = 0;
    // Queues fn onto the main thread's event loop; callable from any thread.
    // Dropped when the loop has already ended.
    virtual void performOnMainThread(std::function<void()> fn) = 0;
    // Blocks the calling thread for that long, or until stop is asked for:
    // false then.
    virtual bool sleepFor(std::chrono::milliseconds duration, std::stop_token stop) = 0;
};

} // namespace platform
