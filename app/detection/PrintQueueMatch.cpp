// SPDX-License-Identifier: MIT
#include "app/detection/PrintQueueMatch.h"

#include "app/detection/LogText.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace {

std::string percentDecoded(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() ? platform::hexDigitValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? platform::hexDigitValue(text[i + 2]) : -1;
        if (text[i] == '%' && high >= 0 && low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// Letters and digits only, in lower case: "HP_LaserJet P1005" and
// "hp laserjet_p1005" are one model.
std::string folded(std::string_view text) {
    std::string key;
    for (const char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)) != 0)
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

bool sameModel(std::string_view maker, std::string_view model, const platform::UsbDevice& device) {
    if (folded(device.product).empty()) return false;
    const std::string wanted = folded(device.manufacturer) + folded(device.product);
    // Maker drivers spell the maker into the model ("HP_LaserJet_P1005").
    return folded(maker) + folded(model) == wanted || folded(model) == wanted;
}

// A USB queue's URI: "usb://Maker/Model?serial=X", or a maker driver's
// "scheme:/usb/Model?serial=X".
struct UsbUri {
    std::string maker;
    std::string model;
    std::optional<std::string> serial;
};

std::optional<UsbUri> usbUri(std::string_view uri) {
    const std::size_t colon = uri.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view scheme = uri.substr(0, colon);
    std::string_view rest = uri.substr(colon + 1);
    const std::size_t question = rest.find('?');
    const std::string_view query =
        question == std::string_view::npos ? std::string_view{} : rest.substr(question + 1);
    rest = rest.substr(0, question);
    UsbUri found;
    if (scheme == "usb" && rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        found.maker = percentDecoded(rest.substr(0, slash));
        if (slash != std::string_view::npos) found.model = percentDecoded(rest.substr(slash + 1));
    } else if (const std::size_t usb = rest.find("/usb/"); usb != std::string_view::npos) {
        found.model = percentDecoded(rest.substr(usb + 5));
    } else {
        return std::nullopt;
    }
    for (std::size_t start = 0; start <= query.size();) {
        const std::size_t end = std::min(query.find('&', start), query.size());
        const std::string_view pair = query.substr(start, end - start);
        if (pair.substr(0, 7) == "serial=") found.serial = percentDecoded(pair.substr(7));
        start = end + 1;
    }
    return found;
}

// A value of an IEEE 1284 device id ("MFG:HP;MDL:LaserJet;SN:X;") under one
// of its keys.
std::string deviceIdValue(std::string_view id, std::initializer_list<std::string_view> keys) {
    std::size_t start = 0;
    while (start < id.size()) {
        const std::size_t end = std::min(id.find(';', start), id.size());
        const std::string_view pair = id.substr(start, end - start);
        const std::size_t colon = pair.find(':');
        if (colon != std::string_view::npos) {
            const std::string key = folded(pair.substr(0, colon));
            for (const std::string_view wanted : keys)
                if (key == folded(wanted)) return std::string(pair.substr(colon + 1));
        }
        start = end + 1;
    }
    return {};
}

std::optional<QueueMatchKind> match(const platform::UsbDevice& device,
                                    const platform::PrintQueue& queue) {
    if (const std::optional<UsbUri> uri = usbUri(queue.deviceUri)) {
        // A serial on both sides decides: the same model with another
        // serial is another printer.
        if (uri->serial && !uri->serial->empty() && !device.serial.empty())
            return *uri->serial == device.serial ? std::optional(QueueMatchKind::Serial)
                                                 : std::nullopt;
        if (sameModel(uri->maker, uri->model, device)) return QueueMatchKind::MakerAndModel;
        return std::nullopt;
    }
    if (queue.portDeviceId.empty() && queue.portMakeAndModel.empty()) return std::nullopt;
    const std::string serial = deviceIdValue(queue.portDeviceId, {"SN", "SERN", "SERIALNUMBER"});
    if (!serial.empty() && !device.serial.empty())
        return serial == device.serial ? std::optional(QueueMatchKind::IppOverUsb) : std::nullopt;
    const std::string maker = deviceIdValue(queue.portDeviceId, {"MFG", "MANUFACTURER"});
    const std::string model = deviceIdValue(queue.portDeviceId, {"MDL", "MODEL"});
    if (sameModel(maker, model, device) || sameModel({}, queue.portMakeAndModel, device))
        return QueueMatchKind::MakerAndModel;
    return std::nullopt;
}

} // namespace

std::vector<QueueMatch> queuesOfDevice(const platform::UsbDevice& device,
                                       const std::vector<platform::PrintQueue>& queues) {
    std::vector<QueueMatch> matches;
    for (const platform::PrintQueue& queue : queues)
        if (const std::optional<QueueMatchKind> how = match(device, queue))
            matches.push_back({queue.name, *how});
    return matches;
}

const char* matchKindText(QueueMatchKind how) {
    switch (how) {
    case QueueMatchKind::Serial:
        return "serial";
    case QueueMatchKind::IppOverUsb:
        return "IPP-over-USB";
    case QueueMatchKind::MakerAndModel:
        return "maker and model";
    }
    return "";
}

std::string queueNames(const std::vector<QueueMatch>& matches, bool sayHow) {
    std::string names;
    for (const QueueMatch& match : matches)
        names += (names.empty() ? "" : ", ") + queueNames({match.queue}) +
                 (sayHow ? std::string(" (") + matchKindText(match.how) + ")" : "");
    return names;
}

std::string queueNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "\"" : ", \"") + printable(name) + "\"";
    return text;
}
