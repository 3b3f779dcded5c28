// SPDX-License-Identifier: MIT
// Which agent paths of the catalogue are handed to the service manager. The
// catalogue's format promises the paths in 7-bit ASCII; a path holding ",
// $, `, \ or a control character names no unit file a driver installs, and
// would read as syntax to whoever takes it further (a log reader, an
// administrator's command line); one longer than the driver's own desktop
// could take whole is no path of the driver's either. The refresh and the
// checker judge by this one rule.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class AgentPathVerdict { Accepted, NotAscii, Refused, TooLong };

// The driver's own desktop formed each agent's two commands from the path in
// a buffer of 1024 bytes: a path of this length fitted both whole.
inline constexpr std::size_t MostAgentPathCharacters = 1004;

AgentPathVerdict judgeAgentPath(std::string_view path);

// Why a path is not handed on, in words that follow the path in a log line
// or a checker's finding; empty for Accepted.
std::string whyAgentPathRefused(AgentPathVerdict verdict);
