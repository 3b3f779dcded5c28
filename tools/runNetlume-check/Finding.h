// SPDX-License-Identifier: MIT
// A finding of the checker: data first, printed as text or JSON as it is
// found. Ids are stable and never translated; the man page and the README
// list them.
#pragma once

#include "app/detection/DeviceCatalogue.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace check {

using Finding = CatalogueFinding;
using Severity = CatalogueFinding::Severity;

// Prints findings as they are found, so that none is kept: text as
// `file:line:column: error: where: message [id]`, one a line, or JSON as
// {"findings": [...], "errors": N, "warnings": N}. Of one id in one file it
// prints the first MaxPerKind; finish() says how many more there were. The
// counts take them all.
class Report {
public:
    static constexpr std::size_t MaxPerKind = 100;

    Report(bool json, std::FILE* out);
    void add(const Finding& finding);
    // What was held back, the counts, and the end of the JSON.
    void finish();
    std::size_t errors() const { return errors_; }

private:
    void print(const Finding& finding);

    struct Kind {
        std::string file;
        std::string id;
        Severity severity;
        std::size_t count;
    };
    bool json_;
    std::FILE* out_;
    std::size_t printed_ = 0;
    std::size_t errors_ = 0;
    std::size_t warnings_ = 0;
    std::vector<Kind> kinds_;
};

// A JSON string literal of text, which is UTF-8.
std::string jsonString(const std::string& text);

} // namespace check
