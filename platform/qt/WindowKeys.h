// SPDX-License-Identifier: MIT
// What the keyboard does in the assistant's windows, and where focus goes.
// The interface description names, on each screen (a window, or a content
// view of the main window), its primary control ("primaryControl") and the
// button Escape stands for ("escapeButton"); Return activates the focused
// push button, else the screen's default button. Where the description names
// no Escape button, leaving by keyboard is not offered (the connect screen
// is locked until the skip box is ticked).
#pragma once

#include <QObject>

class QWidget;

namespace platform::qt {

// The screen a window shows now: a main window's central widget, or the
// window itself.
QWidget* currentScreen(QWidget* window);

// Gives keyboard focus, with a visible focus ring, to the current screen's
// primary control. For a window not yet active, the focus waits for it.
void focusPrimaryControl(QWidget* window);

// Installed on each top-level window; a child of it.
class WindowKeys final : public QObject {
public:
    explicit WindowKeys(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace platform::qt
