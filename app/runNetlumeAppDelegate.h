// SPDX-License-Identifier: MIT
// The assistant's one controller: the start-up sequence, the screen flow,
// the outlets and their labels, and the user's actions. Plain C++: every
// desktop service comes in through the platform given at construction. The
// state of the flow is the state of the windows, not fields of this class.
#pragma once

#include "platform/Platform.h"

class runNetlumeAppDelegate {
public:
    explicit runNetlumeAppDelegate(platform::Platform& platform);
    // Stops the attach listener before anything else goes.
    ~runNetlumeAppDelegate();
    runNetlumeAppDelegate(const runNetlumeAppDelegate&) = delete;
    runNetlumeAppDelegate& operator=(const runNetlumeAppDelegate&) = delete;

    void applicationDidFinishLaunching();
    void cancelButtonClicked(platform::Control* sender);
    void okButtonClicked(platform::Control* sender);
    void addPrinterPressed(platform::Control* sender);
    void skipButtonPressed(platform::Control* sender);
    void doneButtonPressed(platform::Control* sender);
    // Next on the connect screen: the warm-prompt window as a modal panel,
    // which its OK closes, leaving the connect screen waiting.
    void nextButtonPressed(platform::Control* sender);
    bool _deviceConnected(bool wifiCatalogue);
    void _startListeningUSBDevices();
    void _stopListeningUSBDevices();
    // The Add Printer watcher; runs on a background thread of its own.
    void _startListeningAddPrinters();
    bool applicationShouldTerminateAfterLastWindowClosed() const { return true; }

    // Flow operations, the only way other code moves between screens.
    // The main screen as read for one transition: its frame, and the part
    // windows may use (none without a main screen).
    struct ScreenArea {
        platform::Rect frame;
        std::optional<platform::Rect> visible;
    };
    void _placeWindow(platform::Window* window, const ScreenArea& screen);
    void _showLaunchToolScreen();
    void _showAddPrinterWindow(bool hideMainWindowFirst);

    void _applyLocalizedLabels();
    void _refreshLaunchAgents();
    void _launchCompanionTool();
    void _openAddPrinter();

    platform::Platform& platformServices() const { return platform_; }

