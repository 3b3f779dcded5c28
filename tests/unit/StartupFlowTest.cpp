// SPDX-License-Identifier: MIT
// The start-up decision, the first screens and the orders in which they come.
#include "tests/fakes/ControllerFixture.h"

#include <algorithm>

using namespace fakes;
using ::testing::ElementsAre;

namespace {

class StartupFlow : public ControllerTest {};

TEST_F(StartupFlow, WifiPrinterOpensTheLaunchToolScreenInPlace) {
    platform.usb.present = {Keyboard, WifiPrinter};
    controller.applicationDidFinishLaunching();

    EXPECT_THAT(only({"place", "content", "activate", "front", "out", "enable", "log"}),
                ElementsAre("log appPath:/opt/example/wifi-setup", "log found f055 1",
                            "place window 480,365", "content window launchNetlumeView",
                            "activate YES", "front window"));
    EXPECT_FALSE(attachListenerRunning());
}

TEST_F(StartupFlow, PrinterInBothCataloguesIsAskedOfTheWifiCatalogueOnly) {
    platform.setCatalogue("otherDevices", devicesCatalogue({entry("F055", "0001")}));
    platform.usb.present = {WifiPrinter};
    controller.applicationDidFinishLaunching();

    EXPECT_EQ(platform.usb.enumerations, 1);
    EXPECT_EQ(ui.fakeWindow("window").contentView(), &ui.fakeView("launchNetlumeView"));
    EXPECT_FALSE(ui.fakeWindow("addPrinterWindow").visible());
}

TEST_F(StartupFlow, UsbOnlyPrinterOpensTheAddPrinterWindowAndLeavesTheMainWindow) {
    platform.usb.present = {UsbOnlyPrinter};
    controller.applicationDidFinishLaunching();

    EXPECT_EQ(platform.usb.enumerations, 2);
    EXPECT_THAT(only({"place", "content", "activate", "front", "out", "enable", "log"}),
                ElementsAre("log appPath:/opt/example/wifi-setup", "log appPath:(null)",
                            "log found f055 101", "place addPrinterWindow 440,290", "activate YES",
                            "front addPrinterWindow"));
    EXPECT_FALSE(attachListenerRunning());
}

TEST_F(StartupFlow, NoPrinterShowsTheConnectScreenLockedAndThenListens) {
    platform.usb.present = {Keyboard};
    controller.applicationDidFinishLaunching();

    EXPECT_THAT(only({"place", "content", "activate", "front", "out", "enable", "log"}),
                ElementsAre("log appPath:/opt/example/wifi-setup", "log appPath:(null)",
                            "place window 480,365", "activate YES", "front window",
                            "enable window.close NO",
                            "log -[runNetlumeAppDelegate _startListeningUSBDevices]",
                            "log DeviceAttach"));
    EXPECT_TRUE(attachListenerRunning());
    EXPECT_FALSE(ui.fakeWindow("window").closeButton().isEnabled());
}

TEST_F(StartupFlow, FirstListedDeviceInRegistryOrderDecidesWithOneFoundLine) {
    platform.setCatalogue("wifiDevices",
                          devicesCatalogue({entry("0xF055", "0x0001"), entry("0x8000", "0xFFFF")}));
    platform.usb.present = {{0x8000, 0xFFFF}, WifiPrinter};
    controller.applicationDidFinishLaunching();
    EXPECT_THAT(platform.logFake.lines, ElementsAre("appPath:(null)", "found 8000 ffff"));
}

TEST_F(StartupFlow, FailedEnumerationCountsAsNoPrinterWithoutReadingTheCatalogue) {
    platform.usb.enumerationFails = true;
    controller.applicationDidFinishLaunching();

    EXPECT_THAT(platform.logFake.lines,
                ElementsAre("fatal error when IOServiceGetMatchingServices",
                            "fatal error when IOServiceGetMatchingServices",
                            "-[runNetlumeAppDelegate _startListeningUSBDevices]", "DeviceAttach"));
    EXPECT_TRUE(ui.fakeWindow("window").visible());
}

TEST_F(StartupFlow, MissingCataloguesLeaveTheConnectScreen) {
    platform.removeCatalogue("wifiDevices");
    platform.removeCatalogue("otherDevices");
    platform.usb.present = {WifiPrinter, UsbOnlyPrinter};
    controller.applicationDidFinishLaunching();

    EXPECT_EQ(ui.fakeWindow("window").contentView(), nullptr);
    EXPECT_TRUE(ui.fakeWindow("window").visible());
    EXPECT_FALSE(ui.fakeWindow("addPrinterWindow").visible());
}

TEST_F(StartupFlow, AgentsAreRefreshedBeforeTheLabelsAndTheLabelsBeforeTheScan) {
    platform.setCatalogue("wifiDevices", dict({{"devices", array({entry("0xF055", "0x0001")})},
                                               {"smLaunchAgentPath",
                                                array({str("/Library/LaunchAgents/a.plist")})}}));
    controller.applicationDidFinishLaunching();

    // Positions in the journal: the first and the last line of each kind.
    std::vector<std::size_t> agents, label, scan;
    for (std::size_t at = 0; at < platform.journal.size(); ++at) {
        const std::string& line = platform.journal[at];
        if (line.rfind("manager", 0) == 0) agents.push_back(at);
        if (line.rfind("title", 0) == 0 || line.rfind("text", 0) == 0) label.push_back(at);
        if (line.rfind("log appPath", 0) == 0) scan.push_back(at);
    }
    ASSERT_EQ(agents.size(), 4U); // connect, unload, load, start
    ASSERT_EQ(label.size(), 19U);
    ASSERT_FALSE(scan.empty());
    EXPECT_LT(agents.back(), label.front());
    EXPECT_LT(label.back(), scan.front());
    // The window does not wait for the agents to run: their starts are
    // awaited on a thread of their own; nor is the print system asked
    // before the event loop runs.
    const auto shown = std::find(platform.journal.begin(), platform.journal.end(), "front window");
    ASSERT_NE(shown, platform.journal.end());
    EXPECT_EQ(std::count(platform.journal.begin(), shown, "background"), 1);
    EXPECT_EQ(std::count(platform.journal.begin(), platform.journal.end(), "print queues"), 0);
    platform.threadsFake.runBackground();
    EXPECT_EQ(platform.journal.back(), "manager await starts");
}

TEST_F(StartupFlow, UnconnectedOutletsAreSkippedAndTheFlowGoesOn) {
    runNetlumeAppDelegate bare(platform);
    platform.usb.present = {WifiPrinter};
    bare.applicationDidFinishLaunching();
    EXPECT_THAT(only({"activate"}), ElementsAre("activate YES"));

    // Without the launch view, the window keeps what it shows.
    FakeView shown("connectScreen");
    ui.fakeWindow("window").setContentView(&shown);
    bare.setWindow(&ui.fakeWindow("window"));
    bare._showLaunchToolScreen();
    EXPECT_EQ(ui.fakeWindow("window").contentView(), &shown);
}

// Placement: within the main screen's frame, doubles all the way; a title
// bar that would leave the usable area is kept inside it.
struct PlacementCase {
    std::optional<platform::Rect> screen;
    platform::Rect window;
    double x;
    double y;
    std::optional<platform::Rect> visible = std::nullopt;
};

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, LowerLeftCornerFollowsTheRule) {
    const PlacementCase& c = GetParam();
    FakePlatform platform;
    platform.app.screen = c.screen;
    platform.app.visibleScreen = c.visible;
    FakeWindow window("w", platform.journal, c.window);
    runNetlumeAppDelegate controller(platform);
    controller.setAddPrinterWindow(&window);
    controller._showAddPrinterWindow(false);
    EXPECT_DOUBLE_EQ(window.frame().x, c.x);
    EXPECT_DOUBLE_EQ(window.frame().y, c.y);
    EXPECT_DOUBLE_EQ(window.frame().width, c.window.width);
    EXPECT_EQ(window.timesPrepared(), 1); // its frame is read once laid out
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, Placement,
    ::testing::Values(
        PlacementCase{platform::Rect{0, 0, 1440, 900}, {0, 0, 480, 270}, 480, 365},
        PlacementCase{platform::Rect{0, 0, 1440, 900}, {0, 0, 481, 271}, 479.5, 364.5},
        // Larger than the screen: the title bar is kept on it.
        PlacementCase{platform::Rect{0, 0, 1440, 900}, {0, 0, 1600, 1000}, 0, -100},
        PlacementCase{platform::Rect{0, 0, 1440, 900}, {0, 0, 480, 900}, 480, 0},
        // A 28-point panel along the top: only a window reaching under it moves.
        PlacementCase{platform::Rect{0, 0, 1440, 900},
                      {0, 0, 480, 900},
                      480,
                      -28,
                      platform::Rect{0, 0, 1440, 872}},
        PlacementCase{platform::Rect{0, 0, 1440, 900},
                      {0, 0, 480, 270},
                      480,
                      365,
                      platform::Rect{0, 0, 1440, 872}},
        PlacementCase{std::nullopt, {0, 0, 480, 270}, -240, -85},
        // A main screen right of the primary one: the window lands on it.
        PlacementCase{platform::Rect{1440, 0, 1920, 1080}, {0, 0, 480, 270}, 2160, 455},
        PlacementCase{platform::Rect{-1280, 200, 1280, 1024}, {0, 0, 480, 270}, -880, 627},
        PlacementCase{platform::Rect{0, 0, 1440, 900}, {333, 444, 480, 270}, 480, 365}));

TEST_F(StartupFlow, StartUpPlacesWithTheScreenAsReadBeforeTheScan) {
    platform.usb.present = {WifiPrinter};
    platform.app.screen = platform::Rect{0, 0, 1920, 1080};
    controller.applicationDidFinishLaunching();
    EXPECT_DOUBLE_EQ(ui.fakeWindow("window").frame().x, 720);
    EXPECT_DOUBLE_EQ(ui.fakeWindow("window").frame().y, 455);
}

} // namespace
