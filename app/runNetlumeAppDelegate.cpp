// SPDX-License-Identifier: MIT
#include "app/runNetlumeAppDelegate.h"

#include "app/Outlets.h"
#include "app/detection/AttachListener.h"
#include "app/detection/ConnectedPrinterScan.h"
#include "app/detection/IppUsbConflict.h"
#include "app/detection/LogText.h"
#include "app/detection/PrintQueueMatch.h"
#include "app/detection/PrinterIdentity.h"
#include "app/handoff/AddPrinter.h"
#include "app/handoff/CompanionTool.h"
#include "app/handoff/LaunchAgentRefresh.h"
#include "app/handoff/NewPrinterDialogRoad.h"
#include "app/handoff/PrintQueueWatch.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr double PlacementFactor = 0.5;
constexpr double PlacementRaise = 50.0;

} // namespace

runNetlumeAppDelegate::runNetlumeAppDelegate(platform::Platform& platform)
    : platform_(platform), queuesAdded_(platform) {}

runNetlumeAppDelegate::~runNetlumeAppDelegate() {
    _stopListeningUSBDevices();
}

void runNetlumeAppDelegate::applicationDidFinishLaunching() {
    // Once the first window is up: loading the print system's library beside
    // the start-up would hold it back, and no window waits for the answer.
    platform_.threads().performOnMainThread([this] { _findPrintQueues(); });
    _refreshLaunchAgents();
    // A signal during the refresh (which can take long) ends the assistant
    // here, before any window is shown.
    if (platform_.application().terminationRequested()) {
        platform_.application().terminate(this);
        return;
    }
    _applyLocalizedLabels();
    // One reading serves the placement of the first screen.
    const ScreenArea screen = mainScreenArea();
    platform::Application& application = platform_.application();

    if (_deviceConnected(true)) {
        _placeWindow(window_, screen);
        _showLaunchToolScreen();
        application.activateIgnoringOtherApps(true);
        on(window_).makeKeyAndOrderFront();
        return;
    }
    if (_deviceConnected(false)) {
        // The main window is left as it is on this road.
        addPrinterWindowShown_ = true;
        _showQueueNote();
        _findPrinterAddress();
        _placeWindow(addPrinterWindow_, screen);
        application.activateIgnoringOtherApps(true);
        on(addPrinterWindow_).makeKeyAndOrderFront();
        return;
    }
    _placeWindow(window_, screen);
    application.activateIgnoringOtherApps(true);
    on(window_).makeKeyAndOrderFront();
    on(on(window_).standardWindowButton(platform::Window::CloseButton)).setEnabled(false);
    _startListeningUSBDevices();
}

void runNetlumeAppDelegate::nextButtonPressed(platform::Control* /*sender*/) {
    if (warmPromptWindow_ == nullptr) return;
    _placeWindow(warmPromptWindow_, mainScreenArea());
    platform_.application().runModalForWindow(warmPromptWindow_);
}

void runNetlumeAppDelegate::cancelButtonClicked(platform::Control* /*sender*/) {
    _showAddPrinterWindow(false);
}

void runNetlumeAppDelegate::okButtonClicked(platform::Control* sender) {
    if (sender == nullptr) return;
    platform::Application& application = platform_.application();
    if (sender == okButtonInWarmPromptWindow_) {
        if (on(warmPromptWindow_).isModalPanel()) {
            application.stopModal();
            on(warmPromptWindow_).orderOut();
        } else {
            application.terminate(this);
        }
    } else if (sender == okButton_) {
        // Ends the assistant whether or not the tool started.
        _launchCompanionTool();
        application.terminate(this);
    } else if (sender == doneButtonInAddPrinterWindow_) {
        application.terminate(this);
    }
}

void runNetlumeAppDelegate::addPrinterPressed(platform::Control* /*sender*/) {
    // At the device when the dialog service can open there; each press is
    // one more dialog, and the first to end ends the assistant. What the
    // end says of the printer's queues is against those of the first press.
    queuesAdded_.pressed(attachedDevice());
    addPrinterPressed_ = true;
    if (attached_ && attached_->address && attached_->dialogAvailable) {
        on(doneButtonInAddPrinterWindow_).setEnabled(true);
        platform_.newPrinterDialog().open(attached_->address->uri, attached_->address->deviceId,
                                          [this](const platform::NewPrinterOutcome& outcome) {
                                              _newPrinterDialogEnded(outcome);
                                          });
        return;
    }
    _openAndWatchAddPrinter();
}

void runNetlumeAppDelegate::_newPrinterDialogEnded(const platform::NewPrinterOutcome& outcome) {
    platform_.log().write(dialogOutcomeLine(outcome));
    if (outcome.kind == platform::NewPrinterOutcome::Kind::Failed) {
        // The settings program from now on, for later presses too, and the
        // window says so again.
        if (attached_) attached_->dialogAvailable = false;
        _showSteps(std::nullopt);
        _openAndWatchAddPrinter();
        return;
    }
    _endHandOff();
}

void runNetlumeAppDelegate::_endHandOff() {
    queuesAdded_.ended(attachedDevice(), [this] { platform_.application().terminate(this); });
}

