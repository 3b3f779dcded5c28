// SPDX-License-Identifier: MIT
#include "platform/qt/WindowIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace platform::qt {

QIcon windowIconFrom(const QString& path) {
    // Rendered here rather than through Qt's SVG icon plugin, which a
    // desktop may lack; the library itself is a dependency of the package.
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return {};
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace platform::qt
