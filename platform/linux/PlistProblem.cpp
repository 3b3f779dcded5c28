// SPDX-License-Identifier: MIT
#include "platform/linux/PlistProblem.h"

namespace platform::linux_backend {

const char* problemId(PlistProblem::Kind kind) {
    // In the order of the kinds.
    static constexpr const char* Ids[] = {"missing",  "io",  "size",  "depth",
                                          "encoding", "nul", "parse", "root-not-dictionary"};
    return Ids[static_cast<std::size_t>(kind)];
}

Failure failureOf(const PlistProblem& problem) {
    std::string text = problem.message;
    if (problem.line)
        text += " at line " + std::to_string(*problem.line) +
                (problem.column ? ", column " + std::to_string(*problem.column) : "");
    else if (problem.offset)
        text += " at byte " + std::to_string(*problem.offset);
    return {{}, problemId(problem.kind), std::move(text)};
}

} // namespace platform::linux_backend
