// SPDX-License-Identifier: MIT
#include "tools/runNetlume-check/Finding.h"

#include "app/detection/LogText.h"

#include <algorithm>
#include <cstdio>

namespace check {

namespace {

const char* severityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    }
    return "error";
}

} // namespace

std::size_t countOf(const std::vector<Finding>& findings, Severity severity) {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [&](const Finding& f) { return f.severity == severity; }));
}

std::string asText(const std::vector<Finding>& findings) {
    std::string out;
    for (const Finding& f : findings) {
        out += printable(f.file);
        if (f.line) {
            out += ":" + std::to_string(*f.line);
            if (f.column) out += ":" + std::to_string(*f.column);
        }
        out += ": ";
        out += severityName(f.severity);
        out += ": ";
        if (f.offset) out += "at byte " + std::to_string(*f.offset) + ": ";
        if (!f.where.empty()) out += printable(f.where) + ": ";
        out += printable(f.message) + " [" + f.id + "]\n";
    }
    const std::size_t errors = countOf(findings, Severity::Error);
    const std::size_t warnings = countOf(findings, Severity::Warning);
    out += std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") +
           std::to_string(warnings) + (warnings == 1 ? " warning\n" : " warnings\n");
    return out;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<Utf8Step> step = utf8At(text, at);
        char escaped[8];
        if (!step) {
            // JSON text is UTF-8: a stray byte is shown as the text shows it.
            std::snprintf(escaped, sizeof escaped, "\\\\x%02x",
                          static_cast<unsigned char>(text[at]));
            out += escaped;
            ++at;
            continue;
        }
        if (step->codePoint == '"' || step->codePoint == '\\') {
            out += '\\';
            out += text[at];
        } else if (isControl(step->codePoint)) {
            std::snprintf(escaped, sizeof escaped, "\\u%04x",
                          static_cast<unsigned>(step->codePoint));
            out += escaped;
        } else {
            out.append(text, at, step->length);
        }
        at += step->length;
    }
    return out + "\"";
}

std::string asJson(const std::vector<Finding>& findings) {
    std::string out = "{\"findings\": [";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += i == 0 ? "\n  {" : ",\n  {";
        out += "\"file\": " + jsonString(f.file);
        if (f.line) out += ", \"line\": " + std::to_string(*f.line);
        if (f.column) out += ", \"column\": " + std::to_string(*f.column);
        if (f.offset) out += ", \"offset\": " + std::to_string(*f.offset);
        out += ", \"severity\": \"" + std::string(severityName(f.severity)) + "\"";
        out += ", \"id\": " + jsonString(f.id);
        if (!f.where.empty()) out += ", \"where\": " + jsonString(f.where);
        out += ", \"message\": " + jsonString(f.message) + "}";
    }
    out += findings.empty() ? "]" : "\n]";
    out += ", \"errors\": " + std::to_string(countOf(findings, Severity::Error));
    out += ", \"warnings\": " + std::to_string(countOf(findings, Severity::Warning)) + "}\n";
    return out;
}

std::string usbIdText(std::uint32_t vid, std::uint32_t pid) {
    char text[24];
    std::snprintf(text, sizeof text, "%04x:%04x", vid, pid);
    return text;
}

} // namespace check
