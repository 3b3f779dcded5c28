// SPDX-License-Identifier: MIT
#include "platform/linux/PlistProblem.h"

namespace platform::linux_backend {

const char* problemId(PlistProblem::Kind kind) {
    switch (kind) {
    case PlistProblem::Kind::Missing:
        return "missing";
    case PlistProblem::Kind::Io:
        return "io";
    case PlistProblem::Kind::Size:
        return "size";
    case PlistProblem::Kind::Depth:
        return "depth";
    case PlistProblem::Kind::Encoding:
        return "encoding";
    case PlistProblem::Kind::Nul:
        return "nul";
    case PlistProblem::Kind::Parse:
        return "parse";
    case PlistProblem::Kind::NotDictionary:
        return "root-not-dictionary";
    }
    return "parse";
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
