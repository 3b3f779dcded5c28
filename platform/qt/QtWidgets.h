// SPDX-License-Identifier: MIT
// Qt widgets behind the platform's windows, views and controls. The widgets
// belong to the interface description; these wrappers only point at them.
#pragma once

#include "platform/Platform.h"
#include "platform/qt/FrameExtents.h"

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

namespace platform::qt {

class QtControl final : public Control {
public:
    explicit QtControl(QWidget* widget) : widget_(widget) {}

    void setEnabled(bool enabled) override;
    bool isEnabled() const override;
    void setTitle(const std::string& title) override;
    void setStringValue(const std::string& text) override;
    void setHidden(bool hidden) override;
    int state() const override;

    QWidget* widget() const { return widget_; }

private:
    void setText(const std::string& text);

    QPointer<QWidget> widget_;
};

class QtView final : public View {
public:
    explicit QtView(QWidget* widget) : widget_(widget) {}
    QWidget* widget() const { return widget_; }

private:
    QPointer<QWidget> widget_;
};

// The title bar's close button. While disabled the window refuses to be
// closed by the user, whatever the window manager shows.
class CloseButtonControl final : public QObject, public Control {
public:
    explicit CloseButtonControl(QWidget* window);

    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }
    void setTitle(const std::string&) override {}
    void setStringValue(const std::string&) override {}
    // A title bar's button comes and goes with the window manager's frame.
    void setHidden(bool) override {}
    int state() const override { return 0; }
    // The window's accessible description, after its lock or its screen changed.
    void describe();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    bool enabled_ = true;
};

class QtWindow final : public Window {
public:
    QtWindow(QWidget* widget, FramesAskedTogether& frames);

    void prepareForDisplay() override;
    Rect frame() const override;
    void setFrameOrigin(Point origin) override;
    void setContentView(View* view) override;
    void makeKeyAndOrderFront() override;
    void orderOut() override;
    Control* standardWindowButton(int kind) override;
    bool isModalPanel() const override;

    QWidget* widget() const { return widget_; }

private:
    // The frame the window manager said it will give the window, while Qt
    // does not know it yet.
    std::optional<QMargins> pendingFrame() const;

    QPointer<QWidget> widget_;
    std::unique_ptr<CloseButtonControl> closeButton_;
    FramesAskedTogether& frames_;
    std::optional<QMargins> extents_;
};

// The translation of a text id of the interface description; nothing when
// the id is empty or has no translation (the file's own text then stays).
std::optional<QString> translatedId(const QByteArray& id);

// A control or window whose interface description gives a description for
// its locked state ("lockedDescriptionId") says why it is locked while it
// is, and what it does otherwise ("accessibleDescriptionId").
void describeLock(QWidget* widget, bool locked);

// The primary screen's geometry, the reference of desktop coordinates.
QRect primaryScreenGeometry();

// Qt brings a window forward, not an application: raises and activates the
// window that has focus, or else the first one on screen.
void bringShownWindowForward();

} // namespace platform::qt
