// SPDX-License-Identifier: MIT
#include "app/handoff/CommandBuffer.h"

#include "platform/Platform.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

bool isShellCharacter(unsigned char c) {
    return c == '"' || c == '$' || c == '`' || c == '\\' || c < 0x20 || c == 0x7F;
}

// Control characters would reach the log as they are; show them as escapes.
std::string printable(std::string_view text) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += digits[byte / 16];
            out += digits[byte % 16];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

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

CommandBuffer::Outcome runShellCommand(platform::Platform& platform, CommandBuffer& buffer,
                                       std::string_view format, std::string_view path) {
    const CommandBuffer::Outcome outcome = buffer.format(format, path);
    switch (outcome) {
    case CommandBuffer::Outcome::Formed:
        platform.shell().system(buffer.command());
        break;
    case CommandBuffer::Outcome::NotAscii:
        break;
    case CommandBuffer::Outcome::ShellCharacter:
        platform.log().write("refused \"" + printable(path) +
                             "\": a path holding \", $, `, \\ or a control character is never "
                             "put into a shell command");
        break;
    case CommandBuffer::Outcome::TooLong:
        platform.log().write("not run: the command for \"" + printable(path) +
                             "\" would be longer than 1023 characters");
        break;
    }
    return outcome;
}
