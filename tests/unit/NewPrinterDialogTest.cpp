// SPDX-License-Identifier: MIT
// Add Printer at the device: the printer's address in the print system's
// USB list, and the dialog road's ends, with the settings program where it
// cannot go; the window's steps follow the road.
#include "app/handoff/NewPrinterDialogRoad.h"
#include "tests/fakes/ControllerFixture.h"

using namespace fakes;
using Kind = platform::NewPrinterOutcome::Kind;

namespace {

platform::UsbDevice printer(std::string interfaceId) {
    platform::UsbDevice device = UsbOnlyPrinter;
    device.serial = "SN1";
    device.manufacturer = "Acme";
    device.product = "Laser 1";
    device.ieee1284Id = std::move(interfaceId);
    return device;
}

TEST(PrinterAddress, TheSerialsDeviceWinsAndThePrintersOwnIdComesFirst) {
    const platform::PrintDevices devices{{{"usb://Acme/Laser%201", "MFG:Acme;MDL:Laser 1;"},
                                          {"usb://Acme/Laser%201?serial=SN1", "CUPS:ID;"},
                                          {"usb://Acme/Laser%201?serial=SN2", "OTHER;"}},
                                         {}};
    const std::optional<PrinterAddress> own = addressOf(printer("MFG:Acme;SN:SN1;"), devices);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->uri, "usb://Acme/Laser%201?serial=SN1");
    EXPECT_EQ(own->deviceId, "MFG:Acme;SN:SN1;");
    EXPECT_EQ(addressOf(printer(""), devices)->deviceId, "CUPS:ID;");
    EXPECT_FALSE(addressOf(printer(""), {{{"usb://Other/Model", ""}}, {}}));
}

struct RoadStory {
    const char* name;
    bool available;
    bool listed;
    bool foundAfterThePress;
    std::optional<platform::NewPrinterOutcome> end;
    std::vector<std::string> seen;
    // Whether the window shows the dialog's steps, before and after the end.
    bool dialogStepsAtThePress = false;
    bool dialogStepsAfter = false;
};

class DialogRoad : public ControllerTest, public ::testing::WithParamInterface<RoadStory> {};

const char* const Settings = R"(shell "system-config-printer" </dev/null &)";
const char* const Dialog = "dialog usb://Acme/Laser%201?serial=SN1 MFG:Acme;SN:SN1;";

INSTANTIATE_TEST_SUITE_P(
    Stories, DialogRoad,
    ::testing::Values(
        RoadStory{"Added",
                  true,
                  true,
                  false,
                  platform::NewPrinterOutcome{Kind::Added, "Laser"},
                  {Dialog, Dialog, R"(log the new-printer dialog added the printer as "Laser")",
                   "terminate"},
                  true,
                  true},
        RoadStory{
            "NoWindowFallsBack",
            true,
            true,
            false,
            platform::NewPrinterOutcome{Kind::Failed,
                                        {},
                                        {"NewPrinterFromDevice",
                                         "org.freedesktop.DBus.Error.NoReply",
                                         "the service did not answer"}},
            {Dialog, Dialog,
             "log the new-printer dialog did not open: the service did not answer "
             "(NewPrinterFromDevice: org.freedesktop.DBus.Error.NoReply); the printer settings "
             "open instead",
             Settings, "terminate"},
            true,
            false},
        // Two watchers, one end.
        RoadStory{"NoService", false, true, false, {}, {Settings, Settings, "terminate"}},
        RoadStory{"NotListed", true, false, false, {}, {Settings, Settings, "terminate"}},
        // The second press keeps the first one's road (the first watcher
        // runs, and ends, with the lookup's thread).
        RoadStory{"FoundAfterThePress", true, true, true, {}, {Settings, "terminate", Settings}}),
    [](const ::testing::TestParamInfo<RoadStory>& each) { return each.param.name; });

TEST_P(DialogRoad, AddPrinterTakesTheDialogWhereItCanAndEndsOnItsAnswer) {
    const RoadStory& story = GetParam();
    platform.usb.present = {printer("MFG:Acme;SN:SN1;")};
    platform.dialogs.isAvailable = story.available;
    if (story.listed)
        platform.printQueues.devices = {{{"usb://Acme/Laser%201?serial=SN1", ""}}, {}};
    controller.applicationDidFinishLaunching();
    // Once the window is up, beside it.
    const auto findAddress = [this] { platform.threadsFake.settle(); };
    if (!story.foundAfterThePress) findAddress();
    const auto dialogSteps = [this] {
        const bool shown = !ui.fakeControl("dialogNoteTextField").text().empty();
        for (const char* step : {"stepsPromptTextField", "step1TextField", "step4TextField",
                                 "addPrinterNoteTextField"})
            EXPECT_EQ(ui.fakeControl(step).isHidden(), shown) << step;
        return shown;
    };
    EXPECT_EQ(dialogSteps(), story.dialogStepsAtThePress);
    platform.journal.clear();
    // Two presses, each its own dialog (or settings); the first end counts.
    ui.activate("addPrinterButton");
    if (story.foundAfterThePress) findAddress();
    ui.activate("addPrinterButton");
    if (story.end) platform.dialogs.end(*story.end);
    platform.threadsFake.settle();
    EXPECT_EQ(only({"dialog", "log the new", "log the printer settings", "terminate", "shell"}),
              story.seen);
    EXPECT_EQ(dialogSteps(), story.dialogStepsAfter);
    EXPECT_TRUE(ui.fakeControl("doneButtonInAddPrinterWindow").isEnabled());
}

// The address found for a printer that was unplugged for another meanwhile
// is dropped: Add Printer never opens the dialog at the earlier printer.
using AnotherPrinter = ControllerTest;

TEST_F(AnotherPrinter, PluggedInWhileTheAddressIsAskedTakesNothingOfTheFirst) {
    platform.dialogs.isAvailable = true;
    platform.printQueues.devices = {{{"usb://Acme/Laser%201?serial=SN1", ""}}, {}};
    controller._noteAttachedPrinter(printer("MFG:Acme;SN:SN1;"));
    controller._findPrinterAddress();
    platform::UsbDevice second = printer("MFG:Acme;SN:SN2;");
    second.serial = "SN2";
    controller._noteAttachedPrinter(second);
    platform.threadsFake.settle();
    EXPECT_TRUE(ui.fakeControl("dialogNoteTextField").text().empty());
    platform.journal.clear();
    ui.activate("addPrinterButton");
    EXPECT_EQ(only({"dialog", "shell"}), Journal{Settings});
}

} // namespace
