// SPDX-License-Identifier: MIT
// What each button does, pressed through the wiring of the interface
// description.
#include "tests/fakes/ControllerFixture.h"

using namespace fakes;
using ::testing::ElementsAre;

namespace {

class UserActions : public ControllerTest {};

TEST_F(UserActions, OkStartsTheCompanionToolThenEnds) {
    ui.activate("okButton");
    EXPECT_EQ(platform.journal,
              (Journal{"launch /opt/example/wifi-setup launchNetlume", "terminate"}));
    EXPECT_EQ(platform.app.terminateSenders, std::vector<const void*>{&controller});
}

TEST_F(UserActions, OkEndsEvenWhenTheToolFailsToStart) {
    platform.workspaceFake.launchError =
        "could not start \"/opt/example/wifi-setup\": No such file or directory";
    ui.activate("okButton");
    EXPECT_EQ(
        journalFrom("log"),
        (Journal{"log error:could not start \"/opt/example/wifi-setup\": No such file or directory",
                 "terminate"}));
}

TEST_F(UserActions, OkWithoutAToolPathStartsNothingAndSaysSo) {
    platform.setCatalogue("wifiDevices", devicesCatalogue({}));
    ui.activate("okButton");
    EXPECT_EQ(
        platform.journal,
        (Journal{
            "log no companion setup tool started: the Wi-Fi catalogue names no \"application\"",
            "terminate"}));
}

TEST_F(UserActions, TheToolPathIsReadAtThePress) {
    platform.setCatalogue("wifiDevices", dict({{"application", str("/opt/new tool/setup")}}));
    ui.activate("okButton");
    EXPECT_EQ(platform.journal.front(), "launch /opt/new tool/setup launchNetlume");
}

TEST_F(UserActions, NextShowsTheWarmPromptWhoseOkLeavesTheConnectScreenWaiting) {
    platform.app.duringModal = [&] { ui.activate("okButtonInWarmPromptWindow"); };
    ui.activate("nextButton");
    EXPECT_EQ(platform.journal,
              (Journal{"place warmPromptWindow 520,420", "runModal warmPromptWindow", "stopModal",
                       "out warmPromptWindow"}));
    EXPECT_TRUE(platform.app.terminateSenders.empty());
}

TEST_F(UserActions, WarmPromptOkStopsTheModalLoopOrEnds) {
    ui.fakeWindow("warmPromptWindow").setModal(true);
    ui.activate("okButtonInWarmPromptWindow");
    EXPECT_EQ(platform.journal, (Journal{"stopModal", "out warmPromptWindow"}));

    platform.journal.clear();
    ui.fakeWindow("warmPromptWindow").setModal(false);
    ui.activate("okButtonInWarmPromptWindow");
    EXPECT_EQ(platform.journal, Journal{"terminate"});
}

TEST_F(UserActions, OkWithAnyOtherSenderDoesNothing) {
    controller.okButtonClicked(ui.control("cancelButton"));
    controller.okButtonClicked(nullptr);
    runNetlumeAppDelegate unconnected(platform);
    unconnected.okButtonClicked(ui.control("okButton"));
    EXPECT_EQ(only({"launch", "terminate", "stopModal"}), Journal{});
}

TEST_F(UserActions, CancelActivatesBeforeHidingTheMainWindow) {
    ui.activate("cancelButton");
    EXPECT_EQ(platform.journal, (Journal{"place addPrinterWindow 440,290", "activate YES",
                                         "out window", "front addPrinterWindow"}));
}

TEST_F(UserActions, CancelReadsTheScreenAnew) {
    platform.app.screen = platform::Rect{0, 0, 1920, 1080};
    ui.activate("cancelButton");
    EXPECT_EQ(platform.journal.front(), "place addPrinterWindow 680,380");
}

TEST_F(UserActions, SkipBoxUnlocksDoneAndTheCloseButtonTogether) {
    FakeControl& box = ui.fakeControl("skipButton");
    box.setState(1);
    ui.activate("skipButton");
    EXPECT_EQ(platform.journal, (Journal{"enable doneButton YES", "enable window.close YES"}));

    platform.journal.clear();
    box.setState(0);
    ui.activate("skipButton");
    box.setState(-1);
    ui.activate("skipButton");
    EXPECT_EQ(platform.journal, (Journal{"enable doneButton NO", "enable window.close NO",
                                         "enable doneButton NO", "enable window.close NO"}));
}

TEST_F(UserActions, SkipBoxUnconnectedReadsAsOff) {
    controller.setSkipButton(nullptr);
    controller.skipButtonPressed(nullptr);
    EXPECT_EQ(platform.journal, (Journal{"enable doneButton NO", "enable window.close NO"}));
}

TEST_F(UserActions, DoneButtonsEnd) {
    ui.activate("doneButton");
    ui.activate("doneButtonInAddPrinterWindow");
    EXPECT_EQ(platform.journal, (Journal{"terminate", "terminate"}));
}

// The print system's queues at the press are asked in the background first:
// what the end will be told against.
TEST_F(UserActions, AddPrinterOpensThenEnablesDoneThenStartsAWatcher) {
    ui.activate("addPrinterButton");
    EXPECT_EQ(platform.journal,
              (Journal{"background", R"(shell "system-config-printer" </dev/null &)",
                       "enable doneButtonInAddPrinterWindow YES", "background"}));
}

// The watcher ends the assistant at the first answer that the settings
// program runs no more, and not while it runs.
TEST_F(UserActions, WatcherEndsOnceAddPrinterIsGone) {
    platform.workspaceFake.runningAnswers = {1, 2, 1, 0, 1};
    ui.activate("addPrinterButton");
    platform.threadsFake.runBackground();
    EXPECT_EQ(platform.workspaceFake.queriedIdentities.size(), 4U);
    EXPECT_TRUE(platform.app.terminateSenders.empty());
    // The end, on the main thread: the queues now, then the controller ends.
    platform.threadsFake.settle();
    EXPECT_EQ(only({"log", "terminate"}),
              (Journal{"log no print queue was added for the attached printer since Add "
                       "Printer was pressed",
                       "terminate"}));
    EXPECT_EQ(platform.app.terminateSenders, std::vector<const void*>{&controller});
}

TEST_F(UserActions, WatcherTakesNoAnswerForNoneRunning) {
    platform.workspaceFake.runningAnswers = {std::nullopt};
    controller._startListeningAddPrinters(&platform.profile().addPrinterPrograms.front());
    EXPECT_EQ(platform.journal,
              (Journal{"sleep 3", "query system-config-printer", "to main thread"}));
}

TEST_F(UserActions, TwoPressesTwoOpenRequestsTwoWatchers) {
    ui.activate("addPrinterButton");
    ui.activate("addPrinterButton");
    EXPECT_EQ(platform.shellFake.commands.size(), 2U);
    // The queues once, and a watcher each.
    EXPECT_EQ(platform.threadsFake.backgroundWaiting(), 3U);
    EXPECT_TRUE(ui.fakeControl("doneButtonInAddPrinterWindow").isEnabled());
}

TEST_F(UserActions, LinuxProfileOpensAndWatchesTheFirstInstalledPrinterSettings) {
    const auto road = [](std::set<std::string> missing) {
        FakePlatform linux(platform::linuxProfile());
        linux.workspaceFake.missing = std::move(missing);
        runNetlumeAppDelegate linuxController(linux);
        linuxController._startListeningAddPrinters(linuxController._openAddPrinter());
        return linux.journal;
    };
    EXPECT_THAT(road({}), ElementsAre(R"(shell "system-config-printer" </dev/null &)", "sleep 3",
                                      "query system-config-printer", "to main thread"));
    EXPECT_THAT(road({"system-config-printer"}),
                ElementsAre(R"(shell "gnome-control-center" printers </dev/null &)", "sleep 3",
                            "query gnome-control-center", "to main thread"));
    EXPECT_THAT(road({"system-config-printer", "gnome-control-center"}),
                ElementsAre(R"(shell "kde-add-printer" --add-printer </dev/null &)", "sleep 3",
                            "query kde-add-printer", "to main thread"));
    // None: one line, nothing run, and the watcher ends the assistant at its
    // first poll, as after an open that failed.
    EXPECT_THAT(road({"system-config-printer", "gnome-control-center", "kde-add-printer"}),
                ElementsAre("log No printer settings program is installed (looked for "
                            "system-config-printer, gnome-control-center, kde-add-printer)",
                            "sleep 3", "to main thread"));
}

} // namespace
