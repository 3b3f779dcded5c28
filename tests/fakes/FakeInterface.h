// SPDX-License-Identifier: MIT
// An interface description made of fakes: an element for every outlet of the
// controller, by name.
#pragma once

#include "tests/fakes/FakePlatform.h"

#include <map>
#include <memory>

namespace fakes {

class FakeInterface final : public platform::InterfaceDescription {
public:
    explicit FakeInterface(Journal& journal);

    platform::Window* window(const std::string& name) override;
    platform::View* view(const std::string& name) override;
    platform::Control* control(const std::string& name) override;
    std::vector<ActionBinding> actionBindings() override { return bindings; }
    void onActivated(platform::Control* control, std::function<void()> handler) override;

    FakeWindow& fakeWindow(const std::string& name) { return *windows_.at(name); }
    FakeView& fakeView(const std::string& name) { return *views_.at(name); }
    FakeControl& fakeControl(const std::string& name) { return *controls_.at(name); }
    // Presses the control as the user would.
    void activate(const std::string& name);
    // Leaves a name unconnected.
    void remove(const std::string& name);

    std::vector<ActionBinding> bindings;

private:
    std::map<std::string, std::unique_ptr<FakeWindow>> windows_;
    std::map<std::string, std::unique_ptr<FakeView>> views_;
    std::map<std::string, std::unique_ptr<FakeControl>> controls_;
    std::map<platform::Control*, std::function<void()>> handlers_;
};

} // namespace fakes
