// SPDX-License-Identifier: MIT
// Dropping and reloading the driver's agents, and what never reaches the
// shell.
#include "tests/fakes/ControllerFixture.h"

#include <map>

using namespace fakes;
using ::testing::ElementsAre;

namespace {

// The shell road, with the Linux profile's commands as its words.
class AgentRefresh : public ControllerTest {
protected:
    AgentRefresh() {
        platform.profileValue.agentReload = platform::PlatformProfile::AgentReload::ShellCommands;
    }
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
    // The print queues are asked for from the event loop, which never runs.
    EXPECT_EQ(platform.journal,
              (Journal{"to main thread", "shell " + disable("/A.plist"), "terminate"}));
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

// The Linux desktop's road: the same agents, refusals and order, asked of the
// user's service manager, which starts the loaded agents together at the end.
struct ManagerStory {
    const char* name;
    std::vector<std::string> listed;
    std::string unreachable;
    std::map<std::string, std::string> failures;
    std::vector<std::string> requests;
    std::vector<std::string> log;
};

class AgentsThroughTheManager : public ControllerTest,
                                public ::testing::WithParamInterface<ManagerStory> {};

const std::string Overlong = "/" + std::string(979, 'a'); // only its load command fits

INSTANTIATE_TEST_SUITE_P(
    Stories, AgentsThroughTheManager,
    ::testing::Values(
        ManagerStory{"InOrderThenStartedTogether",
                     {"/a.service", "/b.service", "/a.service"},
                     {},
                     {},
                     {"unload /a.service", "load /a.service", "unload /b.service",
                      "load /b.service", "unload /m.service", "load /m.service",
                      "start /a.service /b.service /m.service", "await starts"},
                     {"1 agent paths listed again are reloaded once, at their first place"}},
        ManagerStory{"UnreachableIsOneLine",
                     {"/a.service"},
                     "XDG_RUNTIME_DIR is not set",
                     {},
                     {},
                     {"agents not reloaded: XDG_RUNTIME_DIR is not set"}},
        ManagerStory{"EachFailureNamesItsAgentAndTheRestGoesOn",
                     {"/a.service", "/b.service"},
                     {},
                     {{"unload /a.service", "busy"},
                      {"load /b.service", "Unit file /b.service does not exist."},
                      {"start /a.service", "its start job ended \"failed\""}},
                     {"unload /a.service", "load /a.service", "unload /b.service",
                      "load /b.service", "unload /m.service", "load /m.service",
                      "start /a.service /m.service", "await starts"},
                     {"agent \"/a.service\" not unloaded: busy",
                      "agent \"/b.service\" not loaded: Unit file /b.service does not exist.",
                      "agent \"/a.service\" not started: its start job ended \"failed\""}},
        ManagerStory{"AStartNotAskedForIsLoggedAtOnceAndNotAwaited",
                     {"/a.service"},
                     {},
                     {{"start /a.service /m.service", "the service manager stopped answering"}},
                     {"unload /a.service", "load /a.service", "unload /m.service",
                      "load /m.service", "start /a.service /m.service"},
                     {"agent \"/a.service\" not started: the service manager stopped answering",
                      "agent \"/m.service\" not started: the service manager stopped "
                      "answering"}},
        ManagerStory{"PathsAreRefusedAsTheirCommandsWouldBe",
                     {"/evil$name.service", "/caf\xC3\xA9.service", Overlong},
                     {},
                     {},
                     {"load " + Overlong, "unload /m.service", "load /m.service",
                      "start " + Overlong + " /m.service", "await starts"},
                     {"refused \"/evil$name.service\": a path holding \", $, `, \\ or a control "
                      "character is never put into a shell command",
                      "not run: the command for \"" + Overlong +
                          "\" would be longer than 1023 characters"}}),
    [](const ::testing::TestParamInfo<ManagerStory>& story) { return story.param.name; });

TEST_P(AgentsThroughTheManager, AsksTheManagerAndLogsWhatFails) {
    const ManagerStory& story = GetParam();
    platform.setCatalogue("wifiDevices", agentsCatalogue(story.listed, "/m.service"));
    platform.agents.unreachable = story.unreachable;
    platform.agents.failures = story.failures;
    controller._refreshLaunchAgents();
    platform.threadsFake.runBackground(); // the starts are awaited apart
    EXPECT_EQ(platform.agents.requests, story.requests);
    EXPECT_EQ(platform.logFake.lines, story.log);
    EXPECT_TRUE(platform.shellFake.commands.empty());
}

using ManagerRoad = ControllerTest;

TEST_F(ManagerRoad, NoAgentListedLeavesTheManagerAlone) {
    platform.setCatalogue("wifiDevices", agentsCatalogue({}, std::nullopt));
    controller._refreshLaunchAgents();
    EXPECT_TRUE(platform.journal.empty());
}

// A signal ends the refresh after the running step, as on the shell road; an
// agent already loaded still starts, as its one command would have started it.
TEST_F(ManagerRoad, ASignalDuringAStepSkipsTheRestButStartsWhatWasLoaded) {
    platform.setCatalogue("wifiDevices", agentsCatalogue({"/a.service", "/b.service"}, {}));
    for (const auto& [signalledAt, requests] :
         std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"unload /a.service", {"unload /a.service"}},
             {"load /a.service", {"unload /a.service", "load /a.service", "start /a.service"}}}) {
        platform.journal.clear();
        platform.agents.requests.clear();
        platform.app.signalled = false;
        platform.agents.onRequest = [&, at = signalledAt](const std::string& request) {
            if (request == at) platform.app.signalled = true;
        };
        controller.applicationDidFinishLaunching();
        EXPECT_EQ(platform.agents.requests, requests) << signalledAt;
        EXPECT_EQ(platform.journal.back(), "terminate") << signalledAt;
    }
}
