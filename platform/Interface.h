// SPDX-License-Identifier: MIT
// The windows, views and controls of the interface description, as the
// assistant's logic moves and fills them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Desktop coordinates: the origin is the lower-left corner of the primary
// screen and y grows upward. Backends convert at the last moment.
struct Point {
    double x = 0;
    double y = 0;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// A button, check box or text field.
class Control {
public:
    virtual ~Control() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    // A button's caption.
    virtual void setTitle(const std::string& title) = 0;
    // A text field's displayed text.
    virtual void setStringValue(const std::string& text) = 0;
    // Out of the window's layout and of what a screen reader reads, or back.
    virtual void setHidden(bool hidden) = 0;
    // A check box's state: 1 on, 0 off, -1 mixed; 0 for anything without one.
    virtual int state() const = 0;
};

// A content view that a window can show.
class View {
public:
    virtual ~View() = default;
};

class Window {
public:
    static constexpr int CloseButton = 0;

    virtual ~Window() = default;
    // Lays the window out for the texts it holds now and learns the frame
    // the window manager will give it, so that frame() then reads the frame
    // it will have on screen. Main thread; may wait, within a bound, for the
    // window manager's answer; changes nothing the user sees.
    virtual void prepareForDisplay() = 0;
    // Reads; changes nothing.
    virtual Rect frame() const = 0;
    // Moves the lower-left corner; the size stays.
    virtual void setFrameOrigin(Point origin) = 0;
    // Replaces the content view; the window's frame stays.
    virtual void setContentView(View* view) = 0;
    // On screen, in front of the assistant's other windows, and key.
    virtual void makeKeyAndOrderFront() = 0;
    // Off screen without closing it.
    virtual void orderOut() = 0;
    // The title-bar button of that kind as a control, or null.
    virtual Control* standardWindowButton(int kind) = 0;
    virtual bool isModalPanel() const = 0;
};

// The name of each element of the interface description, and the actions
// that the description wires to its controls.
class InterfaceDescription {
public:
    struct ActionBinding {
        Control* control;
        std::string selector;
    };

    virtual ~InterfaceDescription() = default;
    virtual Window* window(const std::string& name) = 0;
    virtual View* view(const std::string& name) = 0;
    virtual Control* control(const std::string& name) = 0;
    virtual std::vector<ActionBinding> actionBindings() = 0;
    // Calls handler on the main thread whenever the user activates control.
    virtual void onActivated(Control* control, std::function<void()> handler) = 0;
};

} // namespace platform
