// SPDX-License-Identifier: MIT
#include "app/InterfaceWiring.h"

#include "app/runNetlumeAppDelegate.h"
#include "platform/Platform.h"

#include <array>
#include <string_view>

void connectOutlets(runNetlumeAppDelegate& c, platform::InterfaceDescription& ui) {
    c.setWindow(ui.window("window"));
    c.setUsbNeedTextField(ui.control("usbNeedTextField"));
    c.setSkipButton(ui.control("skipButton"));
    c.setNextButton(ui.control("nextButton"));
    c.setDoneButton(ui.control("doneButton"));
    c.setSkipTextField(ui.control("skipTextField"));
    c.setLaunchNetlumeView(ui.view("launchNetlumeView"));
    c.setOkButton(ui.control("okButton"));
    c.setCancelButton(ui.control("cancelButton"));
    c.setTextField(ui.control("textField"));
    c.setLaunchNetlumeNoteTextField(ui.control("launchNetlumeNoteTextField"));
    c.setWarmPromptWindow(ui.window("warmPromptWindow"));
    c.setOkButtonInWarmPromptWindow(ui.control("okButtonInWarmPromptWindow"));
    c.setWarmPromptTextField(ui.control("warmPromptTextField"));
    c.setAddPrinterWindow(ui.window("addPrinterWindow"));
    c.setDoneButtonInAddPrinterWindow(ui.control("doneButtonInAddPrinterWindow"));
    c.setAddPrinterButton(ui.control("addPrinterButton"));
    c.setAddPrinterTextField(ui.control("addPrinterTextField"));
    c.setStepsPromptTextField(ui.control("stepsPromptTextField"));
    c.setStep1TextField(ui.control("step1TextField"));
    c.setStep2TextField(ui.control("step2TextField"));
    c.setStep3TextField(ui.control("step3TextField"));
    c.setStep4TextField(ui.control("step4TextField"));
    c.setAddPrinterNoteTextField(ui.control("addPrinterNoteTextField"));
}

void connectActions(runNetlumeAppDelegate& controller, platform::InterfaceDescription& ui,
                    platform::Log& log) {
    using Handler = void (runNetlumeAppDelegate::*)(platform::Control*);
    struct Action {
        std::string_view selector;
        Handler handler;
    };
    static constexpr std::array<Action, 6> actions = {{
        {"okButtonClicked:", &runNetlumeAppDelegate::okButtonClicked},
        {"cancelButtonClicked:", &runNetlumeAppDelegate::cancelButtonClicked},
        {"addPrinterPressed:", &runNetlumeAppDelegate::addPrinterPressed},
        {"skipButtonPressed:", &runNetlumeAppDelegate::skipButtonPressed},
        {"doneButtonPressed:", &runNetlumeAppDelegate::doneButtonPressed},
        {"nextButtonPressed:", &runNetlumeAppDelegate::nextButtonPressed},
    }};

    for (const platform::InterfaceDescription::ActionBinding& binding : ui.actionBindings()) {
        const Action* found = nullptr;
        for (const Action& action : actions)
            if (action.selector == binding.selector) found = &action;
        if (found == nullptr) {
            log.write("interface description: no action named \"" + binding.selector + "\"");
            continue;
        }
        ui.onActivated(binding.control,
                       [&controller, handler = found->handler, control = binding.control] {
                           (controller.*handler)(control);
                       });
    }
}
