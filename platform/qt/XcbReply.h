// SPDX-License-Identifier: MIT
// The X server's replies, owned (xcb hands them over to be freed), and the
// atoms the desktop's window properties are named by.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform::qt {

struct FreeXcbReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeXcbReply>;

// XCB_ATOM_NONE when the server does not answer.
inline xcb_atom_t xcbAtom(xcb_connection_t* connection, const char* name) {
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

} // namespace platform::qt
