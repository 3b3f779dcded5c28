// SPDX-License-Identifier: MIT
#include "platform/qt/FrameExtents.h"
#include "platform/qt/XcbReply.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <set>

namespace platform::qt {

namespace {

// Four CARDINALs left, right, top, bottom, once the manager has set them.
std::optional<QMargins> readExtents(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t extents) {
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

bool managerAnswersRequests(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t request) {
    const xcb_atom_t supported = xcbAtom(connection, "_NET_SUPPORTED");
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 1024),
        nullptr));
    if (!reply || reply->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == request) return true;
    return false;
}

// Managers answer within a round trip or two; one still starting up may take
// longer, and a window placed without its frame would land off by the title
// bar. Waiting costs nothing when the answer comes at once.
constexpr int AnswerBoundMs = 2000;

// Waits until each window's property has changed, or the bound has passed.
void awaitPropertyChanges(xcb_connection_t* connection, std::set<xcb_window_t> windows,
                          xcb_atom_t property) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(AnswerBoundMs);
    while (!windows.empty()) {
        while (const XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(connection)}) {
            if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) continue;
            const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
            if (change->atom == property) windows.erase(change->window);
        }
        if (windows.empty() || xcb_connection_has_error(connection) != 0) return;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return;
        pollfd readable{xcb_get_file_descriptor(connection), POLLIN, 0};
        if (::poll(&readable, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) return;
    }
}

} // namespace

std::vector<std::optional<QMargins>> frameExtents(const std::vector<QWidget*>& windows) {
    std::vector<std::optional<QMargins>> frames(windows.size());
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (windows.empty() || x11 == nullptr || x11->connection() == nullptr) return frames;
    std::vector<xcb_window_t> ids;
    ids.reserve(windows.size());
    for (QWidget* window : windows)
        ids.push_back(static_cast<xcb_window_t>(window->winId()));
    // The windows must exist on the server before another connection asks
    // about them: a round trip on Qt's connection sees to that.
    std::free(xcb_get_input_focus_reply(x11->connection(), xcb_get_input_focus(x11->connection()),
                                        nullptr));

    // A connection of our own: Qt reads the events of its connection on a
    // thread of its own, while this one can wait for the manager's answer.
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> own(
        xcb_connect(qgetenv("DISPLAY").constData(), nullptr), &xcb_disconnect);
    xcb_connection_t* connection = own.get();
    if (xcb_connection_has_error(connection) != 0) return frames;
    const xcb_atom_t extents = xcbAtom(connection, "_NET_FRAME_EXTENTS");
    std::set<xcb_window_t> unanswered;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        // Selected before the first read, so that no answer can slip between.
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection, ids[i], XCB_CW_EVENT_MASK, &mask);
        frames[i] = readExtents(connection, ids[i], extents);
        if (!frames[i]) unanswered.insert(ids[i]);
    }
    if (unanswered.empty()) return frames;

    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t request = xcbAtom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (!managerAnswersRequests(connection, root, request)) return frames;
    for (const xcb_window_t id : unanswered) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = request;
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    }
    xcb_flush(connection);
    awaitPropertyChanges(connection, unanswered, extents);
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (!frames[i]) frames[i] = readExtents(connection, ids[i], extents);
    return frames;
}

FramesAskedTogether::FramesAskedTogether(const std::vector<QWidget*>& windows)
    : windows_(windows.begin(), windows.end()) {}

std::optional<QMargins> FramesAskedTogether::of(QWidget* window) {
    if (!asked_) {
        asked_ = true;
        std::vector<QWidget*> unshown;
        for (const QPointer<QWidget>& each : windows_)
            if (each && !each->isVisible()) unshown.push_back(each);
        const std::vector<std::optional<QMargins>> frames = frameExtents(unshown);
        for (std::size_t i = 0; i < unshown.size(); ++i)
            answers_[unshown[i]] = frames[i];
    }
    if (const auto known = answers_.find(window); known != answers_.end()) return known->second;
    // Not one of the interface's windows: asked alone.
    return answers_[window] = frameExtents({window}).front();
}

} // namespace platform::qt
