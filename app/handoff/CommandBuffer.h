// SPDX-License-Identifier: MIT
// Shell commands are formed in a zero-filled buffer of 1024 bytes from a
// format with one "%s", which takes a path between the format's own double
// quotes. Inside double quotes the shell still interprets ", $, ` and \, so a
// path holding one of them, or a control character, is refused outright; so
// is a command that would not fit whole.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace platform {
class Platform;
}

class CommandBuffer {
public:
    enum class Outcome { Formed, NotAscii, ShellCharacter, TooLong };

    static constexpr std::size_t Size = 1024;

    // Zero-fills the buffer, then forms the command if the path allows it;
    // otherwise the buffer stays empty.
    Outcome format(std::string_view format, std::string_view path);
    const char* command() const { return bytes_.data(); }

private:
    std::array<char, Size> bytes_{};
};

// Forms the command and runs it through the shell, waiting for its end. A
// refused path, an overlong command or a command that fails writes one log
// line; a path outside 7-bit ASCII is refused silently.
CommandBuffer::Outcome runShellCommand(platform::Platform& platform, CommandBuffer& buffer,
                                       std::string_view format, std::string_view path);
