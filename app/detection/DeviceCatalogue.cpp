#include "app/detection/DeviceCatalogue.h"

#include "platform/Platform.h"

#include <array>

namespace {

using platform::PlistValue;

std::optional<std::string> stringAt(const PlistValue& dictionary, const char* key) {
    const PlistValue* value = dictionary.find(key);
    if (value == nullptr || value->kind != PlistValue::Kind::String) return std::nullopt;
    return value->string;
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

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

DeviceCatalogue DeviceCatalogue::fromPropertyList(const PlistValue& root) {
    DeviceCatalogue catalogue;
    if (root.kind != PlistValue::Kind::Dictionary) return catalogue;

    if (const PlistValue* devices = root.find("devices");
        devices != nullptr && devices->kind == PlistValue::Kind::Array) {
        for (const PlistValue& element : devices->items) {
            if (element.kind != PlistValue::Kind::Dictionary) continue;
            catalogue.devices_.push_back({stringAt(element, "vid"), stringAt(element, "pid")});
        }
    }
    catalogue.application_ = stringAt(root, "application");
    if (const PlistValue* agents = root.find("smLaunchAgentPath");
        agents != nullptr && agents->kind == PlistValue::Kind::Array) {
        for (const PlistValue& path : agents->items)
            if (path.kind == PlistValue::Kind::String)
                catalogue.smLaunchAgentPath_.push_back(path.string);
    }
    catalogue.usbMonitorLaunchAgentPath_ = stringAt(root, "usbMonitorLaunchAgentPath");
    return catalogue;
}

DeviceCatalogue loadDeviceCatalogue(platform::Platform& platform, const std::string& name) {
    const std::optional<std::string> path = platform.bundle().pathForResource(name, "plist");
    if (!path) return {};
    const std::optional<PlistValue> root = platform.propertyLists().readDictionary(*path);
    if (!root) return {};
    return DeviceCatalogue::fromPropertyList(*root);
}

std::optional<std::uint32_t> scanHexInt(std::string_view text) {
    std::size_t at = leadingSpaceLength(text);
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
    if (!anyDigit) return std::nullopt;
    return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}

bool entryMatchesDevice(const CatalogueEntry& entry, std::uint16_t idVendor,
                        std::uint16_t idProduct) {
    if (!entry.vid || !entry.pid) return false;
    const std::optional<std::uint32_t> vid = scanHexInt(*entry.vid);
    const std::optional<std::uint32_t> pid = scanHexInt(*entry.pid);
    if (!vid || !pid) return false;
    return *vid == std::uint32_t{idVendor} && *pid == std::uint32_t{idProduct};
}
