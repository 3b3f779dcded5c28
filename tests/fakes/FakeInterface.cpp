// SPDX-License-Identifier: MIT
#include "tests/fakes/FakeInterface.h"

#include "app/runNetlumeAppDelegate.h"

#include <stdexcept>

namespace fakes {

FakeInterface::FakeInterface(Journal& journal) {
    // One element for every row of the controller's outlet table.
    for (const runNetlumeAppDelegate::Outlet& outlet : runNetlumeAppDelegate::outlets()) {
        const std::string name(outlet.name);
        switch (outlet.kind()) {
        case runNetlumeAppDelegate::Outlet::Kind::Window:
            windows_[name] =
                std::make_unique<FakeWindow>(name, journal, platform::Rect{0, 0, 480, 270});
            break;
        case runNetlumeAppDelegate::Outlet::Kind::View:
            views_[name] = std::make_unique<FakeView>(name);
            break;
        case runNetlumeAppDelegate::Outlet::Kind::Control:
            controls_[name] = std::make_unique<FakeControl>(name, journal);
        }
    }
    // As the interface description leaves them at start.
    controls_["doneButton"]->setEnabledQuietly(false);
    controls_["doneButtonInAddPrinterWindow"]->setEnabledQuietly(false);

    bindings = {
        {control("okButton"), "okButtonClicked:"},
        {control("cancelButton"), "cancelButtonClicked:"},
        {control("okButtonInWarmPromptWindow"), "okButtonClicked:"},
        {control("doneButtonInAddPrinterWindow"), "okButtonClicked:"},
        {control("addPrinterButton"), "addPrinterPressed:"},
        {control("skipButton"), "skipButtonPressed:"},
        {control("doneButton"), "doneButtonPressed:"},
        {control("nextButton"), "nextButtonPressed:"},
    };
}

platform::Window* FakeInterface::window(const std::string& name) {
    const auto found = windows_.find(name);
    return found == windows_.end() ? nullptr : found->second.get();
}

platform::View* FakeInterface::view(const std::string& name) {
    const auto found = views_.find(name);
    return found == views_.end() ? nullptr : found->second.get();
}

platform::Control* FakeInterface::control(const std::string& name) {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second.get();
}

void FakeInterface::onActivated(platform::Control* control, std::function<void()> handler) {
    handlers_[control] = std::move(handler);
}

void FakeInterface::activate(const std::string& name) {
    const auto found = handlers_.find(control(name));
    if (found == handlers_.end()) throw std::logic_error(name + " has no action");
    found->second();
}

void FakeInterface::remove(const std::string& name) {
    windows_.erase(name);
    views_.erase(name);
    controls_.erase(name);
}

} // namespace fakes
