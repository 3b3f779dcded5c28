// SPDX-License-Identifier: MIT
// The attached printer's print queues: which queues are its own, the line
// the add-printer window shows, and what the hand-off's end logs.
#include "app/detection/IppUsbConflict.h"
#include "app/detection/PrintQueueMatch.h"
#include "tests/fakes/ControllerFixture.h"

using namespace fakes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

platform::UsbDevice printer(std::string serial) {
    platform::UsbDevice device = UsbOnlyPrinter;
    device.serial = std::move(serial);
    device.manufacturer = "Acme";
    device.product = "Laser 1";
    return device;
}

struct MatchCase {
    const char* name;
    std::string serial;
    platform::PrintQueue queue;
    std::optional<QueueMatchKind> how;
};

class QueueMatching : public ::testing::TestWithParam<MatchCase> {};

TEST_P(QueueMatching, FindsTheQueuesOfTheAttachedPrinter) {
    const MatchCase& match = GetParam();
    const std::vector<QueueMatch> found = queuesOfDevice(
        printer(match.serial), {{"Other", "ipp://printer.example/ipp/print"}, match.queue});
    if (!match.how) {
        EXPECT_THAT(found, IsEmpty());
        return;
    }
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].queue, match.queue.name);
    EXPECT_EQ(found[0].how, *match.how);
}

const std::string IppUsb = "ipp://localhost:60001/ipp/print";

INSTANTIATE_TEST_SUITE_P(
    Uris, QueueMatching,
    ::testing::Values(
        MatchCase{
            "UsbSerial", "SN1", {"Q", "usb://Acme/Laser%201?serial=SN1"}, QueueMatchKind::Serial},
        MatchCase{"SameModelOtherSerial", "SN1", {"Q", "usb://Acme/Laser%201?serial=SN2"}, {}},
        MatchCase{"MakerDriver",
                  "SN1",
                  {"Q", "acme:/usb/Acme_Laser_1?serial=SN1&x=1"},
                  QueueMatchKind::Serial},
        MatchCase{"DeviceWithoutSerial",
                  "",
                  {"Q", "usb://Acme/Laser%201?serial=SN2"},
                  QueueMatchKind::MakerAndModel},
        MatchCase{
            "UriWithoutSerial", "SN1", {"Q", "usb://ACME/LASER-1"}, QueueMatchKind::MakerAndModel},
        MatchCase{"OtherModel", "SN1", {"Q", "usb://Acme/Laser%202"}, {}},
        MatchCase{"IppUsbSerial",
                  "SN1",
                  {"Q", IppUsb, "MFG:Acme;MDL:Laser 2;SN:SN1;", ""},
                  QueueMatchKind::IppOverUsb},
        MatchCase{
            "IppUsbOtherSerial", "SN1", {"Q", IppUsb, "MFG:Acme;MDL:Laser 1;SERN:SN2;", ""}, {}},
        MatchCase{"IppUsbModelOnly",
                  "SN1",
                  {"Q", IppUsb, "", "Acme Laser 1"},
                  QueueMatchKind::MakerAndModel},
        MatchCase{"PortThatDidNotAnswer", "SN1", {"Q", IppUsb}, {}},
        MatchCase{"NotAUri", "SN1", {"Q", "usb:"}, {}},
        MatchCase{"CutPercent", "SN1", {"Q", "usb://Acme/Laser%2?serial=%"}, {}}),
    [](const ::testing::TestParamInfo<MatchCase>& each) { return each.param.name; });

// Which of the printer's queues ipp-usb keeps from printing: the printer's
// own interfaces and the ports' answers decide whether ipp-usb serves it,
// each queue's URI whether it goes round ipp-usb through the USB backend.
// A row: whether the printer has the interface, the device id (or make and
// model) the one port of ipp-usb's range that answered reports (none: no
// port answered), and the port found to serve it (0: none).
struct ConflictCase {
    const char* name;
    bool ippOverUsbInterface;
    std::optional<platform::IppUsbPort> port;
    int servedOn;
};

class IppUsbConflicts : public ::testing::TestWithParam<ConflictCase> {};

