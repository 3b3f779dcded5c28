// SPDX-License-Identifier: MIT
#include "platform/qt/WindowKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPushButton>

namespace platform::qt {

namespace {

QWidget* named(QWidget* screen, const char* property) {
    const QString name = screen->property(property).toString();
    if (name.isEmpty()) return nullptr;
    if (screen->objectName() == name) return screen;
    return screen->findChild<QWidget*>(name);
}

bool usable(const QWidget* widget) {
    return widget != nullptr && widget->isVisible() && widget->isEnabled();
}

QPushButton* defaultButton(QWidget* screen) {
    for (QPushButton* button : screen->findChildren<QPushButton*>())
        if (button->isDefault() && usable(button)) return button;
    return nullptr;
}

} // namespace

QWidget* currentScreen(QWidget* window) {
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window))
        if (QWidget* central = mainWindow->centralWidget()) return central;
    return window;
}

void focusPrimaryControl(QWidget* window) {
    if (window == nullptr) return;
    QWidget* primary = named(currentScreen(window), "primaryControl");
    if (primary == nullptr) return;
    primary->setFocus(Qt::TabFocusReason);
    // Styles draw the focus ring only after focus moved by keyboard; a
    // window that is not active yet would not learn that from setFocus().
    window->setAttribute(Qt::WA_KeyboardFocusChange);
}

WindowKeys::WindowKeys(QWidget* window) : QObject(window) {
    window->installEventFilter(this);
}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* window = static_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    QWidget* screen = currentScreen(window);

    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        QPushButton* target = focused != nullptr && window->isAncestorOf(focused) && usable(focused)
                                  ? focused
                                  : defaultButton(screen);
        if (target == nullptr) return false;
        target->click();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        auto* escape = qobject_cast<QPushButton*>(named(screen, "escapeButton"));
        // Consumed even when there is none: Escape must not close a window.
        if (usable(escape)) escape->click();
        return true;
    }
    return false;
}

} // namespace platform::qt
