// SPDX-License-Identifier: MIT
// Property lists in XML, in any encoding a packager's tools write: UTF-8
// with or without a byte-order mark, UTF-16 and UTF-32 with one, Latin-1 as
// declared, CRLF or LF line ends.
#pragma once

#include "platform/linux/PlistProblem.h"
#include "platform/linux/ReadArena.h"

#include <span>

namespace platform::linux_backend {

// The value tree of the document's root value, whatever its type. pugixml
// parses without recursion inside a memory allowance of its own; the tree is
// then built by walking pugixml's within the limits of PlistLimits.h, whose
// depth bounds the walk's recursion. Everything it takes lives in arena, where the text must lie
// too: it is parsed in place where it can be, and the tree looks at it.
// Thread-safe; no I/O.
Outcome<PlistValue> parseXmlPropertyList(std::span<char> text, ReadArena& arena);

} // namespace platform::linux_backend
