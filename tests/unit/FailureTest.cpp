// SPDX-License-Identifier: MIT
// How a failure reads in the log, and which agent paths are handed on.
#include "platform/Failure.h"
#include "app/handoff/AgentPath.h"
#include "platform/linux/PlistProblem.h"

#include <gtest/gtest.h>

namespace {

TEST(Failure, ReadsAsTextThenCallAndCode) {
    using platform::Failure;
    const struct {
        Failure failure;
        const char* words;
    } rows[] = {
        {{{}, {}, "exit status 3"}, "exit status 3"},
        {{"sd_bus_start", "ENOENT", "no manager: No such file or directory"},
         "no manager: No such file or directory (sd_bus_start: ENOENT)"},
        {{"CUPS-Get-Printers", {}, "no answer within 5 s"},
         "no answer within 5 s (CUPS-Get-Printers)"},
        {{{}, "parse", "unexpected end at line 3, column 7"},
         "unexpected end at line 3, column 7 (parse)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(describe(row.failure), row.words);

    platform::linux_backend::PlistProblem atByte = platform::linux_backend::problemOf(
        platform::linux_backend::PlistProblem::Kind::Depth, "a container that holds itself");
    atByte.offset = 19;
    EXPECT_EQ(describe(failureOf(atByte)), "a container that holds itself at byte 19 (depth)");
}

TEST(AgentPath, OneRuleForTheRefreshAndTheChecker) {
    const std::string longest = "/" + std::string(MostAgentPathCharacters - 1, 'a');
    const struct {
        std::string path;
        AgentPathVerdict verdict;
    } rows[] = {
        {"/opt/drv/My Units/scan helper.service", AgentPathVerdict::Accepted},
        {longest, AgentPathVerdict::Accepted},
        {longest + "a", AgentPathVerdict::TooLong},
        {"/opt/caf\xC3\xA9.service", AgentPathVerdict::NotAscii},
        // Outside ASCII says more than the length or a character would.
        {longest + "\xC3\xA9$", AgentPathVerdict::NotAscii},
        {"/x\"; reboot; \".service", AgentPathVerdict::Refused},
        {"/x$(reboot).service", AgentPathVerdict::Refused},
        {"/x`reboot`.service", AgentPathVerdict::Refused},
        {"/x\\.service", AgentPathVerdict::Refused},
        {"/x\n.service", AgentPathVerdict::Refused},
        {"/x\x7F.service", AgentPathVerdict::Refused},
    };
    for (const auto& row : rows)
        EXPECT_EQ(judgeAgentPath(row.path), row.verdict) << row.path;
    EXPECT_EQ(whyAgentPathRefused(AgentPathVerdict::Accepted), "");
}

} // namespace
