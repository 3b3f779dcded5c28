// SPDX-License-Identifier: MIT
#include "platform/qt/WindowIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace platform::qt {

QIcon windowIconFrom(const QString& path) {
    // Rendered here rather than through Qt's SVG icon plugin, which a
    // desktop may lack; the library itself is a dependency of the package.
    // Up to 64 px, which title bars and task bars use (Qt scales for larger
    // requests): above 64 KiB an image is converted on Qt's thread pool, and
    // a start-up that needs no threads of that kind should not get them.
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return {};
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
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
