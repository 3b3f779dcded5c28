// SPDX-License-Identifier: MIT
// Property lists in Apple's binary form, "bplist00". The format has no
// ambiguity, so this parser is also its exact check: the trailer, the offset
// table, every object reference, the nesting over the object graph (a cycle
// never ends) and the expanded size, counting an object each time it is
// referred to, are judged while the tree is built.
#pragma once

#include "platform/linux/PlistProblem.h"
#include "platform/linux/ReadArena.h"

#include <string_view>

namespace platform::linux_backend {

// True when the bytes claim the binary form; they may still be broken.
bool looksLikeBinaryPropertyList(std::string_view bytes);

// The value tree of the top object, whatever its type. Problems carry the
// byte offset of the object at fault. The tree lives in arena and looks at
// bytes, which must outlive it (ASCII strings are taken where they lie).
// Thread-safe; no I/O.
Outcome<PlistValue> parseBinaryPropertyList(std::string_view bytes, ReadArena& arena);

} // namespace platform::linux_backend
