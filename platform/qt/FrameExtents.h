// SPDX-License-Identifier: MIT
// The window manager's frame around a window that is not mapped yet: X11
// lets a client ask for it (_NET_REQUEST_FRAME_EXTENTS), and the manager
// answers by setting _NET_FRAME_EXTENTS on the window. Qt learns a frame only
// once the window is mapped, and until then takes a position for the client
// (static gravity): a first placement would be off by the title bar.
#pragma once

#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <map>
#include <optional>
#include <vector>

namespace platform::qt {

// The frames the window manager gives (or will give) the windows, in their
// order: nothing for any on a display that is not X11, or without a manager
// that answers within two seconds. The windows are asked together, so that
// one wait covers them all. Waits for the manager's answer, not polling:
// main thread only.
std::vector<std::optional<QMargins>> frameExtents(const std::vector<QWidget*>& windows);

// The frames of the interface's windows, asked once, all together, the first
// time any of them is wanted: that is before the first window is shown, so
// that a window placed later (a prompt over the main window) never waits on
// the manager while another is up.
class FramesAskedTogether {
public:
    explicit FramesAskedTogether(const std::vector<QWidget*>& windows);

    std::optional<QMargins> of(QWidget* window);

private:
    std::vector<QPointer<QWidget>> windows_;
    std::map<const QWidget*, std::optional<QMargins>> answers_;
    bool asked_ = false;
};

} // namespace platform::qt
