// SPDX-License-Identifier: MIT
#include "tests/fakes/FakeInterface.h"

#include <stdexcept>

namespace fakes {

const std::vector<std::string>& controlOutletNames() {
    static const std::vector<std::string> names = {
        "usbNeedTextField",
        "skipButton",
        "nextButton",
        "doneButton",
        "skipTextField",
        "okButton",
        "cancelButton",
        "textField",
        "launchNetlumeNoteTextField",
        "okButtonInWarmPromptWindow",
        "warmPromptTextField",
        "doneButtonInAddPrinterWindow",
        "addPrinterButton",
        "addPrinterTextField",
        "stepsPromptTextField",
        "step1TextField",
        "step2TextField",
        "step3TextField",
        "step4TextField",
        "addPrinterNoteTextField",
    };
    return names;
}

FakeInterface::FakeInterface(Journal& journal) {
    windows_["window"] =
        std::make_unique<FakeWindow>("window", journal, platform::Rect{0, 0, 480, 270});
    windows_["addPrinterWindow"] =
        std::make_unique<FakeWindow>("addPrinterWindow", journal, platform::Rect{0, 0, 560, 420});
    windows_["warmPromptWindow"] =
        std::make_unique<FakeWindow>("warmPromptWindow", journal, platform::Rect{0, 0, 400, 160});
    views_["launchNetlumeView"] = std::make_unique<FakeView>("launchNetlumeView");
    for (const std::string& name : controlOutletNames())
        controls_[name] = std::make_unique<FakeControl>(name, journal);
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
