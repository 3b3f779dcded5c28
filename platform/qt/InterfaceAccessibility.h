// SPDX-License-Identifier: MIT
// What assistive technology is told about the interface's screens, beyond
// what Qt tells of any widget. A screen (a widget with a primary control)
// is a named pane: a screen reader says its heading and the texts on it when
// the focus enters it, as it does for a dialog. A window lists only the
// screen it shows: a screen kept hidden for later is not in the tree, so no
// screen reader can learn, and keep, the hidden state of its texts; nor is
// anything else told of a hidden widget until it shows.
#pragma once

class QString;
class QWidget;

namespace platform::qt {

// Before the first window is shown; again is harmless.
void installInterfaceAccessibility();

// The name assistive technology knows the application by: its title.
void setAccessibleApplicationName(const QString& title);

// After `window` has changed the screen it shows: its children changed.
void screensChanged(QWidget* window);

// A text that came into view in `window` while it is shown: said to a
// screen reader ahead of the focused control's own description, since Orca
// speaks a change of the focused control's description and nothing of a
// label appearing.
void announceInFocus(QWidget* window, const QString& text);

} // namespace platform::qt
