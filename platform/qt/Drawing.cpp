// SPDX-License-Identifier: MIT
#include "platform/qt/Drawing.h"

#include <QPainter>
#include <QSvgRenderer>

namespace platform::qt {

Drawing::Drawing(QWidget* parent) : QWidget(parent), renderer_(new QSvgRenderer(this)) {}

void Drawing::load(const QString& path) {
    renderer_->load(path);
    update();
}

bool Drawing::isDrawn() const {
    return renderer_->isValid();
}

void Drawing::paintEvent(QPaintEvent* /*event*/) {
    if (!renderer_->isValid()) return;
    // The drawing's own proportions, as large as the widget allows, centred.
    QSizeF size = renderer_->viewBoxF().size();
    size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    QRectF target(QPointF(), size);
    target.moveCenter(QRectF(rect()).center());
    QPainter painter(this);
    // Mirrored with the window, so that the cable still leads to what follows.
    if (isRightToLeft()) painter.setTransform(QTransform(-1, 0, 0, 1, width(), 0));
    renderer_->render(&painter, target);
}

} // namespace platform::qt
