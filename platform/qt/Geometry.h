// SPDX-License-Identifier: MIT
// The assistant places windows in desktop coordinates: origin at the
// lower-left corner of the primary screen, y growing upward, doubles. Qt
// measures from the top-left, y growing downward, in whole pixels. These are
// the only conversions between the two.
#pragma once

#include "platform/Platform.h"

#include <QPoint>
#include <QRect>

namespace platform::qt {

Rect toDesktop(const QRect& qtRect, const QRect& primaryScreen);

// Qt's top-left position for a window of frameHeight whose lower-left corner
// goes to origin.
QPoint toQtTopLeft(Point origin, double frameHeight, const QRect& primaryScreen);

} // namespace platform::qt
