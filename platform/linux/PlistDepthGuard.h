// libplist 2.2 recurses without limit while parsing, so a small hostile file
// of deeply nested arrays overflows the stack. These checks measure the
// nesting first, without recursion, for both forms of a property list.
#pragma once

#include <string_view>

namespace platform::linux_backend {

constexpr int MaxPlistDepth = 64;

// True when the XML text nests its elements no deeper than maxDepth.
bool xmlNestingWithin(std::string_view text, int maxDepth);

// True when the binary property list is well formed enough to walk and its
// containers nest no deeper than maxDepth (a reference cycle never is).
bool binaryNestingWithin(std::string_view data, int maxDepth);

} // namespace platform::linux_backend
