// SPDX-License-Identifier: MIT
// Labels and wiring by name: what a translation, a missing key, an
// unconnected outlet and an unknown name do. That every outlet of the table
// exists in the real interface and receives its label is tested there.
#include "tests/fakes/ControllerFixture.h"

using namespace fakes;
using ::testing::ElementsAre;

namespace {

class Labels : public ControllerTest {};

TEST_F(Labels, KeysSharedByTwoControlsAndMissingKeysSideBySide) {
    platform.bundleFake.strings = {{"Done", "Fertig"}, {"skipString", "Überspringen"}};
    controller._applyLocalizedLabels();
    EXPECT_EQ(ui.fakeControl("doneButton").title(), "Fertig");
    EXPECT_EQ(ui.fakeControl("doneButtonInAddPrinterWindow").title(), "Fertig");
    EXPECT_EQ(ui.fakeControl("skipButton").title(), "Überspringen");
    EXPECT_EQ(ui.fakeControl("skipTextField").text(), "Überspringen");
    EXPECT_EQ(ui.fakeControl("step3TextField").text(), "step3");
    EXPECT_EQ(ui.fakeControl("okButtonInWarmPromptWindow").title(), "");
}

TEST_F(Labels, AnUnconnectedOutletSkipsOnlyItsRow) {
    runNetlumeAppDelegate partial(platform);
    connectOutlets(partial, ui, platform.log());
    partial.setStep2TextField(nullptr);
    platform.journal.clear();
    partial._applyLocalizedLabels();
    EXPECT_EQ(ui.fakeControl("step2TextField").text(), "");
    EXPECT_EQ(ui.fakeControl("step1TextField").text(), "step1");
    EXPECT_EQ(ui.fakeControl("step3TextField").text(), "step3");
}

TEST_F(Labels, UnknownNamesAreLoggedAndLeftUnwired) {
    ui.remove("step2TextField");
    ui.bindings = {{ui.control("nextButton"), "nextButtonClicked:"}};
    platform.logFake.lines.clear();
    runNetlumeAppDelegate other(platform);
    connectOutlets(other, ui, platform.log());
    connectActions(other, ui, platform.log());
    EXPECT_EQ(other.step2TextField(), nullptr);
    EXPECT_THAT(platform.logFake.lines,
                ElementsAre("interface description: no outlet named \"step2TextField\"",
                            "interface description: no action named \"nextButtonClicked:\""));
}

} // namespace