void runNetlumeAppDelegate::_openAndWatchAddPrinter() {
    const platform::AddPrinterProgram* program = _openAddPrinter();
    on(doneButtonInAddPrinterWindow_).setEnabled(true);
    platform_.threads().performInBackground("the printer settings' watcher",
                                            [program, this](const std::stop_token& stop) {
                                                _startListeningAddPrinters(program, stop);
                                            });
}

void runNetlumeAppDelegate::_findPrinterAddress() {
    if (!attached_ || attached_->addressAsked) return;
    attached_->addressAsked = true;
    // Asked once the window is up, as the queues are: nothing waits for it.
    platform_.threads().performOnMainThread([this, printer = attached_->device] {
        auto found = [this, printer](std::optional<PrinterAddress> address) {
            // Too late once Add Printer has chosen its road (later presses
            // keep it), or once another printer is the one.
            AttachedPrinter* attached = stillAttached(printer);
            if (addPrinterPressed_ || attached == nullptr) return;
            attached->address = std::move(address);
            if (!attached->address) return;
            platform_.newPrinterDialog().askAvailable([this, printer](bool available) {
                AttachedPrinter* still = stillAttached(printer);
                if (addPrinterPressed_ || !available || still == nullptr) return;
                still->dialogAvailable = true;
                const std::string name = printerName(printerIdentity(printer));
                _showSteps(name.empty() ? still->address->uri : name);
            });
        };
        findPrinterAddress(platform_, printer, found);
    });
}

void runNetlumeAppDelegate::_showSteps(const std::optional<std::string>& dialogAt) {
    // The dialog opens past the choice of the device: the settings' steps
    // would send the user looking for a list that does not show.
    for (platform::Control* step : {stepsPromptTextField_, step1TextField_, step2TextField_,
                                    step3TextField_, step4TextField_, addPrinterNoteTextField_})
        on(step).setHidden(dialogAt.has_value());
    on(dialogNoteTextField_).setStringValue(dialogAt ? printable(*dialogAt) : std::string());
}

void runNetlumeAppDelegate::skipButtonPressed(platform::Control* /*sender*/) {
    platform::Control* closeButton =
        on(window_).standardWindowButton(platform::Window::CloseButton);
    const bool skipOn = on(skipButton_).state() == 1;
    on(doneButton_).setEnabled(skipOn);
    on(closeButton).setEnabled(skipOn);
}

void runNetlumeAppDelegate::doneButtonPressed(platform::Control* /*sender*/) {
    platform_.application().terminate(this);
}

bool runNetlumeAppDelegate::_deviceConnected(bool wifiCatalogue) {
    platform::UsbDevice found;
    if (!deviceConnected(platform_, wifiCatalogue, &found)) return false;
    _noteAttachedPrinter(found);
    return true;
}

void runNetlumeAppDelegate::_noteAttachedPrinter(const platform::UsbDevice& printer) {
    attached_ = AttachedPrinter{printer};
}

runNetlumeAppDelegate::AttachedPrinter*
runNetlumeAppDelegate::stillAttached(const platform::UsbDevice& device) {
    return attached_ && attached_->device == device ? &*attached_ : nullptr;
}

std::optional<platform::UsbDevice> runNetlumeAppDelegate::attachedDevice() const {
    return attached_ ? std::optional(attached_->device) : std::nullopt;
}

void runNetlumeAppDelegate::_findPrintQueues() {
    findPrintQueues(platform_,
                    [this](platform::PrintQueues queues) { _printQueuesFound(std::move(queues)); });
}

void runNetlumeAppDelegate::_printQueuesFound(platform::PrintQueues queues) {
    if (queues.failure)
        platform_.log().write("print queues not known: " + printable(describe(*queues.failure)));
    printQueues_ = std::move(queues);
    if (addPrinterWindowShown_) _showQueueNote();
}

void runNetlumeAppDelegate::_showQueueNote() {
    if (!printQueues_ || !attached_) return;
    const platform::UsbDevice& printer = attached_->device;
    const std::vector<QueueMatch> matches = queuesOfDevice(printer, printQueues_->queues);
    const std::optional<IppUsbConflict> ippUsb =
        ippUsbConflict(printer, matches, printQueues_->ippUsbPorts);
    platform::Log& log = platform_.log();
    if (matches.empty()) {
        if (!printer.ippOverUsb) return;
        log.write("the attached printer has an IPP-over-USB interface: it also prints without a "
                  "driver" +
                  (ippUsb ? ", and ipp-usb serves it on port " + std::to_string(ippUsb->port)
                          : std::string()));
        on(driverlessNoteTextField_)
            .setStringValue(printable(printerName(printerIdentity(printer))));
        return;
    }
    log.write("the attached printer already has print queues: " +
              queueNames(matches, NameList::Log, QueueDetail::How));
    on(queueNoteTextField_).setStringValue(queueNames(matches, NameList::Window));
    std::vector<QueueMatch> stuck;
    std::copy_if(matches.begin(), matches.end(), std::back_inserter(stuck),
                 [](const QueueMatch& queue) { return !queue.canPrint; });
    if (!stuck.empty()) {
        log.write("print queues of the attached printer that cannot print now: " +
                  queueNames(stuck, NameList::Log, QueueDetail::State));
        on(queueStateNoteTextField_).setStringValue(queueNames(stuck, NameList::Window));
    }
    if (ippUsb && !ippUsb->blocked.empty()) {
        log.write("ipp-usb serves the attached printer on port " + std::to_string(ippUsb->port) +
                  ", so its queues through the USB backend cannot print while it does: " +
                  queueNames(ippUsb->blocked, NameList::Log) + "; " + ippUsbRemedy(printer));
        on(ippUsbNoteTextField_).setStringValue(queueNames(ippUsb->blocked, NameList::Window));
    }
}

