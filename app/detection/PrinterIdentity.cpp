// SPDX-License-Identifier: MIT
#include "app/detection/PrinterIdentity.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace {

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalFolded(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Letters and digits only, in lower case.
std::string folded(std::string_view text) {
    std::string key;
    for (const char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)) != 0)
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

// The two makers the backend renames, for what its older character-device
// backend wrote.
std::string backendMaker(std::string_view maker) {
    if (equalFolded(maker, "Hewlett-Packard")) return "HP";
    if (equalFolded(maker, "Lexmark International")) return "Lexmark";
    return std::string(maker);
}

// The model without the maker in front of it, where a blank follows it:
// "HP LaserJet" is "LaserJet" of "HP", "HPLaserJet" stays.
std::string_view withoutMaker(std::string_view model, std::string_view maker) {
    if (maker.empty() || model.size() <= maker.size() ||
        !equalFolded(model.substr(0, maker.size()), maker) || !isBlank(model[maker.size()]))
        return model;
    return trimmed(model.substr(maker.size()));
}

// The model's key: what names it whether the maker is written into it or not.
std::string modelKey(std::string_view maker, std::string_view model) {
    const std::string makerKey = folded(backendMaker(trimmed(maker)));
    std::string modelPart = folded(model);
    if (!makerKey.empty() && modelPart.compare(0, makerKey.size(), makerKey) == 0)
        modelPart.erase(0, makerKey.size());
    return makerKey + modelPart;
}

// The value of an IEEE 1284 device id ("MFG:HP;MDL:LaserJet;SN:X;") under
// the first of keys that it holds; keys are compared without regard to case.
std::optional<std::string> deviceIdValue(std::string_view id,
                                         std::initializer_list<std::string_view> keys) {
    for (const std::string_view wanted : keys) {
        for (std::size_t start = 0; start < id.size();) {
            const std::size_t end = std::min(id.find(';', start), id.size());
            const std::string_view pair = id.substr(start, end - start);
            const std::size_t colon = pair.find(':');
            if (colon != std::string_view::npos &&
                equalFolded(trimmed(pair.substr(0, colon)), wanted))
                return std::string(trimmed(pair.substr(colon + 1)));
            start = end + 1;
        }
    }
    return std::nullopt;
}

} // namespace

PrinterIdentity printerIdentity(const platform::UsbDevice& device) {
    const std::string_view id = device.ieee1284Id;
    const auto nonEmpty = [](std::optional<std::string> value) {
        return value && !value->empty() ? value : std::nullopt;
    };
    // The id first; what it leaves out, the USB descriptor's strings.
    std::optional<std::string> maker = nonEmpty(deviceIdValue(id, {"MANUFACTURER", "MFG"}));
    if (!maker) maker = nonEmpty(std::string(trimmed(device.manufacturer)));
    std::optional<std::string> model = nonEmpty(deviceIdValue(id, {"MODEL", "MDL"}));
    if (!model) model = nonEmpty(std::string(trimmed(device.product)));
    if (!model) model = nonEmpty(deviceIdValue(id, {"DESCRIPTION", "DES"}));

    PrinterIdentity identity;
    if (maker) {
        identity.maker = backendMaker(*maker);
    } else if (model) {
        // Without a maker the backend takes the model's first word.
        const std::string_view words = *model;
        identity.maker = std::string(words.substr(0, words.find(' ')));
    }
    if (model) identity.model = std::string(withoutMaker(*model, identity.maker));
    if (auto serial = nonEmpty(deviceIdValue(id, {"SERIALNUMBER", "SERN", "SN"})))
        identity.serials.push_back(std::move(*serial));
    if (const std::string_view usb = trimmed(device.serial);
        !usb.empty() &&
        std::find(identity.serials.begin(), identity.serials.end(), usb) == identity.serials.end())
        identity.serials.emplace_back(usb);
    identity.interface = device.printerInterface;
    return identity;
}

std::string printerName(const PrinterIdentity& identity) {
    if (identity.model.empty() || identity.maker.empty()) return identity.maker + identity.model;
    return identity.maker + " " + identity.model;
}

bool isSameModel(const PrinterIdentity& identity, std::string_view maker, std::string_view model) {
    if (folded(identity.model).empty()) return false;
    if (modelKey(maker, model) == modelKey(identity.maker, identity.model)) return true;
    return folded(maker).empty() && folded(model) == folded(identity.model);
}
