// SPDX-License-Identifier: MIT
#include "app/handoff/CommandBuffer.h"

#include "app/detection/LogText.h"
#include "app/handoff/AgentPath.h"

#include "platform/Platform.h"

#include <algorithm>
#include <optional>
#include <string>

CommandBuffer::Outcome CommandBuffer::format(std::string_view format, std::string_view path) {
    bytes_.fill('\0');
    // The characters an agent path may not hold are those the shell reads
    // inside double quotes; the length is judged by what the buffer holds.
    switch (judgeAgentPath(path)) {
    case AgentPathVerdict::NotAscii:
        return Outcome::NotAscii;
    case AgentPathVerdict::Refused:
        return Outcome::ShellCharacter;
    case AgentPathVerdict::Accepted:
    case AgentPathVerdict::TooLong:
        break;
    }
    const std::size_t slot = format.find("%s");
    const std::string_view head = format.substr(0, slot);
    const std::string_view tail =
        slot == std::string_view::npos ? std::string_view{} : format.substr(slot + 2);
    const std::string_view middle = slot == std::string_view::npos ? std::string_view{} : path;
    if (head.size() + middle.size() + tail.size() >= Size) return Outcome::TooLong;

    char* out = bytes_.data();
    out = std::copy(head.begin(), head.end(), out);
    out = std::copy(middle.begin(), middle.end(), out);
    std::copy(tail.begin(), tail.end(), out);
    return Outcome::Formed;
}

CommandBuffer::Outcome runShellCommand(platform::Platform& platform, CommandBuffer& buffer,
                                       std::string_view format, std::string_view path) {
    const CommandBuffer::Outcome outcome = buffer.format(format, path);
    if (outcome == CommandBuffer::Outcome::ShellCharacter)
        platform.log().write("refused \"" + printable(path) +
                             "\": a path holding \", $, `, \\ or a control character is never "
                             "put into a shell command");
    if (outcome == CommandBuffer::Outcome::TooLong)
        platform.log().write("not run: the command for \"" + printable(path) +
                             "\" would be longer than " + std::to_string(CommandBuffer::Size - 1) +
                             " characters");
    if (outcome != CommandBuffer::Outcome::Formed) return outcome;
    if (const std::optional<platform::Failure> failure = platform.shell().system(buffer.command()))
        platform.log().write("\"" + printable(buffer.command()) +
                             "\" failed: " + printable(describe(*failure)));
    return outcome;
}
