// SPDX-License-Identifier: MIT
// Dropping and reloading the driver's agents, and what never reaches the
// shell.
#include "tests/fakes/ControllerFixture.h"

using namespace fakes;
using ::testing::ElementsAre;

namespace {

class AgentRefresh : public ControllerTest {
protected:
    void catalogue(const std::vector<std::string>& agents,
                   const std::optional<std::string>& monitor) {
        platform.setCatalogue("wifiDevices", agentsCatalogue(agents, monitor));
    }
    const std::vector<std::string>& commands() const { return platform.shellFake.commands; }
};

TEST_F(AgentRefresh, NothingListedNothingRun) {
    platform.setCatalogue("wifiDevices", dict({}));
    controller._refreshLaunchAgents();
    platform.removeCatalogue("wifiDevices");
    controller._refreshLaunchAgents();
    EXPECT_TRUE(platform.journal.empty());
}

TEST_F(AgentRefresh, EachAgentIsUnloadedAndLoadedBeforeTheNextThenTheMonitor) {
    catalogue({"/A.plist", "/B.plist"}, "/M.plist");
    controller._refreshLaunchAgents();
    EXPECT_THAT(commands(),
                ElementsAre(R"(launchctl unload "/A.plist")", R"(launchctl load "/A.plist")",
                            R"(launchctl unload "/B.plist")", R"(launchctl load "/B.plist")",
                            R"(launchctl unload "/M.plist")", R"(launchctl load "/M.plist")"));
}

TEST_F(AgentRefresh, ASignalDuringACommandSkipsTheRestAndShowsNothing) {
    catalogue({"/A.plist", "/B.plist"}, "/M.plist");
    platform.shellFake.onCommand = [&](const std::string& command) {
        if (command == R"(launchctl unload "/A.plist")") platform.app.signalled = true;
    };
    controller.applicationDidFinishLaunching();
    EXPECT_EQ(platform.journal, (Journal{R"(shell launchctl unload "/A.plist")", "terminate"}));
    EXPECT_EQ(platform.app.terminateSenders, std::vector<const void*>{&controller});
}

TEST_F(AgentRefresh, MonitorAgentAloneAtOrAboveTheVersion) {
    catalogue({}, "/M.plist");
    platform.profileValue.toolkitVersion = 1504.0;
    controller._refreshLaunchAgents();
    platform.profileValue.toolkitVersion = 2299.3;
    controller._refreshLaunchAgents();
    EXPECT_EQ(commands().size(), 4U);
}

TEST_F(AgentRefresh, BelowTheVersionOrNoNumberOnlyTheListRuns) {
    catalogue({"/1", "/2", "/3"}, "/M.plist");
    platform.profileValue.toolkitVersion = 1503.999;
    controller._refreshLaunchAgents();
    EXPECT_THAT(commands(), ElementsAre(R"(launchctl unload "/1")", R"(launchctl load "/1")",
                                        R"(launchctl unload "/2")", R"(launchctl load "/2")",
                                        R"(launchctl unload "/3")", R"(launchctl load "/3")"));
    platform.shellFake.commands.clear();
    catalogue({}, "/M.plist");
    platform.profileValue.toolkitVersion = std::numeric_limits<double>::quiet_NaN();
    controller._refreshLaunchAgents();
    EXPECT_TRUE(commands().empty());
}

TEST_F(AgentRefresh, SpacesStayInsideTheQuotes) {
    catalogue({"/Library/Printer Agents/status agent.plist"}, std::nullopt);
    controller._refreshLaunchAgents();
    EXPECT_EQ(commands().front(),
              R"(launchctl unload "/Library/Printer Agents/status agent.plist")");
}

TEST_F(AgentRefresh, NonAsciiPathIsSkippedSilentlyAndTheNextOneRuns) {
    catalogue({"/Library/Agents/caf\xC3\xA9.plist", "/B.plist"}, std::nullopt);
    controller._refreshLaunchAgents();
    EXPECT_THAT(commands(),
                ElementsAre(R"(launchctl unload "/B.plist")", R"(launchctl load "/B.plist")"));
    EXPECT_TRUE(platform.logFake.lines.empty());
}

TEST_F(AgentRefresh, OverlongUnloadIsNotRunButItsLoadFits) {
    const std::string path = "/" + std::string(1004, 'a'); // 1005 characters
    catalogue({path}, std::nullopt);
    controller._refreshLaunchAgents();
    ASSERT_EQ(commands().size(), 1U);
    EXPECT_EQ(commands().front(), "launchctl load \"" + path + "\"");
    EXPECT_EQ(commands().front().size(), 1022U);
    EXPECT_EQ(platform.logFake.lines.size(), 1U);
    EXPECT_EQ(platform.logFake.lines.front().rfind("not run: the command for", 0), 0U);

    platform.shellFake.commands.clear();
    catalogue({"/" + std::string(1003, 'b')}, std::nullopt); // 1004: both fit whole
    controller._refreshLaunchAgents();
    EXPECT_EQ(commands().size(), 2U);
}

class RefusedCharacter : public AgentRefresh, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedCharacter, PathIsRefusedWithOneLineAndTheRefreshGoesOn) {
    catalogue({std::string("/evil") + GetParam() + "name.plist", "/good.plist"}, std::nullopt);
    controller._refreshLaunchAgents();
    EXPECT_THAT(commands(), ElementsAre(R"(launchctl unload "/good.plist")",
                                        R"(launchctl load "/good.plist")"));
    // One line for the path, though it would have formed two commands.
    ASSERT_EQ(platform.logFake.lines.size(), 1U);
    EXPECT_EQ(platform.logFake.lines[0].rfind("refused \"/evil", 0), 0U);
    EXPECT_EQ(platform.logFake.lines[0].find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(ShellCharacters, RefusedCharacter,
                         ::testing::Values("\"", "$", "`", "\\", "\n", "\t", "\x1b", "\x7f",
                                           "\"; touch /tmp/x; \""));

} // namespace
