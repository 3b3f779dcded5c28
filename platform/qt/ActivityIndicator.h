// SPDX-License-Identifier: MIT
// A small indeterminate activity indicator: a ring of dots whose bright one
// goes round while the assistant waits. It steps twice a second and only
// while it shows, so a hidden or minimized window costs no wakeups.
#pragma once

#include <QBasicTimer>
#include <QWidget>

namespace platform::qt {

class ActivityIndicator final : public QWidget {
    Q_OBJECT

public:
    explicit ActivityIndicator(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {22, 22}; }
    bool isRunning() const { return timer_.isActive(); }

    static constexpr int Dots = 8;
    static constexpr int StepMilliseconds = 500;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void start();

    QBasicTimer timer_;
    int lead_ = 0;
};

} // namespace platform::qt
