// SPDX-License-Identifier: MIT
#include "app/handoff/CommandBuffer.h"

#include "app/detection/LogText.h"

#include "platform/Platform.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

bool isShellCharacter(unsigned char c) {
    return c == '"' || c == '$' || c == '`' || c == '\\' || c < 0x20 || c == 0x7F;
}

} // namespace

std::string whyNotFormed(CommandBuffer::Outcome outcome) {
    switch (outcome) {
    case CommandBuffer::Outcome::Formed:
        return {};
    case CommandBuffer::Outcome::NotAscii:
        return "a path outside 7-bit ASCII is never put into a shell command";
    case CommandBuffer::Outcome::ShellCharacter:
        return "a path holding \", $, `, \\ or a control character is never put into a shell "
               "command";
    case CommandBuffer::Outcome::TooLong:
        return "would be longer than " + std::to_string(CommandBuffer::Size - 1) + " characters";
    }
    return {};
}

CommandBuffer::Outcome CommandBuffer::format(std::string_view format, std::string_view path) {
    bytes_.fill('\0');
    if (std::any_of(path.begin(), path.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        return Outcome::NotAscii;
    }
    if (std::any_of(path.begin(), path.end(),
                    [](char c) { return isShellCharacter(static_cast<unsigned char>(c)); })) {
        return Outcome::ShellCharacter;
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

CommandBuffer::Outcome formCommand(platform::Platform& platform, CommandBuffer& buffer,
                                   std::string_view format, std::string_view path) {
    const CommandBuffer::Outcome outcome = buffer.format(format, path);
    switch (outcome) {
    case CommandBuffer::Outcome::Formed:
    case CommandBuffer::Outcome::NotAscii:
        break;
    case CommandBuffer::Outcome::ShellCharacter:
        platform.log().write("refused \"" + printable(path) + "\": " + whyNotFormed(outcome));
        break;
    case CommandBuffer::Outcome::TooLong:
        platform.log().write("not run: the command for \"" + printable(path) + "\" " +
                             whyNotFormed(outcome));
        break;
    }
    return outcome;
}

CommandBuffer::Outcome runShellCommand(platform::Platform& platform, CommandBuffer& buffer,
                                       std::string_view format, std::string_view path) {
    const CommandBuffer::Outcome outcome = formCommand(platform, buffer, format, path);
    if (outcome != CommandBuffer::Outcome::Formed) return outcome;
    if (const std::optional<platform::Failure> failure = platform.shell().system(buffer.command()))
        platform.log().write("\"" + printable(buffer.command()) +
                             "\" failed: " + printable(describe(*failure)));
    return outcome;
}