TEST_P(IppUsbConflicts, NameTheQueuesThroughTheUsbBackendWhileIppUsbServesThePrinter) {
    const ConflictCase& row = GetParam();
    platform::UsbDevice device = printer("SN1");
    device.ippOverUsb = row.ippOverUsbInterface;
    const std::vector<QueueMatch> queues =
        queuesOfDevice(device, {{"Usb", "usb://Acme/Laser%201?serial=SN1"},
                                {"Maker", "acme:/usb/Laser_1"},
                                {"Port", IppUsb, "MFG:Acme;MDL:Laser 1;SN:SN1;", ""},
                                {"Network", "ipp://printer.example/ipp/print"}});
    const std::optional<IppUsbConflict> conflict = ippUsbConflict(
        device, queues, row.port ? std::vector{*row.port} : std::vector<platform::IppUsbPort>{});
    ASSERT_EQ(conflict ? conflict->port : 0, row.servedOn);
    // Served, it blocks both queues through a USB backend and no other.
    if (conflict) {
        EXPECT_THAT(conflict->blocked, ElementsAre(::testing::Field(&QueueMatch::queue, "Usb"),
                                                   ::testing::Field(&QueueMatch::queue, "Maker")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    PortsAndInterfaces, IppUsbConflicts,
    ::testing::Values(
        ConflictCase{"ServedBySerial", true, {{60001, "MFG:Acme;MDL:Laser 1;SN:SN1;", ""}}, 60001},
        ConflictCase{"ServedByModelWithoutSerial", true, {{60000, "", "Acme Laser 1"}}, 60000},
        ConflictCase{"AnotherPrinterOfTheModel", true, {{60000, "MDL:Laser 1;SN:SN2;", ""}}, 0},
        ConflictCase{"NoIppOverUsbInterface", false, {{60001, "MDL:Laser 1;SN:SN1;", ""}}, 0},
        ConflictCase{"NoPortAnswered", true, {}, 0}),
    [](const ::testing::TestParamInfo<ConflictCase>& each) { return each.param.name; });

TEST(QueueState, ReadsAsTheSchedulerSaidItEscapedAndBounded) {
    platform::PrintQueue queue{"Q", "usb://Acme/Laser%201"};
    EXPECT_EQ(queueStateText(queue), "");
    queue.state = "idle";
    EXPECT_EQ(queueStateText(queue), "idle, accepting jobs");
    queue.state = "stopped";
    queue.stateReasons = {"paused", "media-empty\x1b[2J"};
    queue.moreStateReasons = 3;
    queue.acceptingJobs = false;
    EXPECT_EQ(queueStateText(queue),
              "stopped: paused, media-empty\\x1b[2J … and 3 more; rejects jobs");
    EXPECT_FALSE(queuesOfDevice(printer(""), {queue})[0].canPrint);
}

class PrintQueues : public ControllerTest {
protected:
    void answer(std::vector<platform::PrintQueue> queues) {
        platform.printQueues.answer = {queues, {}};
    }
    // The event loop starts the question; its answer comes back to it.
    void answerOnce() {
        platform.threadsFake.runMainThread();
        platform.threadsFake.runBackground();
        platform.threadsFake.runMainThread();
    }
    Journal seen() const {
        return only(
            {"text queueNoteTextField", "log print", "log the attached", "front addPrinterWindow"});
    }
};

TEST_F(PrintQueues, TheWindowNamesTheQueueWhenTheAnswerComesFirstOrLate) {
    platform.usb.present = {printer("SN1")};
    answer({{"Laser", "usb://Acme/Laser%201?serial=SN1"}, {"Far", "ipp://far/ipp"}});
    controller.applicationDidFinishLaunching(); // the add-printer window at once
    answerOnce();
    const Journal late{"front addPrinterWindow",
                       "log the attached printer already has print queues: \"Laser\" (serial)",
                       "text queueNoteTextField \"Laser\""};
    EXPECT_EQ(seen(), late);

    // On the Wi-Fi road the answer is in before the user declines the tool.
    platform.journal.clear();
    platform.usb.present = {WifiPrinter};
    runNetlumeAppDelegate wifi(platform);
    connectOutlets(wifi, ui, platform.log());
    connectActions(wifi, ui, platform.log());
    answer({{"Laser", "usb://Acme/Laser%201"}});
    wifi._noteAttachedPrinter(printer(""));
    wifi._printQueuesFound(platform.printQueues.answer);
    wifi.cancelButtonClicked(nullptr);
    EXPECT_EQ(seen(), (Journal{"log the attached printer already has print queues: \"Laser\" "
                               "(maker and model)",
                               "text queueNoteTextField \"Laser\"", "front addPrinterWindow"}));
}

TEST_F(PrintQueues, NoQueueOrNoPrintSystemLeavesTheWindowAsItWas) {
    platform.usb.present = {printer("SN1")};
    for (const platform::PrintQueues& queues :
         {platform::PrintQueues{{{"Other", "usb://Acme/Laser%201?serial=SN9"}}, {}},
          platform::PrintQueues{{},
                                platform::Failure{"httpConnect2", "ENOENT",
                                                  "the print system (CUPS) at /run/cups/cups.sock "
                                                  "cannot be asked: No such file or directory"}}}) {
        platform.journal.clear();
        platform.printQueues.answer = queues;
        controller.applicationDidFinishLaunching();
        answerOnce();
        Journal expected{"front addPrinterWindow"};
        if (queues.failure)
            expected.push_back("log print queues not known: the print system (CUPS) at "
                               "/run/cups/cups.sock cannot be asked: No such file or directory "
                               "(httpConnect2: ENOENT)");
        EXPECT_EQ(seen(), expected);
    }
}

// However many queues are the printer's, a log line names 20 and counts the
// rest, and the window names 5.
TEST(QueueNames, AListIsCutForTheLogAndTheWindow) {
    std::vector<std::string> names;
    for (int i = 1; i <= 25; ++i)
        names.push_back("Q" + std::to_string(i));
    const std::string log = queueNames(names);
    const std::string end = R"("Q19", "Q20" … and 5 more)";
    EXPECT_EQ(log.substr(log.size() - end.size()), end);
    EXPECT_EQ(queueNames(names, NameList::Window), R"("Q1", "Q2", "Q3", "Q4", "Q5", …)");
}

// Every end of the hand-off, by any road, tells the queues added since the
// first press: the press's queues are asked at the press, the end's at the
// end, which waits for them a bounded time. (The dialog's own ends against
// its real service are the end-to-end suite's.)
using Outcome = platform::NewPrinterOutcome;
struct EndStory {
    const char* name;
    // How the dialog ended; none: the settings program closed.
    std::optional<Outcome> dialog;
    platform::PrintQueues atEnd;
    std::vector<std::string> lines;
    // The bound's thread overtakes both questions to the print system.
    bool unanswered = false;
};

class HandOffEnds : public ControllerTest, public ::testing::WithParamInterface<EndStory> {};

const platform::PrintQueue Own{"Laser", "usb://Acme/Laser%201?serial=SN1"};
const platform::PrintQueue Again{"Laser-2", Own.deviceUri};
const char* const Added =
    "print queues added for the attached printer since Add Printer was pressed: \"Laser-2\"";
const char* const Cancelled = "the new-printer dialog was cancelled";

INSTANTIATE_TEST_SUITE_P(
    Roads, HandOffEnds,
    ::testing::Values(
        EndStory{"SettingsClosed", {}, {{Own, Again, {"Other", "usb://Other/Model"}}, {}}, {Added}},
        // The baseline is the press's, not the fallback's ten seconds later.
        EndStory{"FallbackThenSettingsClosed",
                 Outcome{Outcome::Kind::Failed, {}, {{}, {}, "no window"}},
                 {{Own, Again}, {}},
                 {"the new-printer dialog did not open: no window; the printer settings open "
                  "instead",
                  Added}},
        EndStory{"PrintSystemGoneAtTheEnd",
                 Outcome{Outcome::Kind::Cancelled},
                 {{}, platform::Failure{{}, {}, "it stopped"}},
                 {Cancelled, "whether a print queue was added for the attached printer is not "
                             "known: it stopped"}},
        EndStory{"NoAnswerWithinTheBound",
                 Outcome{Outcome::Kind::Cancelled},
                 {{Own}, {}},
                 {Cancelled, "whether a print queue was added for the attached printer is not "
                             "known: the print system did not answer within 5 s"},
                 true}),
    [](const ::testing::TestParamInfo<EndStory>& each) { return each.param.name; });

TEST_P(HandOffEnds, SayWhichQueuesWereAddedSinceThePress) {
    const EndStory& story = GetParam();
    controller._noteAttachedPrinter(printer("SN1"));
    platform.dialogs.isAvailable = story.dialog.has_value();
    platform.printQueues.devices = {{{Own.deviceUri, ""}}, {}};
    controller._findPrinterAddress();
    platform.threadsFake.settle();
    platform.logFake.lines.clear();
    platform.printQueues.answer = {{Own}, {}};
    platform.printQueues.onAsked = [&] { platform.printQueues.answer = story.atEnd; };
    ui.activate("addPrinterButton");
    if (story.dialog) platform.dialogs.end(*story.dialog);
    if (story.unanswered) {
        platform.threadsFake.runNewestBackground();
        platform.threadsFake.runMainThread();
    }
    EXPECT_EQ(platform.app.terminateSenders.empty(), !story.unanswered);
    platform.threadsFake.settle();
    EXPECT_EQ(platform.logFake.lines, story.lines);
    EXPECT_EQ(platform.app.terminateSenders, std::vector<const void*>{&controller});
}

} // namespace
