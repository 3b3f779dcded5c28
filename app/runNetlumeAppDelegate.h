// SPDX-License-Identifier: MIT
// The assistant's one controller: the start-up sequence, the screen flow,
// the outlets and their labels, and the user's actions. Plain C++: every
// desktop service comes in through the platform given at construction.
// Which screen shows is the windows' state; what is known of the printer
// and of the hand-off is kept here.
#pragma once

#include "app/OutletTable.h"
#include "app/handoff/NewPrinterDialogRoad.h"
#include "app/handoff/PrintQueueWatch.h"
#include "platform/Platform.h"

#include <optional>
#include <stop_token>
#include <string_view>
#include <variant>
#include <vector>

namespace platform {
struct AddPrinterProgram;
}

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
    // The Add Printer watcher of the program that was opened (none: null);
    // runs on a background thread of its own until the program is gone,
    // then ends the hand-off, or until stop is asked.
    void _startListeningAddPrinters(const platform::AddPrinterProgram* program,
                                    const std::stop_token& stop = {});
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

    // The printer the assistant is about (found at start or plugged in),
    // for the print queues that go with it.
    void _noteAttachedPrinter(const platform::UsbDevice& printer);
    // Asks the print system for its queues, in the background.
    void _findPrintQueues();
    void _printQueuesFound(platform::PrintQueues queues);
    // On the add-printer window and in the log, once both the printer and
    // the queues are known: the printer's queues, those that cannot print
    // now, those that ipp-usb keeps from printing, or, without a queue, that
    // the printer also prints without a driver.
    void _showQueueNote();
    // Where the dialog service can open at the printer: its device URI and
    // id, looked up in the background once the add-printer window shows.
    void _findPrinterAddress();
    // On the add-printer window, the steps of the road Add Printer takes:
    // the settings program's, or the dialog's at the printer named
    // dialogAt (text from outside, shown escaped).
    void _showSteps(const std::optional<std::string>& dialogAt);
    void _newPrinterDialogEnded(const platform::NewPrinterOutcome& outcome);
    // The settings program, opened and watched: where the dialog cannot be.
    void _openAndWatchAddPrinter();
    // The first end of the hand-off, by any road: the queues added since the
    // press are logged, then the assistant ends.
    void _endHandOff();

    void _applyLocalizedLabels();
    void _refreshLaunchAgents();
    void _launchCompanionTool();
    // The program opened, or null when none is installed.
    const platform::AddPrinterProgram* _openAddPrinter();

    platform::Platform& platformServices() const { return platform_; }

    // Outlets: non-owning, possibly unconnected; a getter and a setter each.
#define RUNNETLUME_OUTLET_ACCESSORS(Type, name, Name, label, key)                                  \
    platform::Type* name() const {                                                                 \
        return name##_;                                                                            \
    }                                                                                              \
    void set##Name(platform::Type* outlet) {                                                       \
        name##_ = outlet;                                                                          \
    }
    RUNNETLUME_OUTLETS(RUNNETLUME_OUTLET_ACCESSORS)
#undef RUNNETLUME_OUTLET_ACCESSORS

    // One row of the outlet table, with the field it fills.
    struct Outlet {
        enum class Label { NoLabel, Text, Title };
        enum class Kind { Window, View, Control };
        using Field = std::variant<platform::Window * runNetlumeAppDelegate::*,
                                   platform::View * runNetlumeAppDelegate::*,
                                   platform::Control * runNetlumeAppDelegate::*>;
        std::string_view name;
        Field field;
        Label label;
        std::string_view key;
        // In the order of Field's alternatives.
        Kind kind() const { return static_cast<Kind>(field.index()); }
    };
    static const std::vector<Outlet>& outlets();

private:
    ScreenArea mainScreenArea() const;

    // What is known of the printer the assistant is about; replaced whole
    // when another is plugged in, so that nothing learnt of one printer is
    // taken for the next.
    struct AttachedPrinter {
        platform::UsbDevice device;
        // Where the dialog service can open at it, once asked and found.
        std::optional<PrinterAddress> address = {};
        bool addressAsked = false;
        // Whether Add Printer opens the dialog at the address: the service
        // was found on the bus once the address was known.
        bool dialogAvailable = false;
    };
    // The printer a background answer was about, if it is still the one.
    AttachedPrinter* stillAttached(const platform::UsbDevice& device);
    std::optional<platform::UsbDevice> attachedDevice() const;

    platform::Platform& platform_;
    std::optional<AttachedPrinter> attached_;
    // The print system's queues, asked once at start, whatever the printer.
    std::optional<platform::PrintQueues> printQueues_;
    bool addPrinterPressed_ = false;
    bool addPrinterWindowShown_ = false;
    QueuesAddedReport queuesAdded_;
#define RUNNETLUME_OUTLET_FIELD(Type, name, Name, label, key) platform::Type* name##_ = nullptr;
    RUNNETLUME_OUTLETS(RUNNETLUME_OUTLET_FIELD)
#undef RUNNETLUME_OUTLET_FIELD
};
