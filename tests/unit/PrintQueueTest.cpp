// SPDX-License-Identifier: MIT
// The attached printer's print queues: which queues are its own, the line
// the add-printer window shows, and what the hand-off's end logs.
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
                                "the print system (CUPS) at /run/cups/cups.sock cannot be "
                                "asked: No such file or directory"}}) {
        platform.journal.clear();
        platform.printQueues.answer = queues;
        controller.applicationDidFinishLaunching();
        answerOnce();
        Journal expected{"front addPrinterWindow"};
        if (queues.failure) expected.push_back("log print queues not known: " + *queues.failure);
        EXPECT_EQ(seen(), expected);
    }
}

// Every end of the hand-off, by any road, tells the queues added since the
// first press: the press's queues are asked at the press, the end's at the
// end, and the end waits for them a bounded time.
enum class End { SettingsClosed, Added, Cancelled, ServiceGone, FallbackThenClosed, Unanswered };

struct EndStory {
    const char* name;
    End end;
    platform::PrintQueues atEnd;
    std::vector<std::string> lines;
};

class HandOffEnds : public ::testing::TestWithParam<EndStory> {};

const platform::PrintQueue Own{"Laser", "usb://Acme/Laser%201?serial=SN1"};
const platform::PrintQueue Again{"Laser-2", "usb://Acme/Laser%201?serial=SN1"};
const platform::PrintQueue Other{"Other", "usb://Other/Model"};
const char* const AddedLine =
    "print queues added for the attached printer since Add Printer was pressed: \"Laser-2\"";
const char* const NoneLine =
    "no print queue was added for the attached printer since Add Printer was pressed";

INSTANTIATE_TEST_SUITE_P(
    Roads, HandOffEnds,
    ::testing::Values(
        EndStory{"SettingsClosed", End::SettingsClosed, {{Own, Again, Other}, {}}, {AddedLine}},
        EndStory{"DialogAdded",
                 End::Added,
                 {{Own, Again}, {}},
                 {"the new-printer dialog added the printer as \"Laser-2\"", AddedLine}},
        EndStory{"DialogCancelled",
                 End::Cancelled,
                 {{Other, Own}, {}},
                 {"the new-printer dialog was cancelled", NoneLine}},
        // A queue added beside the dialog (lpadmin) while its service died.
        EndStory{"ServiceGone",
                 End::ServiceGone,
                 {{Own, Again}, {}},
                 {"the printer settings' service left the session bus before the dialog ended",
                  AddedLine}},
        // The baseline is the press's, not the fallback's ten seconds later.
        EndStory{"FallbackThenSettingsClosed",
                 End::FallbackThenClosed,
                 {{Own, Again}, {}},
                 {"the new-printer dialog did not open (no dialog window showed within 10 s); "
                  "the printer settings open instead",
                  AddedLine}},
        EndStory{"PrintSystemGoneAtTheEnd",
                 End::Cancelled,
                 {{}, "the print system stopped answering"},
                 {"the new-printer dialog was cancelled",
                  "whether a print queue was added for the attached printer is not known: the "
                  "print system stopped answering"}},
        EndStory{"NoAnswerWithinTheBound",
                 End::Unanswered,
                 {{Own}, {}},
                 {"the new-printer dialog was cancelled",
                  "whether a print queue was added for the attached printer is not known: the "
                  "print system did not answer within 4 s"}}),
    [](const ::testing::TestParamInfo<EndStory>& each) { return each.param.name; });

TEST_P(HandOffEnds, SayWhichQueuesWereAddedSinceThePress) {
    using Kind = platform::NewPrinterOutcome::Kind;
    const EndStory& story = GetParam();
    FakePlatform platform;
    FakeInterface ui{platform.journal};
    runNetlumeAppDelegate controller{platform};
    connectOutlets(controller, ui, platform.log());
    connectActions(controller, ui, platform.log());
    controller._noteAttachedPrinter(printer("SN1"));
    platform.dialogs.isAvailable = story.end != End::SettingsClosed;
    platform.printQueues.devices = {{{Own.deviceUri, ""}}, {}};
    controller._findPrinterAddress();
    platform.threadsFake.settle();
    platform.logFake.lines.clear();

    platform.printQueues.answer = {{Own}, {}};
    platform.printQueues.onAsked = [&] { platform.printQueues.answer = story.atEnd; };
    ui.activate("addPrinterButton");
    switch (story.end) {
    case End::SettingsClosed:
        break;
    case End::Added:
        platform.dialogs.end({Kind::Added, "Laser-2"});
        break;
    case End::Cancelled:
    case End::Unanswered:
        platform.dialogs.end({Kind::Cancelled, ""});
        break;
    case End::ServiceGone:
        platform.dialogs.end({Kind::ServiceGone, ""});
        break;
    case End::FallbackThenClosed:
        platform.dialogs.end({Kind::Failed, "no dialog window showed within 10 s"});
        break;
    }
    if (story.end == End::Unanswered) {
        // The bound's thread overtakes both questions to the print system.
        platform.threadsFake.runNewestBackground();
        platform.threadsFake.runMainThread();
    }
    EXPECT_TRUE(platform.app.terminateSenders.empty() == (story.end != End::Unanswered));
    platform.threadsFake.settle();
    EXPECT_EQ(platform.logFake.lines, story.lines);
    EXPECT_EQ(platform.app.terminateSenders, std::vector<const void*>{&controller});
}

} // namespace
