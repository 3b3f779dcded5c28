// SPDX-License-Identifier: MIT
// Property lists in XML, in any encoding a packager's tools write: UTF-8
// with or without a byte-order mark, UTF-16 and UTF-32 with one, Latin-1 as
// declared, CRLF or LF line ends.
#pragma once

#include "platform/linux/PlistProblem.h"

#include <string_view>

namespace platform::linux_backend {

// The value tree of the document's root value, whatever its type. pugixml
// parses without recursion inside a memory allowance of its own; the tree is
// then built by walking pugixml's, iteratively, within the limits of
// PlistLimits.h. The text is parsed in place where it can be, so it is taken
// over. Thread-safe; no I/O.
Outcome<PlistValue> parseXmlPropertyList(std::string&& text);

} // namespace platform::linux_backend
