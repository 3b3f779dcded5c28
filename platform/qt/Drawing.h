// SPDX-License-Identifier: MIT
// A drawing of the interface description: an SVG file of the bundle, drawn
// at whatever size and pixel density the widget has, and mirrored where the
// window is (it holds no text). Decoration only: a file that is missing or
// unreadable leaves the place blank.
#pragma once

#include <QWidget>

class QSvgRenderer;

namespace platform::qt {

class Drawing final : public QWidget {
    Q_OBJECT

public:
    explicit Drawing(QWidget* parent = nullptr);

    void load(const QString& path);
    // False when the file loaded last cannot be drawn.
    bool isDrawn() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_; // a child
};

} // namespace platform::qt
