// SPDX-License-Identifier: MIT
#include "app/Outlets.h"

namespace {

class UnconnectedControl final : public platform::Control {
public:
    void setEnabled(bool) override {}
    bool isEnabled() const override { return false; }
    void setTitle(const std::string&) override {}
    void setStringValue(const std::string&) override {}
    void setHidden(bool) override {}
    int state() const override { return 0; }
};

class UnconnectedWindow final : public platform::Window {
public:
    void prepareForDisplay() override {}
    platform::Rect frame() const override { return {}; }
    void setFrameOrigin(platform::Point) override {}
    void setContentView(platform::View*) override {}
    void makeKeyAndOrderFront() override {}
    void orderOut() override {}
    platform::Control* standardWindowButton(int) override { return nullptr; }
    bool isModalPanel() const override { return false; }
};

} // namespace

platform::Window& on(platform::Window* window) {
    static UnconnectedWindow unconnected;
    return window != nullptr ? *window : unconnected;
}

platform::Control& on(platform::Control* control) {
    static UnconnectedControl unconnected;
    return control != nullptr ? *control : unconnected;
}
