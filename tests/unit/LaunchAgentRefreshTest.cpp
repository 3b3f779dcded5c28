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
    // The Linux profile's two commands for an agent's unit file.
    static std::string disable(const std::string& path) {
        return R"x(systemctl --user disable --now -- "$(basename -- ")x" + path + R"x(")")x";
    }
    static std::string enable(const std::string& path) {
        return R"(systemctl --user enable --now -- ")" + path + "\"";
    }
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
                ElementsAre(disable("/A.plist"), enable("/A.plist"), disable("/B.plist"),
                            enable("/B.plist"), disable("/M.plist"), enable("/M.plist")));
}

TEST_F(AgentRefresh, ASignalDuringACommandSkipsTheRestAndShowsNothing) {
    catalogue({"/A.plist", "/B.plist"}, "/M.plist");
    platform.shellFake.onCommand = [&](const std::string& command) {
        if (command == disable("/A.plist")) platform.app.signalled = true;
    };
    controller.applicationDidFinishLaunching();
    EXPECT_EQ(platform.journal, (Journal{"shell " + disable("/A.plist"), "terminate"}));
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
    EXPECT_THAT(commands(), ElementsAre(disable("/1"), enable("/1"), disable("/2"), enable("/2"),
                                        disable("/3"), enable("/3")));
    platform.shellFake.commands.clear();
    catalogue({}, "/M.plist");
    platform.profileValue.toolkitVersion = std::numeric_limits<double>::quiet_NaN();
    controller._refreshLaunchAgents();
    EXPECT_TRUE(commands().empty());
}

TEST_F(AgentRefresh, SpacesStayInsideTheQuotes) {
    catalogue({"/Library/Printer Agents/status agent.plist"}, std::nullopt);
    controller._refreshLaunchAgents();
    EXPECT_EQ(commands().front(), disable("/Library/Printer Agents/status agent.plist"));
}

TEST_F(AgentRefresh, NonAsciiPathIsSkippedSilentlyAndTheNextOneRuns) {
    catalogue({"/Library/Agents/caf\xC3\xA9.plist", "/B.plist"}, std::nullopt);
    controller._refreshLaunchAgents();
    EXPECT_THAT(commands(), ElementsAre(disable("/B.plist"), enable("/B.plist")));
    EXPECT_TRUE(platform.logFake.lines.empty());
}

TEST_F(AgentRefresh, OverlongUnloadIsNotRunButItsLoadFits) {
    // 980 characters: 1033 in the disable command, 1015 in the enable one.
    const std::string path = "/" + std::string(979, 'a');
    catalogue({path}, std::nullopt);
    controller._refreshLaunchAgents();
    ASSERT_EQ(commands().size(), 1U);
    EXPECT_EQ(commands().front(), enable(path));
    EXPECT_EQ(commands().front().size(), 1015U);
    EXPECT_EQ(platform.logFake.lines.size(), 1U);
    EXPECT_EQ(platform.logFake.lines.front().rfind("not run: the command for", 0), 0U);

    platform.shellFake.commands.clear();
    catalogue({"/" + std::string(969, 'b')}, std::nullopt); // 970: both fit whole
    controller._refreshLaunchAgents();
    EXPECT_EQ(commands().size(), 2U);
}

// A list of the same path many times over, or of very many paths, costs
// no more than 64 agents' commands before the first window.
TEST_F(AgentRefresh, RepeatsAreReloadedOnceAndAtMost64Agents) {
    std::vector<std::string> listed = {"/a", "/b", "/a", "/a"};
    for (int i = 0; i < 70; ++i)
        listed.push_back("/unit" + std::to_string(i));
    catalogue(listed, std::nullopt);
    controller._refreshLaunchAgents();
    ASSERT_EQ(commands().size(), 2U * 64);
    EXPECT_EQ(commands()[0], disable("/a"));
    EXPECT_EQ(commands()[2], disable("/b"));
    EXPECT_EQ(commands()[4], disable("/unit0"));
    EXPECT_EQ(commands().back(), enable("/unit61"));
    EXPECT_THAT(platform.logFake.lines,
                ElementsAre("2 agent paths listed again are reloaded once, at their first place",
                            "only the first 64 agent paths are reloaded; 8 more are skipped"));
}

class RefusedCharacter : public AgentRefresh, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedCharacter, PathIsRefusedWithOneLineAndTheRefreshGoesOn) {
    catalogue({std::string("/evil") + GetParam() + "name.plist", "/good.plist"}, std::nullopt);
    controller._refreshLaunchAgents();
    EXPECT_THAT(commands(), ElementsAre(disable("/good.plist"), enable("/good.plist")));
    // One line for the path, though it would have formed two commands.
    ASSERT_EQ(platform.logFake.lines.size(), 1U);
    EXPECT_EQ(platform.logFake.lines[0].rfind("refused \"/evil", 0), 0U);
    EXPECT_EQ(platform.logFake.lines[0].find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(ShellCharacters, RefusedCharacter,
                         ::testing::Values("\"", "$", "`", "\\", "\n", "\t", "\x1b", "\x7f",
                                           "\"; touch /tmp/x; \""));

} // namespace
