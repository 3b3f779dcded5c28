// SPDX-License-Identifier: MIT
// A finding of the checker: data first, printed as text or JSON by one
// function each. Ids are stable and never translated; the man page and the
// README list them.
#pragma once

#include "app/detection/DeviceCatalogue.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace check {

using Finding = CatalogueFinding;
using Severity = CatalogueFinding::Severity;

// `file:line:column: error: where: message [id]`, one per line, then a count.
std::string asText(const std::vector<Finding>& findings);
// {"findings": [...], "errors": N, "warnings": N}
std::string asJson(const std::vector<Finding>& findings);

// A model's ids as the checker shows them: "04b8:0e28".
std::string usbIdText(std::uint32_t vid, std::uint32_t pid);

std::size_t countOf(const std::vector<Finding>& findings, Severity severity);

// A JSON string literal of text, which is UTF-8.
std::string jsonString(const std::string& text);

} // namespace check
