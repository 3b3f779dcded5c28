// SPDX-License-Identifier: MIT
#include "platform/qt/QtWidgets.h"

#include "platform/qt/Geometry.h"
#include "platform/qt/InterfaceAccessibility.h"
#include "platform/qt/WindowKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace platform::qt {

std::optional<QString> translatedId(const QByteArray& id) {
    if (id.isEmpty()) return std::nullopt;
    QString text = qtTrId(id.constData());
    if (text == QString::fromLatin1(id)) return std::nullopt;
    return text;
}

void describeLock(QWidget* widget, bool locked) {
    const QByteArray lockedId = widget->property("lockedDescriptionId").toByteArray();
    if (lockedId.isEmpty()) return;
    const QByteArray id =
        locked ? lockedId : widget->property("accessibleDescriptionId").toByteArray();
    widget->setAccessibleDescription(translatedId(id).value_or(QString()));
}

namespace {

// Why a window cannot be closed names what unlocks it, which is on one
// screen: the screen carries the sentence, and the window says it only
// while that screen shows and the lock holds.
void describeWindowLock(QWidget* window, bool locked) {
    const auto* mainWindow = qobject_cast<QMainWindow*>(window);
    const QWidget* screen = mainWindow != nullptr ? mainWindow->centralWidget() : nullptr;
    const QByteArray id =
        locked && screen != nullptr ? screen->property("lockedDescriptionId").toByteArray() : "";
    // Told only when it changes: each setting is an event a screen reader hears.
    const QString description = translatedId(id).value_or(QString());
    if (window->accessibleDescription() != description)
        window->setAccessibleDescription(description);
}

} // namespace

QRect primaryScreenGeometry() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect();
}

void bringShownWindowForward() {
    QWidget* window = QApplication::activeWindow();
    const QWidgetList tops = QApplication::topLevelWidgets();
    if (window == nullptr) {
        const auto shown = std::find_if(tops.begin(), tops.end(),
                                        [](const QWidget* top) { return top->isVisible(); });
        window = shown != tops.end() ? *shown : nullptr;
    }
    if (window == nullptr) return;
    window->raise();
    window->activateWindow();
}

void QtControl::setEnabled(bool enabled) {
    if (!widget_) return;
    widget_->setEnabled(enabled);
    describeLock(widget_, !enabled);
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

namespace {

// Grows a window to what its texts need, in the language they are in now:
// its minimum size, and the height its word-wrapped labels need at its
// width. Never shrinks it.
void fitToContent(QWidget* window) {
    window->ensurePolished();
    QWidget* screen = currentScreen(window);
    if (QLayout* layout = screen->layout()) layout->activate();
    if (QLayout* layout = window->layout()) layout->activate();
    QSize wanted = window->size().expandedTo(window->minimumSizeHint());
    if (QLayout* layout = screen->layout(); layout != nullptr && layout->hasHeightForWidth()) {
        const int chrome = window->height() - screen->height();
        const int screenWidth = wanted.width() - (window->width() - screen->width());
        wanted.setHeight(
            std::max(wanted.height(), layout->totalHeightForWidth(screenWidth) + chrome));
    }
    if (wanted != window->size()) window->resize(wanted);
}

// A line with a pattern shows its value, or is gone without one. One that
// appears in a window already on screen is told to a screen reader at once
// through the focused control's description: a label coming into view is
// not spoken by itself.
void setLabelText(QLabel* label, const QString& value) {
    const QVariant pattern = label->property("textPattern");
    if (!pattern.isValid()) {
        label->setText(value);
        return;
    }
    const bool wasShown = label->isVisible();
    label->setText(value.isEmpty() ? QString() : pattern.toString().arg(value));
    label->setVisible(!value.isEmpty());
    if (!value.isEmpty() && !wasShown && label->window()->isVisible()) {
        // A window on screen grows by what the line needs; it never shrinks.
        fitToContent(label->window());
        announceInFocus(label->window(), label->text());
    }
}

} // namespace

void QtControl::setText(const std::string& text) {
    const QString value = QString::fromStdString(text);
    // A button takes "&" as the mark of its shortcut key; a title shows it
    // as written.
    if (auto* button = qobject_cast<QAbstractButton*>(widget_))
        button->setText(QString(value).replace(QLatin1Char('&'), QLatin1String("&&")));
    else if (auto* label = qobject_cast<QLabel*>(widget_))
        setLabelText(label, value);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget_))
        edit->setText(value);
}

void QtControl::setHidden(bool hidden) {
    if (widget_) widget_->setVisible(!hidden);
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
    window_->setWindowFlags(window_->windowType() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                            Qt::WindowCloseButtonHint);
}

void CloseButtonControl::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!window_) return;
    // QWidget::setWindowFlags() re-creates a shown window: it is unmapped,
    // mapped again (moving by its title bar under a window manager) and
    // loses its focus. The platform window takes new hints in place; the
    // widget is only told what they are now.
    Qt::WindowFlags flags = window_->windowFlags();
    flags.setFlag(Qt::WindowCloseButtonHint, enabled);
    window_->overrideWindowFlags(flags);
    if (QWindow* handle = window_->windowHandle()) handle->setFlags(flags);
    describe();
}

void CloseButtonControl::describe() {
    if (window_) describeWindowLock(window_, !enabled_);
}

bool CloseButtonControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close && !enabled_) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QtWindow::QtWindow(QWidget* widget, FramesAskedTogether& frames)
    : widget_(widget), closeButton_(std::make_unique<CloseButtonControl>(widget)), frames_(frames) {
}

void QtWindow::prepareForDisplay() {
    if (!widget_) return;
    fitToContent(widget_);
    if (widget_->isVisible()) return;
    // A window that was never shown has no platform window yet, and so no
    // frame; the window manager tells the one it will give (X11 only).
    widget_->winId();
    if (!extents_) extents_ = frames_.of(widget_);
}

std::optional<QMargins> QtWindow::pendingFrame() const {
    // Qt places a window by its frame once it knows the frame: once mapped,
    // or once it has read the manager's answer (asked before another window
    // came up, it has had time to). Until then the answer is ours to apply.
    if (!widget_ || widget_->isVisible() || widget_->frameGeometry() != widget_->geometry())
        return std::nullopt;
    return extents_;
}

Rect QtWindow::frame() const {
    if (!widget_) return {};
    if (const std::optional<QMargins> margins = pendingFrame())
        return toDesktop(widget_->geometry().marginsAdded(*margins), primaryScreenGeometry());
    return toDesktop(widget_->frameGeometry(), primaryScreenGeometry());
}

void QtWindow::setFrameOrigin(Point origin) {
    if (!widget_) return;
    // Before it is mapped, Qt places a window's client where it is told:
    // place it inside the frame the window manager said it will get.
    if (const std::optional<QMargins> margins = pendingFrame()) {
        const QRect frame = widget_->geometry().marginsAdded(*margins);
        const QPoint topLeft = toQtTopLeft(origin, frame.height(), primaryScreenGeometry());
        widget_->move(topLeft + QPoint(margins->left(), margins->top()));
        return;
    }
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
    screensChanged(mainWindow);
    closeButton_->describe();
    mainWindow->resize(size);
    fitToContent(mainWindow);
    // The hidden screen's control must not keep the focus (a screen reader
    // would read it); the new screen's primary control takes it.
    focusPrimaryControl(mainWindow);
}

void QtWindow::makeKeyAndOrderFront() {
    if (!widget_) return;
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
    focusPrimaryControl(widget_);
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
