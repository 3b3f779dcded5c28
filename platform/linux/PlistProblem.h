// SPDX-License-Identifier: MIT
// Why a property list could not be read, for the few who ask: the assistant
// only needs to know that it could not, the packager's checker says why and
// where.
#pragma once

#include "platform/Platform.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace platform::linux_backend {

struct PlistProblem {
    enum class Kind {
        Missing,       // no such file, or not a regular file
        Io,            // the file exists but could not be read
        Size,          // larger than MaxFileSize, or it expands beyond the value bounds
        Depth,         // containers nested deeper than MaxDepth, or a reference cycle
        Encoding,      // not text in an encoding the reader knows, or broken text
        Nul,           // U+0000 in the document, a string or a key
        Parse,         // not a well-formed property list
        NotDictionary, // well formed, but the root is no dictionary
    };
    Kind kind = Kind::Parse;
    std::string message;
    // Where it was found: a line and column (from 1) in XML text, or a byte
    // offset in a binary property list; nothing when not known.
    std::optional<std::size_t> line;
    std::optional<std::size_t> column;
    std::optional<std::size_t> offset;
};

// A problem found where no place is known (or the place is set after).
inline PlistProblem problemOf(PlistProblem::Kind kind, std::string message) {
    PlistProblem problem;
    problem.kind = kind;
    problem.message = std::move(message);
    return problem;
}

// A short stable name of the kind, for machine-readable reports.
const char* problemId(PlistProblem::Kind kind);

// The problem as a failure: its words and where it was found, its kind's
// name as the code.
Failure failureOf(const PlistProblem& problem);

// A value, or why a property list gives none.
template <typename T> using Outcome = Result<T, PlistProblem>;

} // namespace platform::linux_backend