void runNetlumeAppDelegate::_startListeningUSBDevices() {
    startListeningUSBDevices(*this);
}

void runNetlumeAppDelegate::_stopListeningUSBDevices() {
    stopListeningUSBDevices(platform_.log());
}

void runNetlumeAppDelegate::_startListeningAddPrinters(const platform::AddPrinterProgram* program,
                                                       const std::stop_token& stop) {
    // On the watcher's thread: the platform's thread service, which joins it
    // before the controller goes, and the main thread's queue are all it
    // touches; the end of the hand-off runs on the main thread.
    watchAddPrinter(platform_, program, stop,
                    [this] { platform_.threads().performOnMainThread([this] { _endHandOff(); }); });
}

void runNetlumeAppDelegate::_placeWindow(platform::Window* window, const ScreenArea& screen) {
    // Within the main screen's own frame, its origin included: with several
    // screens, the one that is meant. The window's own origin is not read.
    on(window).prepareForDisplay();
    const platform::Rect frame = on(window).frame();
    platform::Point origin{screen.frame.x + (screen.frame.width - frame.width) * PlacementFactor,
                           screen.frame.y + (screen.frame.height - frame.height) * PlacementFactor +
                               PlacementRaise};
    // Only a title bar that would lie outside the usable area (a window
    // taller or wider than it, as at 2x scaling) moves, and just enough.
    if (screen.visible) {
        const platform::Rect& visible = *screen.visible;
        const double visibleTop = visible.y + visible.height;
        if (origin.y + frame.height > visibleTop) origin.y = visibleTop - frame.height;
        const double visibleRight = visible.x + visible.width;
        if (origin.x + frame.width > visibleRight) origin.x = visibleRight - frame.width;
        if (origin.x < visible.x) origin.x = visible.x;
    }
    on(window).setFrameOrigin(origin);
}

void runNetlumeAppDelegate::_showLaunchToolScreen() {
    if (launchNetlumeView_ == nullptr) return;
    on(window_).setContentView(launchNetlumeView_);
}

void runNetlumeAppDelegate::_showAddPrinterWindow(bool hideMainWindowFirst) {
    platform::Application& application = platform_.application();
    addPrinterWindowShown_ = true;
    _showQueueNote();
    _findPrinterAddress();
    _placeWindow(addPrinterWindow_, mainScreenArea());
    if (hideMainWindowFirst) {
        on(window_).orderOut();
        application.activateIgnoringOtherApps(true);
    } else {
        application.activateIgnoringOtherApps(true);
        on(window_).orderOut();
    }
    on(addPrinterWindow_).makeKeyAndOrderFront();
}

const std::vector<runNetlumeAppDelegate::Outlet>& runNetlumeAppDelegate::outlets() {
    static const std::vector<Outlet> table = {
#define RUNNETLUME_OUTLET_ROW(Type, name, Name, label, key)                                        \
    {#name, Outlet::Field{&runNetlumeAppDelegate::name##_}, Outlet::Label::label, key},
        RUNNETLUME_OUTLETS(RUNNETLUME_OUTLET_ROW)
#undef RUNNETLUME_OUTLET_ROW
    };
    return table;
}

void runNetlumeAppDelegate::_applyLocalizedLabels() {
    for (const Outlet& row : outlets()) {
        if (row.label == Outlet::Label::NoLabel) continue;
        platform::Control& control =
            on(this->*std::get<platform::Control * runNetlumeAppDelegate::*>(row.field));
        const std::string text = platform_.bundle().localizedString(std::string(row.key));
        if (row.label == Outlet::Label::Title)
            control.setTitle(text);
        else
            control.setStringValue(text);
    }
}

void runNetlumeAppDelegate::_refreshLaunchAgents() {
    refreshLaunchAgents(platform_);
}

void runNetlumeAppDelegate::_launchCompanionTool() {
    launchCompanionTool(platform_);
}

const platform::AddPrinterProgram* runNetlumeAppDelegate::_openAddPrinter() {
    return openAddPrinter(platform_);
}

runNetlumeAppDelegate::ScreenArea runNetlumeAppDelegate::mainScreenArea() const {
    const platform::Application& application = platform_.application();
    const std::optional<platform::Rect> frame = application.mainScreenFrame();
    return {frame.value_or(platform::Rect{}),
            frame ? application.mainScreenVisibleFrame() : std::nullopt};
}
