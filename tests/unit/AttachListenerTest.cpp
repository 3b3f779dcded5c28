// SPDX-License-Identifier: MIT
// What a plugged-in device does while the listener runs.
#include "tests/fakes/ControllerFixture.h"

using namespace fakes;
using ::testing::ElementsAre;

namespace {

class AttachListener : public ControllerTest {
protected:
    void startOnConnectScreen() {
        controller.applicationDidFinishLaunching();
        ASSERT_TRUE(attachListenerRunning());
        platform.journal.clear();
    }
};

TEST_F(AttachListener, UnlistedDeviceOnlyWritesTheCallbackLine) {
    startOnConnectScreen();
    platform.usb.attach({Keyboard});
    EXPECT_EQ(platform.journal, Journal{"log DeviceAttach"});
}

TEST_F(AttachListener, WifiPrinterSwapsTheContentInPlaceAndKeepsTheCloseButton) {
    startOnConnectScreen();
    const platform::Rect before = ui.fakeWindow("window").frame();
    platform.usb.attach({WifiPrinter});
    EXPECT_EQ(platform.journal, (Journal{"log DeviceAttach", "content window launchNetlumeView"}));
    EXPECT_DOUBLE_EQ(ui.fakeWindow("window").frame().x, before.x);
    EXPECT_FALSE(ui.fakeWindow("window").closeButton().isEnabled());
}

TEST_F(AttachListener, UsbOnlyPrinterHidesTheMainWindowFirst) {
    startOnConnectScreen();
    platform.usb.attach({UsbOnlyPrinter});
    // The printer's device is looked up once the window is up.
    EXPECT_EQ(platform.journal,
              (Journal{"log DeviceAttach", "to main thread", "place addPrinterWindow 440,290",
                       "out window", "activate YES", "front addPrinterWindow"}));
}

TEST_F(AttachListener, WifiMatchSuppressesTheOtherCatalogueForLaterDevicesOfTheSameCallOnly) {
    startOnConnectScreen();
    platform.usb.attach({UsbOnlyPrinter, WifiPrinter});
    EXPECT_EQ(only({"content", "front"}),
              (Journal{"front addPrinterWindow", "content window launchNetlumeView"}));

    platform.journal.clear();
    platform.usb.attach({WifiPrinter, UsbOnlyPrinter});
    EXPECT_EQ(only({"content", "front"}), Journal{"content window launchNetlumeView"});

    platform.journal.clear();
    platform.usb.attach({UsbOnlyPrinter});
    EXPECT_EQ(only({"front"}), Journal{"front addPrinterWindow"});
}

TEST_F(AttachListener, PrinterInBothCataloguesOnlyShowsTheLaunchTool) {
    platform.setCatalogue("otherDevices", devicesCatalogue({entry("F055", "1")}));
    startOnConnectScreen();
    platform.usb.attach({WifiPrinter});
    EXPECT_EQ(only({"content", "front"}), Journal{"content window launchNetlumeView"});
}

TEST_F(AttachListener, EntryListedTwiceActsTwice) {
    platform.setCatalogue("otherDevices",
                          devicesCatalogue({entry("0xF055", "0x0101"), entry("f055", "101")}));
    startOnConnectScreen();
    platform.usb.attach({UsbOnlyPrinter});
    EXPECT_EQ(only({"front"}), (Journal{"front addPrinterWindow", "front addPrinterWindow"}));
}

TEST_F(AttachListener, ArmingCallHandlesAPrinterPluggedInSinceTheScan) {
    // The start-up scan sees nothing; by the time the listener starts the
    // printer is there.
    platform.usb.enumerationFails = true;
    platform.usb.present = {UsbOnlyPrinter};
    controller.applicationDidFinishLaunching();
    EXPECT_EQ(journalFrom("log -[runNetlumeAppDelegate _startListeningUSBDevices]"),
              (Journal{"log -[runNetlumeAppDelegate _startListeningUSBDevices]", "log DeviceAttach",
                       "to main thread", "place addPrinterWindow 440,290", "out window",
                       "activate YES", "front addPrinterWindow"}));
}

TEST_F(AttachListener, CataloguesAreReadAfreshForEveryCall) {
    startOnConnectScreen();
    platform.usb.attach({Keyboard});
    EXPECT_EQ(only({"content", "front"}), Journal{});
    platform.setCatalogue("wifiDevices", devicesCatalogue({entry("8086", "1234")}));
    platform.usb.attach({Keyboard});
    EXPECT_EQ(only({"content"}), Journal{"content window launchNetlumeView"});
}

TEST_F(AttachListener, StaysArmedOnEveryLaterScreen) {
    startOnConnectScreen();
    platform.usb.attach({UsbOnlyPrinter});
    platform.usb.attach({UsbOnlyPrinter});
    platform.usb.attach({WifiPrinter});
    EXPECT_EQ(only({"front", "content"}),
              (Journal{"front addPrinterWindow", "front addPrinterWindow",
                       "content window launchNetlumeView"}));
    EXPECT_FALSE(ui.fakeWindow("window").visible());
}

TEST_F(AttachListener, DeviceWithUnreadableIdsIsComparedAsZeroAndZero) {
    platform.setCatalogue("wifiDevices", devicesCatalogue({entry("0", "0")}));
    startOnConnectScreen();
    platform.usb.attach({platform::UsbDevice{}});
    EXPECT_EQ(only({"content"}), Journal{"content window launchNetlumeView"});
}

TEST_F(AttachListener, StopIsSafeWithoutAStartAndTwice) {
    controller._stopListeningUSBDevices();
    controller._stopListeningUSBDevices();
    EXPECT_EQ(platform.journal, (Journal{"log -[runNetlumeAppDelegate _stopListeningUSBDevices]",
                                         "log -[runNetlumeAppDelegate _stopListeningUSBDevices]"}));

    startOnConnectScreen();
    controller._stopListeningUSBDevices();
    EXPECT_FALSE(attachListenerRunning());
    EXPECT_EQ(platform.usb.portsAlive, 0);
}

TEST_F(AttachListener, WithoutANotificationPortTheConnectScreenWaitsForTheUser) {
    platform.usb.portFails = true;
    controller.applicationDidFinishLaunching();
    EXPECT_THAT(platform.logFake.lines,
                ElementsAre("appPath:/opt/example/wifi-setup", "appPath:(null)",
                            "-[runNetlumeAppDelegate _startListeningUSBDevices]",
                            "USB attach notifications are unavailable; waiting for the user",
                            "DeviceAttach"));
    EXPECT_TRUE(ui.fakeWindow("window").visible());
}

} // namespace
