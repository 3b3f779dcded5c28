// SPDX-License-Identifier: MIT
// What both parsers share while they build the value tree they hand on: the
// bounds on its size, and the checks every string and key passes.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/PlistLimits.h"
#include "platform/linux/PlistProblem.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace platform::linux_backend {

class PlistTreeBudget {
public:
    // Counts one more value; a problem once the tree would pass its bound.
    std::optional<PlistProblem> addValue();
    // A problem when a container of `count` values cannot fit, asked before
    // room for them is taken.
    std::optional<PlistProblem> roomFor(std::size_t count) const;
    // A problem when a text of `bytes` would pass the bound, asked before it
    // is written out.
    std::optional<PlistProblem> roomForText(std::size_t bytes) const;
    // Counts a string's bytes, and refuses U+0000 and text that is not UTF-8.
    std::optional<PlistProblem> addText(std::string_view utf8);

private:
    std::size_t values_ = 0;
    std::size_t stringBytes_ = 0;
};

// True when text is well-formed UTF-8 (no overlong forms, no surrogates).
bool isUtf8(std::string_view text);

// Writes code point cp as UTF-8 at out (room for four bytes); cp must be a
// scalar value. Returns the end of what was written.
char* writeUtf8(char* out, char32_t cp);

} // namespace platform::linux_backend
