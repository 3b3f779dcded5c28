// SPDX-License-Identifier: MIT
#include "tools/runNetlume-check/Finding.h"

#include "app/detection/LogText.h"

#include <algorithm>
#include <cstdio>

namespace check {

using platform::utf8At;
using platform::Utf8Step;

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

Report::Report(bool json, std::FILE* out) : json_(json), out_(out) {
    if (json_) std::fputs("{\"findings\": [", out_);
}

void Report::add(const Finding& finding) {
    (finding.severity == Severity::Error ? errors_ : warnings_) += 1;
    auto kind = std::find_if(kinds_.begin(), kinds_.end(), [&](const Kind& k) {
        return k.id == finding.id && k.file == finding.file;
    });
    if (kind == kinds_.end())
        kind = kinds_.insert(kinds_.end(), {finding.file, finding.id, finding.severity, 0});
    if (++kind->count <= MaxPerKind) print(finding);
}

void Report::finish() {
    for (const Kind& kind : kinds_) {
        if (kind.count <= MaxPerKind) continue;
        const std::size_t more = kind.count - MaxPerKind;
        print({.severity = kind.severity,
               .id = kind.id,
               .message = "… and " + std::to_string(more) + " more of this kind",
               .file = kind.file});
    }
    if (json_) {
        std::fprintf(out_, "%s, \"errors\": %zu, \"warnings\": %zu}\n", printed_ == 0 ? "]" : "\n]",
                     errors_, warnings_);
    } else {
        std::fprintf(out_, "%zu %s, %zu %s\n", errors_, errors_ == 1 ? "error" : "errors",
                     warnings_, warnings_ == 1 ? "warning" : "warnings");
    }
    std::fflush(out_);
}

void Report::print(const Finding& f) {
    std::string out;
    if (json_) {
        out += printed_ == 0 ? "\n  {" : ",\n  {";
        out += "\"file\": " + jsonString(f.file);
        if (f.line) out += ", \"line\": " + std::to_string(*f.line);
        if (f.column) out += ", \"column\": " + std::to_string(*f.column);
        if (f.offset) out += ", \"offset\": " + std::to_string(*f.offset);
        out += ", \"severity\": \"" + std::string(severityName(f.severity)) + "\"";
        out += ", \"id\": " + jsonString(f.id);
        if (!f.where.empty()) out += ", \"where\": " + jsonString(f.where);
        out += ", \"message\": " + jsonString(f.message) + "}";
    } else {
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
    std::fputs(out.c_str(), out_);
    ++printed_;
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
        } else if (platform::mustEscape(step->codePoint)) {
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

} // namespace check
