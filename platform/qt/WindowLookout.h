// SPDX-License-Identifier: MIT
// Whether a window of one process is on screen (X11), found out without
// waiting for the X server: each look sends the questions that are due and
// takes the answers that have come, so that a GUI thread that looks every
// 250 ms never waits for a round trip.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

namespace platform::qt {

class WindowLookout {
public:
    explicit WindowLookout(unsigned pid);
    ~WindowLookout();
    WindowLookout(const WindowLookout&) = delete;
    WindowLookout& operator=(const WindowLookout&) = delete;

    // One step; true once a mapped window of the process has been seen, or
    // when there is no X display to look at.
    bool look();

private:
    enum class Step { Atoms, List, Windows };
    void askList();
    void askWindows(const std::vector<xcb_window_t>& windows);
    // The reply to sequence, once it has come; null until then, and null with
    // answered set for a request the server refused.
    void* answer(unsigned sequence, bool& answered);
    void forget();

    const unsigned pid_;
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    Step step_ = Step::Atoms;
    xcb_atom_t clientList_ = 0;
    xcb_atom_t windowPid_ = 0;
    // Questions sent and not answered yet: their sequence numbers.
    std::vector<unsigned> waiting_;
    bool listedByTheManager_ = true;
    // Per window asked: its owner's pid and whether it is mapped.
    std::vector<std::uint32_t> owners_;
    std::vector<bool> mapped_;
};

} // namespace platform::qt
