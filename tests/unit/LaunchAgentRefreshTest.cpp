// SPDX-License-Identifier: MIT
// Dropping and reloading the driver's agents through the user's service
// manager, and the paths it is never handed.
#include "tests/fakes/ControllerFixture.h"

#include <map>

using namespace fakes;
using ::testing::ElementsAre;

namespace {

// Each agent is asked of the user's service manager in order, and the loaded
// agents are started together at the end.
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

const std::string Longest = "/" + std::string(1003, 'a');
const std::string Refusal =
    "a path holding \", $, `, \\ or a control character is never handed to the service manager";

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
        // One line for each refused path (none for a path outside ASCII),
        // and the refresh goes on with the next.
        ManagerStory{"PathsAreRefusedByOneRule",
                     {"/evil$name.service", "/x\"; touch /tmp/x; \".service", "/t\tab",
                      "/caf\xC3\xA9.service", Longest + "a", Longest},
                     {},
                     {},
                     {"unload " + Longest, "load " + Longest, "unload /m.service",
                      "load /m.service", "start " + Longest + " /m.service", "await starts"},
                     {"refused \"/evil$name.service\": " + Refusal,
                      "refused \"/x\"; touch /tmp/x; \".service\": " + Refusal,
                      "refused \"/t\\x09ab\": " + Refusal,
                      "refused \"" + Longest +
                          "a\": a path longer than 1004 characters is "
                          "never handed to the service manager"}}),
    [](const ::testing::TestParamInfo<ManagerStory>& story) { return story.param.name; });

} // namespace

TEST_P(AgentsThroughTheManager, AsksTheManagerAndLogsWhatFails) {
    const ManagerStory& story = GetParam();
    platform.setCatalogue("wifiDevices", agentsCatalogue(story.listed, "/m.service"));
    platform.agents.unreachable = story.unreachable;
    platform.agents.failures = story.failures;
    controller._refreshLaunchAgents();
    platform.threadsFake.runBackground(); // the starts are awaited apart
    EXPECT_EQ(platform.agents.requests, story.requests);
    EXPECT_EQ(platform.logFake.lines, story.log);
}

using ManagerRoad = ControllerTest;

TEST_F(ManagerRoad, NoAgentListedLeavesTheManagerAlone) {
    platform.setCatalogue("wifiDevices", agentsCatalogue({}, std::nullopt));
    controller._refreshLaunchAgents();
    platform.removeCatalogue("wifiDevices");
    controller._refreshLaunchAgents();
    EXPECT_TRUE(platform.journal.empty());
}

// A list of the same path many times over, or of very many paths, costs no
// more than 64 agents' requests before the first window.
TEST_F(ManagerRoad, RepeatsAreReloadedOnceAndAtMost64Agents) {
    std::vector<std::string> listed = {"/a", "/b", "/a", "/a"};
    for (int i = 0; i < 70; ++i)
        listed.push_back("/unit" + std::to_string(i));
    platform.setCatalogue("wifiDevices", agentsCatalogue(listed, std::nullopt));
    controller._refreshLaunchAgents();
    const std::vector<std::string>& requests = platform.agents.requests;
    ASSERT_EQ(requests.size(), 2U * 64 + 1);
    EXPECT_EQ(requests[2], "unload /b");
    EXPECT_EQ(requests[4], "unload /unit0");
    EXPECT_EQ(requests[2 * 64 - 1], "load /unit61");
    EXPECT_THAT(platform.logFake.lines,
                ElementsAre("2 agent paths listed again are reloaded once, at their first place",
                            "only the first 64 agent paths are reloaded; 8 more are skipped"));
}

// A signal ends the refresh after the running step; an agent already loaded
// still starts, as, enabled, it would at the next login anyway.
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
