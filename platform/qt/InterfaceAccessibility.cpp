// SPDX-License-Identifier: MIT
#include "platform/qt/InterfaceAccessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QWidget>
#include <QWindow>

namespace platform::qt {

namespace {

bool isScreen(const QWidget* widget) {
    return widget->property("primaryControl").isValid();
}

// A label beside its control that repeats the control's title adds nothing
// but a second reading of it.
bool repeatsItsBuddy(const QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (label == nullptr || label->buddy() == nullptr) return false;
    const QAccessibleInterface* buddy = QAccessible::queryAccessibleInterface(label->buddy());
    return buddy != nullptr && buddy->text(QAccessible::Name) == label->text();
}

// What a widget shows to assistive technology as its children: those Qt
// would list, but not a screen that is kept hidden, a repeated title, nor a
// decoration (a drawing, an activity indicator) that would be read out as
// "image" or "animation" whenever the screen is.
QList<QWidget*> shownChildren(const QWidget* parent) {
    QList<QWidget*> children;
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child == nullptr || child->isWindow()) continue;
        if ((isScreen(child) && child->isHidden()) || repeatsItsBuddy(child) ||
            child->property("decorative").toBool())
            continue;
        children.append(child);
    }
    return children;
}

class ShownChildren : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return static_cast<int>(shownChildren(widget()).size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = shownChildren(widget());
        if (index < 0 || index >= children.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        auto* widget = qobject_cast<QWidget*>(child->object());
        return widget != nullptr ? static_cast<int>(shownChildren(this->widget()).indexOf(widget))
                                 : -1;
    }
};

// The heading is the screen's first label: its bold request or question.
class ScreenPane : public ShownChildren {
public:
    explicit ScreenPane(QWidget* screen) : ShownChildren(screen, QAccessible::Pane) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            if (const auto* heading = widget()->findChild<QLabel*>()) return heading->text();
        return QAccessibleWidget::text(kind);
    }
};

// Qt tells assistive technology when a widget starts or stops showing, but
// never that it became visible. A screen reader told anything of a hidden
// widget (its text set, say) reads its state then and keeps it invisible
// for good: a label filled while its screen was hidden could never be read.
// So nothing is told of a hidden widget but its showing and its end; once
// shown, it is read afresh.
bool toldWhileHidden(QAccessible::Event type) {
    return type == QAccessible::ObjectShow || type == QAccessible::ObjectHide ||
           type == QAccessible::ObjectDestroyed;
}

void updateUnlessHidden(QAccessibleEvent* event) {
    const auto* widget = qobject_cast<QWidget*>(event->object());
    if (widget != nullptr && !widget->isVisible() && !toldWhileHidden(event->type())) return;
    // Qt's own delivery is what runs without a handler.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(updateUnlessHidden);
}

QString& applicationTitle() {
    static QString title;
    return title;
}

// The application as Qt presents it, but named by its title: a screen
// reader and a braille line show this name, not the program's file name.
class TitledApplication : public QAccessibleObject {
public:
    using QAccessibleObject::QAccessibleObject;

    QAccessibleInterface* parent() const override { return nullptr; }
    int childCount() const override { return static_cast<int>(windows().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QAccessibleInterface*> all = windows();
        return index >= 0 && index < all.size() ? all.at(index) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return static_cast<int>(windows().indexOf(const_cast<QAccessibleInterface*>(child)));
    }
    QAccessibleInterface* focusChild() const override {
        QWindow* window = QGuiApplication::focusWindow();
        return window != nullptr ? window->accessibleRoot() : nullptr;
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return applicationTitle().isEmpty() ? QGuiApplication::applicationName()
                                                : applicationTitle();
        if (kind == QAccessible::Description) return QGuiApplication::applicationFilePath();
        return {};
    }
    QAccessible::Role role() const override { return QAccessible::Application; }
    QAccessible::State state() const override { return {}; }

private:
    static QList<QAccessibleInterface*> windows() {
        QList<QAccessibleInterface*> roots;
        for (QWindow* window : QGuiApplication::topLevelWindows()) {
            if (window->type() == Qt::Popup || window->type() == Qt::Desktop) continue;
            if (QAccessibleInterface* root = window->accessibleRoot(); root && root->object())
                roots.append(root);
        }
        return roots;
    }
};

QAccessibleInterface* interfaceAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("QApplication")) return new TitledApplication(object);
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return nullptr;
    if (className == QLatin1String("QMainWindow"))
        return new ShownChildren(widget, QAccessible::Window);
    if (className == QLatin1String("QWidget") && isScreen(widget) && !widget->isWindow())
        return new ScreenPane(widget);
    return nullptr;
}

} // namespace

void installInterfaceAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceAccessible);
        QAccessible::installUpdateHandler(updateUnlessHidden);
        return true;
    }();
    static_cast<void>(installed);
}

void setAccessibleApplicationName(const QString& title) {
    applicationTitle() = title;
}

void announceInFocus(QWidget* window, const QString& text) {
    QWidget* focus = window->focusWidget();
    if (focus == nullptr) return;
    // The control's own description is kept aside, so that a second text
    // replaces the first rather than adding to it.
    if (!focus->property("ownDescription").isValid())
        focus->setProperty("ownDescription", focus->accessibleDescription());
    const QString own = focus->property("ownDescription").toString();
    focus->setAccessibleDescription(own.isEmpty() ? text : text + QLatin1Char(' ') + own);
}

void screensChanged(QWidget* window) {
    QAccessibleEvent event(window, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

} // namespace platform::qt
