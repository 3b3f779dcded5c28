// SPDX-License-Identifier: MIT
#include "app/handoff/AgentPath.h"

#include <algorithm>

AgentPathVerdict judgeAgentPath(std::string_view path) {
    const auto byte = [](char c) { return static_cast<unsigned char>(c); };
    if (std::any_of(path.begin(), path.end(), [&](char c) { return byte(c) >= 0x80; }))
        return AgentPathVerdict::NotAscii;
    if (std::any_of(path.begin(), path.end(), [&](char c) {
            return c == '"' || c == '$' || c == '`' || c == '\\' || byte(c) < 0x20 ||
                   byte(c) == 0x7F;
        }))
        return AgentPathVerdict::Refused;
    if (path.size() > MostAgentPathCharacters) return AgentPathVerdict::TooLong;
    return AgentPathVerdict::Accepted;
}

std::string whyAgentPathRefused(AgentPathVerdict verdict) {
    switch (verdict) {
    case AgentPathVerdict::Accepted:
        return {};
    case AgentPathVerdict::NotAscii:
        return "a path outside 7-bit ASCII is never handed to the service manager";
    case AgentPathVerdict::Refused:
        return "a path holding \", $, `, \\ or a control character is never handed to the "
               "service manager";
    case AgentPathVerdict::TooLong:
        return "a path longer than " + std::to_string(MostAgentPathCharacters) +
               " characters is never handed to the service manager";
    }
    return {};
}
