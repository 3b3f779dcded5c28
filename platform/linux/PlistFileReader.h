// SPDX-License-Identifier: MIT
// Catalogue files as value trees, in XML or binary form, read within the
// bounds of PlistLimits.h so that no file can crash, exhaust or hang the
// reader. The packager's checker and the fuzzers use the same entry points.
#pragma once

#include "platform/Platform.h"
#include "platform/linux/PlistLimits.h"
#include "platform/linux/PlistProblem.h"

#include <string_view>

namespace platform::linux_backend {

// The value tree of a property list in either form, or why there is none.
// The bytes are copied into the tree's own memory. Thread-safe; no I/O.
Outcome<PlistDocument> parsePropertyList(std::string_view bytes);

// The file's root dictionary, or why there is none: missing, unreadable,
// larger than MaxFileSize, not a property list, or a root of another type.
// A read's memory is its own and goes back at once when the document is
// dropped (ReadArena.h).
Outcome<PlistDocument> readPropertyListFile(const std::string& path);

class PlistFileReader final : public PropertyListReader {
public:
    static constexpr std::size_t MaxFileSize = plist_limits::MaxFileSize;

    Result<PlistDocument> readDictionary(const std::string& path) const override;
};

} // namespace platform::linux_backend
