// SPDX-License-Identifier: MIT
#include "platform/qt/Geometry.h"

#include <cmath>

namespace platform::qt {

Rect toDesktop(const QRect& qtRect, const QRect& primaryScreen) {
    const double primaryBottom = double(primaryScreen.y()) + primaryScreen.height();
    return {double(qtRect.x()) - primaryScreen.x(),
            primaryBottom - (double(qtRect.y()) + qtRect.height()), double(qtRect.width()),
            double(qtRect.height())};
}

QPoint toQtTopLeft(Point origin, double frameHeight, const QRect& primaryScreen) {
    const double primaryBottom = double(primaryScreen.y()) + primaryScreen.height();
    const double left = origin.x + primaryScreen.x();
    const double top = primaryBottom - origin.y - frameHeight;
    return {int(std::lround(left)), int(std::lround(top))};
}

} // namespace platform::qt
