// SPDX-License-Identifier: MIT
#include "platform/qt/ActivityIndicator.h"

#include <QPainter>
#include <QTimerEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::qt {

ActivityIndicator::ActivityIndicator(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ActivityIndicator::paintEvent(QPaintEvent* /*event*/) {
    // A window shown again after it was minimized, or brought back from
    // another workspace, paints first. A paint of a hidden indicator (into
    // an image, say) starts nothing.
    if (!timer_.isActive() && isVisible()) start();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPointF centre = QRectF(rect()).center();
    const double side = std::min(width(), height());
    const double dot = side / 7.0;
    const double radius = side / 2.0 - dot;
    QColor colour = palette().color(QPalette::Highlight);
    for (int i = 0; i < Dots; ++i) {
        // The lead dot at full strength, the ones behind it fading out; the
        // ring turns the way the text runs.
        const int behind = (lead_ - i + Dots) % Dots;
        colour.setAlphaF(std::max(0.2F, 1.0F - 0.2F * static_cast<float>(behind)));
        painter.setBrush(colour);
        const double turn = (isRightToLeft() ? -1.0 : 1.0) * 2.0 * std::numbers::pi * i / Dots;
        const QPointF at(centre.x() + radius * std::sin(turn),
                         centre.y() - radius * std::cos(turn));
        painter.drawEllipse(at, dot, dot);
    }
}

void ActivityIndicator::start() {
    // Coarse: the system may fold these wakeups into others.
    timer_.start(StepMilliseconds, Qt::CoarseTimer, this);
}

void ActivityIndicator::showEvent(QShowEvent* /*event*/) {
    start();
}

void ActivityIndicator::hideEvent(QHideEvent* /*event*/) {
    timer_.stop();
}

void ActivityIndicator::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) return;
    // A minimized window, or one on another workspace, is still visible to
    // Qt but not exposed: nothing to draw on until it is, and it paints then.
    const QWindow* handle = window()->windowHandle();
    if (!isVisible() || handle == nullptr || !handle->isExposed()) {
        timer_.stop();
        return;
    }
    lead_ = (lead_ + 1) % Dots;
    update();
}

} // namespace platform::qt
