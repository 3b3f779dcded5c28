// SPDX-License-Identifier: MIT
#include "app/detection/DeviceCatalogue.h"

#include "platform/Platform.h"
#include "platform/Text.h"

#include <array>

namespace {

using platform::hexDigitValue;
using platform::PlistValue;

std::optional<std::string_view> textAt(const PlistValue& dictionary, const char* key) {
    const PlistValue* value = dictionary.find(key);
    if (value == nullptr || value->kind != PlistValue::Kind::String) return std::nullopt;
    return value->string;
}

std::optional<std::string> stringAt(const PlistValue& dictionary, const char* key) {
    const std::optional<std::string_view> text = textAt(dictionary, key);
    return text ? std::optional<std::string>(*text) : std::nullopt;
}

// The white space and line breaks of Unicode, as UTF-8: the scanner skips all
// of them, not only the ASCII ones.
std::size_t leadingSpaceLength(std::string_view text) {
    static constexpr std::array<std::string_view, 19> wide = {
        "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81",
        "\xE2\x80\x82", "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86",
        "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\xA8",
        "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80",
    };
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == ' ' || (c >= '\t' && c <= '\r')) {
            ++at;
            continue;
        }
        // Every wide space begins with one of these bytes; most text with none.
        const auto lead = static_cast<unsigned char>(c);
        if (lead != 0xC2 && lead != 0xE1 && lead != 0xE2 && lead != 0xE3) break;
        bool matched = false;
        for (std::string_view space : wide) {
            if (text.substr(at, space.size()) == space) {
                at += space.size();
                matched = true;
                break;
            }
        }
        if (!matched) break;
    }
    return at;
}

class FindingSink {
public:
    explicit FindingSink(const CatalogueFindings& findings) : findings_(findings) {}
    explicit operator bool() const { return static_cast<bool>(findings_); }

    void error(const char* id, std::string where, std::string message) const {
        add(CatalogueFinding::Severity::Error, id, std::move(where), std::move(message));
    }
    void warning(const char* id, std::string where, std::string message) const {
        add(CatalogueFinding::Severity::Warning, id, std::move(where), std::move(message));
    }
    // A value present under key but not of the type the assistant reads.
    void wrongType(const PlistValue* value, PlistValue::Kind expected, std::string where) const {
        if (value == nullptr || value->kind == expected) return;
        const char* names[] = {"a number, date, data or boolean", "a string", "an array",
                               "a dictionary"};
        error("wrong-type", std::move(where),
              std::string("is ") + names[static_cast<int>(value->kind)] + ", not " +
                  names[static_cast<int>(expected)] + "; the assistant passes it over");
    }

private:
    void add(CatalogueFinding::Severity severity, const char* id, std::string where,
             std::string message) const {
        if (findings_)
            findings_({severity, id, std::move(where), std::move(message), {}, {}, {}, {}});
    }
    const CatalogueFindings& findings_;
};

// Why an entry's id can never match, or how it matches only by leniency.
void judgeId(const FindingSink& sink, const PlistValue& entry, const char* key,
             const std::string& where) {
    const PlistValue* value = entry.find(key);
    if (value == nullptr) {
        sink.error("id-missing", where, std::string("has no \"") + key + "\"; it can never match");
        return;
    }
    if (value->kind != PlistValue::Kind::String) {
        sink.error("id-not-string", where + "." + key, "is not a string; it can never match");
        return;
    }
    const HexScan scan = scanHex(value->string);
    const std::string quoted = "\"" + std::string(value->string) + "\"";
    if (leadingSpaceLength(value->string) == value->string.size()) {
        sink.error("id-empty", where + "." + key, "is empty; it can never match");
    } else if (!scan.value) {
        sink.error("id-not-hex", where + "." + key,
                   quoted + " holds no hexadecimal digit; it can never match");
    } else if (*scan.value > 0xFFFF) {
        sink.error("id-beyond-16-bits", where + "." + key,
                   quoted + " is beyond 16 bits; it can never match a USB id");
    } else if (scan.skippedLeadingSpace || scan.ignoredTrailingText) {
        sink.warning(scan.skippedLeadingSpace ? "id-leading-blank" : "id-trailing-text",
                     where + "." + key,
                     quoted + " matches only because the scan " +
                         (scan.skippedLeadingSpace ? "skips leading blanks"
                                                   : "ignores the text after the digits"));
    }
}

} // namespace

CatalogueEntry::CatalogueEntry(std::optional<std::string_view> vid,
                               std::optional<std::string_view> pid) {
    if (vid) scannedVid_ = scanHexInt(*vid);
    if (pid) scannedPid_ = scanHexInt(*pid);
}