    // Outlets: non-owning, possibly unconnected.
    platform::Window* window() const { return window_; }
    void setWindow(platform::Window* window) { window_ = window; }
    platform::Control* usbNeedTextField() const { return usbNeedTextField_; }
    void setUsbNeedTextField(platform::Control* usbNeedTextField) {
        usbNeedTextField_ = usbNeedTextField;
    }
    platform::Control* skipButton() const { return skipButton_; }
    void setSkipButton(platform::Control* skipButton) { skipButton_ = skipButton; }
    platform::Control* nextButton() const { return nextButton_; }
    void setNextButton(platform::Control* nextButton) { nextButton_ = nextButton; }
    platform::Control* doneButton() const { return doneButton_; }
    void setDoneButton(platform::Control* doneButton) { doneButton_ = doneButton; }
    platform::View* launchNetlumeView() const { return launchNetlumeView_; }
    void setLaunchNetlumeView(platform::View* launchNetlumeView) {
        launchNetlumeView_ = launchNetlumeView;
    }
    platform::Control* okButton() const { return okButton_; }
    void setOkButton(platform::Control* okButton) { okButton_ = okButton; }
    platform::Control* cancelButton() const { return cancelButton_; }
    void setCancelButton(platform::Control* cancelButton) { cancelButton_ = cancelButton; }
    platform::Control* textField() const { return textField_; }
    void setTextField(platform::Control* textField) { textField_ = textField; }
    platform::Control* launchNetlumeNoteTextField() const { return launchNetlumeNoteTextField_; }
    void setLaunchNetlumeNoteTextField(platform::Control* launchNetlumeNoteTextField) {
        launchNetlumeNoteTextField_ = launchNetlumeNoteTextField;
    }
    platform::Window* warmPromptWindow() const { return warmPromptWindow_; }
    void setWarmPromptWindow(platform::Window* warmPromptWindow) {
        warmPromptWindow_ = warmPromptWindow;
    }
    platform::Control* okButtonInWarmPromptWindow() const { return okButtonInWarmPromptWindow_; }
    void setOkButtonInWarmPromptWindow(platform::Control* okButtonInWarmPromptWindow) {
        okButtonInWarmPromptWindow_ = okButtonInWarmPromptWindow;
    }
    platform::Control* warmPromptTextField() const { return warmPromptTextField_; }
    void setWarmPromptTextField(platform::Control* warmPromptTextField) {
        warmPromptTextField_ = warmPromptTextField;
    }
    platform::Window* addPrinterWindow() const { return addPrinterWindow_; }
    void setAddPrinterWindow(platform::Window* addPrinterWindow) {
        addPrinterWindow_ = addPrinterWindow;
    }
    platform::Control* doneButtonInAddPrinterWindow() const {
        return doneButtonInAddPrinterWindow_;
    }
    void setDoneButtonInAddPrinterWindow(platform::Control* doneButtonInAddPrinterWindow) {
        doneButtonInAddPrinterWindow_ = doneButtonInAddPrinterWindow;
    }
    platform::Control* addPrinterButton() const { return addPrinterButton_; }
    void setAddPrinterButton(platform::Control* addPrinterButton) {
        addPrinterButton_ = addPrinterButton;
    }
    platform::Control* addPrinterTextField() const { return addPrinterTextField_; }
    void setAddPrinterTextField(platform::Control* addPrinterTextField) {
        addPrinterTextField_ = addPrinterTextField;
    }
    platform::Control* stepsPromptTextField() const { return stepsPromptTextField_; }
    void setStepsPromptTextField(platform::Control* stepsPromptTextField) {
        stepsPromptTextField_ = stepsPromptTextField;
    }
    platform::Control* step1TextField() const { return step1TextField_; }
    void setStep1TextField(platform::Control* step1TextField) { step1TextField_ = step1TextField; }
    platform::Control* step2TextField() const { return step2TextField_; }
    void setStep2TextField(platform::Control* step2TextField) { step2TextField_ = step2TextField; }
    platform::Control* step3TextField() const { return step3TextField_; }
    void setStep3TextField(platform::Control* step3TextField) { step3TextField_ = step3TextField; }
    platform::Control* step4TextField() const { return step4TextField_; }
    void setStep4TextField(platform::Control* step4TextField) { step4TextField_ = step4TextField; }
    platform::Control* addPrinterNoteTextField() const { return addPrinterNoteTextField_; }
    void setAddPrinterNoteTextField(platform::Control* addPrinterNoteTextField) {
        addPrinterNoteTextField_ = addPrinterNoteTextField;
    }
    platform::Control* skipTextField() const { return skipTextField_; }
    void setSkipTextField(platform::Control* skipTextField) { skipTextField_ = skipTextField; }

private:
    ScreenArea mainScreenArea() const;

    platform::Platform& platform_;
    platform::Window* window_ = nullptr;
    platform::Control* usbNeedTextField_ = nullptr;
    platform::Control* skipButton_ = nullptr;
    platform::Control* nextButton_ = nullptr;
    platform::Control* doneButton_ = nullptr;
    platform::Control* skipTextField_ = nullptr;
    platform::View* launchNetlumeView_ = nullptr;
    platform::Control* okButton_ = nullptr;
    platform::Control* cancelButton_ = nullptr;
    platform::Control* textField_ = nullptr;
    platform::Control* launchNetlumeNoteTextField_ = nullptr;
    platform::Window* warmPromptWindow_ = nullptr;
    platform::Control* okButtonInWarmPromptWindow_ = nullptr;
    platform::Control* warmPromptTextField_ = nullptr;
    platform::Window* addPrinterWindow_ = nullptr;
    platform::Control* doneButtonInAddPrinterWindow_ = nullptr;
    platform::Control* addPrinterButton_ = nullptr;
    platform::Control* addPrinterTextField_ = nullptr;
    platform::Control* stepsPromptTextField_ = nullptr;
    platform::Control* step1TextField_ = nullptr;
    platform::Control* step2TextField_ = nullptr;
    platform::Control* step3TextField_ = nullptr;
    platform::Control* step4TextField_ = nullptr;
    platform::Control* addPrinterNoteTextField_ = nullptr;
};
