// SPDX-License-Identifier: MIT
// Every labelled control receives its text once, in the table's order.
#include "tests/fakes/ControllerFixture.h"

using namespace fakes;
using ::testing::ElementsAre;

namespace {

class Labels : public ControllerTest {};

TEST_F(Labels, NineteenRowsInOrderWithTheRightKindOfText) {
    controller._applyLocalizedLabels();
    EXPECT_THAT(
        only({"title", "text"}),
        ElementsAre(
            "text usbNeedTextField usbNeedString", "title skipButton skipString",
            "title nextButton nextString", "title doneButton Done", "text skipTextField skipString",
            "title okButton OK", "title cancelButton Cancel", "text textField QuestionString",
            "text launchNetlumeNoteTextField launchNetlumeNote",
            "text warmPromptTextField warmPrompt", "text addPrinterTextField addPrinter",
            "text stepsPromptTextField stepsPromptString", "text step1TextField step1",
            "text step2TextField step2", "text step3TextField step3", "text step4TextField step4",
            "text addPrinterNoteTextField addPrinterNote", "title addPrinterButton addPrinter",
            "title doneButtonInAddPrinterWindow Done"));
    EXPECT_EQ(ui.fakeControl("okButtonInWarmPromptWindow").title(), "");
}

TEST_F(Labels, TranslatedTextsAndMissingKeysSideBySide) {
    platform.bundleFake.strings = {{"Done", "Fertig"}, {"skipString", "Überspringen"}};
    controller._applyLocalizedLabels();
    EXPECT_EQ(ui.fakeControl("doneButton").title(), "Fertig");
    EXPECT_EQ(ui.fakeControl("doneButtonInAddPrinterWindow").title(), "Fertig");
    EXPECT_EQ(ui.fakeControl("skipButton").title(), "Überspringen");
    EXPECT_EQ(ui.fakeControl("skipTextField").text(), "Überspringen");
    EXPECT_EQ(ui.fakeControl("step3TextField").text(), "step3");
}

TEST_F(Labels, AnUnconnectedOutletSkipsOnlyItsRow) {
    runNetlumeAppDelegate partial(platform);
    connectOutlets(partial, ui);
    partial.setStep2TextField(nullptr);
    platform.journal.clear();
    partial._applyLocalizedLabels();
    EXPECT_EQ(only({"title", "text"}).size(), 18U);
}

TEST_F(Labels, EveryOutletIsConnectedByItsName) {
    EXPECT_EQ(controller.window(), ui.window("window"));
    EXPECT_EQ(controller.launchNetlumeView(), ui.view("launchNetlumeView"));
    EXPECT_EQ(controller.warmPromptWindow(), ui.window("warmPromptWindow"));
    EXPECT_EQ(controller.addPrinterWindow(), ui.window("addPrinterWindow"));
    const std::vector<platform::Control*> connected = {
        controller.usbNeedTextField(),
        controller.skipButton(),
        controller.nextButton(),
        controller.doneButton(),
        controller.skipTextField(),
        controller.okButton(),
        controller.cancelButton(),
        controller.textField(),
        controller.launchNetlumeNoteTextField(),
        controller.okButtonInWarmPromptWindow(),
        controller.warmPromptTextField(),
        controller.doneButtonInAddPrinterWindow(),
        controller.addPrinterButton(),
        controller.addPrinterTextField(),
        controller.stepsPromptTextField(),
        controller.step1TextField(),
        controller.step2TextField(),
        controller.step3TextField(),
        controller.step4TextField(),
        controller.addPrinterNoteTextField(),
    };
    ASSERT_EQ(connected.size(), controlOutletNames().size());
    for (std::size_t i = 0; i < connected.size(); ++i)
        EXPECT_EQ(connected[i], ui.control(controlOutletNames()[i])) << controlOutletNames()[i];
}

TEST_F(Labels, AnActionNamingNoHandlerIsLoggedAndLeftUnwired) {
    ui.bindings = {{ui.control("nextButton"), "nextButtonClicked:"}};
    runNetlumeAppDelegate other(platform);
    connectActions(other, ui, platform.log());
    EXPECT_EQ(platform.logFake.lines.back(),
              "interface description: no action named \"nextButtonClicked:\"");
}

} // namespace