std::optional<CatalogueEntry::UsbIds> CatalogueEntry::usbIds() const {
    if (!scannedVid_ || !scannedPid_ || *scannedVid_ > 0xFFFF || *scannedPid_ > 0xFFFF)
        return std::nullopt;
    return UsbIds{static_cast<std::uint16_t>(*scannedVid_),
                  static_cast<std::uint16_t>(*scannedPid_)};
}

DeviceCatalogue DeviceCatalogue::fromPropertyList(const PlistValue& root,
                                                  const CatalogueFindings& findings) {
    const FindingSink sink(findings);
    DeviceCatalogue catalogue;
    if (root.kind != PlistValue::Kind::Dictionary) return catalogue;

    const PlistValue* devices = root.find("devices");
    sink.wrongType(devices, PlistValue::Kind::Array, "devices");
    if (devices != nullptr && devices->kind == PlistValue::Kind::Array) {
        catalogue.devices_.reserve(devices->items.size());
        for (std::size_t i = 0; i < devices->items.size(); ++i) {
            const PlistValue& element = devices->items[i];
            if (sink) {
                const std::string where = "devices[" + std::to_string(i) + "]";
                if (element.kind != PlistValue::Kind::Dictionary) {
                    sink.error("entry-not-dictionary", where,
                               "is not a dictionary; it can never match");
                } else {
                    judgeId(sink, element, "vid", where);
                    judgeId(sink, element, "pid", where);
                }
            }
            if (element.kind != PlistValue::Kind::Dictionary) continue;
            catalogue.devices_.emplace_back(textAt(element, "vid"), textAt(element, "pid"));
        }
    }
    sink.wrongType(root.find("application"), PlistValue::Kind::String, "application");
    catalogue.application_ = stringAt(root, "application");
    const PlistValue* agents = root.find("smLaunchAgentPath");
    sink.wrongType(agents, PlistValue::Kind::Array, "smLaunchAgentPath");
    if (agents != nullptr && agents->kind == PlistValue::Kind::Array) {
        for (std::size_t i = 0; i < agents->items.size(); ++i) {
            const PlistValue& path = agents->items[i];
            sink.wrongType(&path, PlistValue::Kind::String,
                           "smLaunchAgentPath[" + std::to_string(i) + "]");
            if (path.kind == PlistValue::Kind::String)
                catalogue.smLaunchAgentPath_.emplace_back(path.string);
        }
    }
    sink.wrongType(root.find("usbMonitorLaunchAgentPath"), PlistValue::Kind::String,
                   "usbMonitorLaunchAgentPath");
    catalogue.usbMonitorLaunchAgentPath_ = stringAt(root, "usbMonitorLaunchAgentPath");
    return catalogue;
}

std::size_t DeviceCatalogue::entriesNaming(std::uint16_t idVendor, std::uint16_t idProduct) const {
    std::size_t count = 0;
    for (const CatalogueEntry& entry : devices_)
        if (entryMatchesDevice(entry, idVendor, idProduct)) ++count;
    return count;
}

DeviceCatalogue loadDeviceCatalogue(platform::Platform& platform, const std::string& name) {
    const std::optional<std::string> path = platform.bundle().pathForResource(name, "plist");
    if (!path) return {};
    const platform::Result<platform::PlistDocument> document =
        platform.propertyLists().readDictionary(*path);
    if (!document) {
        platform.log().write(
            "the catalogue \"" + platform::printable(*path) +
            "\" cannot be read: " + platform::printable(describe(document.failure())));
        return {};
    }
    return DeviceCatalogue::fromPropertyList(document->root());
}

HexScan scanHex(std::string_view text) {
    HexScan scan;
    std::size_t at = leadingSpaceLength(text);
    scan.skippedLeadingSpace = at > 0;
    if (text.size() >= at + 3 && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X') &&
        hexDigitValue(text[at + 2]) >= 0) {
        at += 2;
    }
    std::uint64_t value = 0;
    bool anyDigit = false;
    for (; at < text.size(); ++at) {
        const int digit = hexDigitValue(text[at]);
        if (digit < 0) break;
        anyDigit = true;
        // Once past 32 bits the value only saturates; stop it from wrapping.
        if (value <= 0xFFFFFFFFu) value = value * 16 + static_cast<std::uint64_t>(digit);
    }
    if (!anyDigit) return scan;
    scan.ignoredTrailingText = at < text.size();
    scan.value = value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
    return scan;
}

std::optional<std::uint32_t> scanHexInt(std::string_view text) {
    return scanHex(text).value;
}

bool entryMatchesDevice(const CatalogueEntry& entry, std::uint16_t idVendor,
                        std::uint16_t idProduct) {
    return entry.scannedVid_ == std::uint32_t{idVendor} &&
           entry.scannedPid_ == std::uint32_t{idProduct};
}
