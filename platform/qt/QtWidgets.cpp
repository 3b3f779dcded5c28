#include "platform/qt/QtWidgets.h"

#include "platform/qt/Geometry.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>

namespace platform::qt {

QRect primaryScreenGeometry() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect();
}

void QtControl::setEnabled(bool enabled) {
    if (widget_) widget_->setEnabled(enabled);
}

bool QtControl::isEnabled() const {
    return widget_ && widget_->isEnabled();
}

void QtControl::setTitle(const std::string& title) {
    setText(title);
}

void QtControl::setStringValue(const std::string& text) {
    setText(text);
}

void QtControl::setText(const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget_))
        button->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(widget_))
        label->setText(value);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget_))
        edit->setText(value);
}

int QtControl::state() const {
    if (auto* box = qobject_cast<QCheckBox*>(widget_)) {
        switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return -1;
        case Qt::Unchecked:
            return 0;
        }
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget_))
        return button->isCheckable() && button->isChecked() ? 1 : 0;
    return 0;
}

CloseButtonControl::CloseButtonControl(QWidget* window) : window_(window) {
    if (!window_) return;
    window_->installEventFilter(this);
    // Without CustomizeWindowHint the close-button hint is not honoured.
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                            Qt::WindowCloseButtonHint);
}

void CloseButtonControl::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!window_) return;
    // Changing a shown window's flags hides it; show it again where it was.
    const bool visible = window_->isVisible();
    const QPoint position = window_->pos();
    window_->setWindowFlag(Qt::WindowCloseButtonHint, enabled);
    if (visible) {
        window_->move(position);
        window_->show();
    }
}

bool CloseButtonControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close && !enabled_) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QtWindow::QtWindow(QWidget* widget)
    : widget_(widget), closeButton_(std::make_unique<CloseButtonControl>(widget)) {}

Rect QtWindow::frame() const {
    if (!widget_) return {};
    // A window that was never shown has no platform window yet, and so no
    // decorations in its frame; create it so that the frame is the real one.
    widget_->winId();
    return toDesktop(widget_->frameGeometry(), primaryScreenGeometry());
}

void QtWindow::setFrameOrigin(Point origin) {
    if (!widget_) return;
    widget_->move(toQtTopLeft(origin, widget_->frameGeometry().height(), primaryScreenGeometry()));
}

void QtWindow::setContentView(View* view) {
    auto* mainWindow = qobject_cast<QMainWindow*>(widget_);
    auto* qtView = dynamic_cast<QtView*>(view);
    if (mainWindow == nullptr || qtView == nullptr || qtView->widget() == nullptr) return;
    QWidget* content = qtView->widget();
    if (mainWindow->centralWidget() == content) return;

    // The previous content keeps its controls (they are outlets too): keep it
    // alive, hidden, instead of letting the window delete it.
    const QSize size = mainWindow->size();
    if (QWidget* previous = mainWindow->takeCentralWidget()) {
        previous->hide();
        previous->setParent(mainWindow);
    }
    mainWindow->setCentralWidget(content);
    content->show();
    mainWindow->resize(size);
}

void QtWindow::makeKeyAndOrderFront() {
    if (!widget_) return;
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

void QtWindow::orderOut() {
    if (widget_) widget_->hide();
}

Control* QtWindow::standardWindowButton(int kind) {
    return kind == CloseButton ? closeButton_.get() : nullptr;
}

bool QtWindow::isModalPanel() const {
    return widget_ && widget_->isModal();
}

} // namespace platform::qt
