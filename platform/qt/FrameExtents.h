// SPDX-License-Identifier: MIT
// The window manager's frame around a window that is not mapped yet: X11
// lets a client ask for it (_NET_REQUEST_FRAME_EXTENTS), and the manager
// answers by setting _NET_FRAME_EXTENTS on the window. Qt learns a frame only
// once the window is mapped, and until then takes a position for the client
// (static gravity): a first placement would be off by the title bar.
#pragma once

#include <QMargins>

#include <optional>

class QWidget;

namespace platform::qt {

// The frame the window manager gives (or will give) the window; nothing on
// a display that is not X11, or without a manager that answers within two
// seconds. Waits for the manager's answer, not polling: main thread only.
std::optional<QMargins> frameExtents(QWidget* window);

} // namespace platform::qt
