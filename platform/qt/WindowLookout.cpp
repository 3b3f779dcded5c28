// SPDX-License-Identifier: MIT
#include "platform/qt/WindowLookout.h"

#include "platform/qt/XcbReply.h"

#include <QGuiApplication>

// xcb's own reading of one reply, without waiting for it.
#include <xcb/xcbext.h>

#include <algorithm>
#include <cstring>

namespace platform::qt {

namespace {

unsigned internAtom(xcb_connection_t* connection, const char* name) {
    return xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name)
        .sequence;
}

} // namespace

WindowLookout::WindowLookout(unsigned pid) : pid_(pid) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return;
    connection_ = x11->connection();
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    waiting_ = {internAtom(connection_, "_NET_CLIENT_LIST"),
                internAtom(connection_, "_NET_WM_PID")};
    xcb_flush(connection_);
}

WindowLookout::~WindowLookout() {
    forget();
}

void WindowLookout::forget() {
    // Answers still to come are dropped by xcb as they arrive.
    for (const unsigned sequence : waiting_)
        if (sequence != 0) xcb_discard_reply(connection_, sequence);
    waiting_.clear();
}

void* WindowLookout::answer(unsigned sequence, bool& answered) {
    void* reply = nullptr;
    xcb_generic_error_t* error = nullptr;
    answered = xcb_poll_for_reply(connection_, sequence, &reply, &error) != 0;
    std::free(error);
    return reply;
}

void WindowLookout::askList() {
    // The window manager's list of its clients, else (no manager, or one
    // that keeps none) the root's children.
    waiting_ = {listedByTheManager_
                    ? xcb_get_property(connection_, 0, root_, clientList_, XCB_ATOM_WINDOW, 0, 4096)
                          .sequence
                    : xcb_query_tree(connection_, root_).sequence};
    step_ = Step::List;
    xcb_flush(connection_);
}

void WindowLookout::askWindows(const std::vector<xcb_window_t>& windows) {
    waiting_.clear();
    for (const xcb_window_t window : windows) {
        waiting_.push_back(
            xcb_get_property(connection_, 0, window, windowPid_, XCB_ATOM_CARDINAL, 0, 1).sequence);
        waiting_.push_back(xcb_get_window_attributes(connection_, window).sequence);
    }
    owners_.assign(windows.size(), 0);
    mapped_.assign(windows.size(), false);
    step_ = Step::Windows;
    xcb_flush(connection_);
}

bool WindowLookout::look() {
    if (connection_ == nullptr) return true;
    bool answered = false;
    switch (step_) {
    case Step::Atoms: {
        for (std::size_t i = 0; i < waiting_.size(); ++i) {
            if (waiting_[i] == 0) continue;
            const XcbReply<xcb_intern_atom_reply_t> atom(
                static_cast<xcb_intern_atom_reply_t*>(answer(waiting_[i], answered)));
            if (!answered) return false;
            (i == 0 ? clientList_ : windowPid_) = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
            waiting_[i] = 0;
        }
        askList();
        return false;
    }
    case Step::List: {
        void* reply = answer(waiting_.front(), answered);
        if (!answered) return false;
        waiting_.clear();
        std::vector<xcb_window_t> windows;
        if (listedByTheManager_) {
            const XcbReply<xcb_get_property_reply_t> list(
                static_cast<xcb_get_property_reply_t*>(reply));
            if (list && list->format == 32 && xcb_get_property_value_length(list.get()) > 0) {
                const auto* found =
                    static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
                windows.assign(found, found + xcb_get_property_value_length(list.get()) / 4);
            } else {
                listedByTheManager_ = false;
            }
        } else {
            const XcbReply<xcb_query_tree_reply_t> tree(
                static_cast<xcb_query_tree_reply_t*>(reply));
            if (tree) {
                const xcb_window_t* children = xcb_query_tree_children(tree.get());
                windows.assign(children, children + xcb_query_tree_children_length(tree.get()));
            }
        }
        if (windows.empty())
            askList();
        else
            askWindows(windows);
        return false;
    }
    case Step::Windows:
        for (std::size_t i = 0; i < waiting_.size(); ++i) {
            if (waiting_[i] == 0) continue;
            void* reply = answer(waiting_[i], answered);
            if (!answered) return false;
            waiting_[i] = 0;
            if (i % 2 == 0) {
                const XcbReply<xcb_get_property_reply_t> owner(
                    static_cast<xcb_get_property_reply_t*>(reply));
                if (owner && owner->format == 32 && xcb_get_property_value_length(owner.get()) == 4)
                    owners_[i / 2] =
                        *static_cast<const std::uint32_t*>(xcb_get_property_value(owner.get()));
            } else {
                const XcbReply<xcb_get_window_attributes_reply_t> attributes(
                    static_cast<xcb_get_window_attributes_reply_t*>(reply));
                mapped_[i / 2] = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            }
        }
        for (std::size_t w = 0; w < owners_.size(); ++w)
            if (owners_[w] == pid_ && mapped_[w]) return true;
        askList();
        return false;
    }
    return false;
}

} // namespace platform::qt
