// SPDX-License-Identifier: MIT
#include "app/detection/PrintQueueMatch.h"

#include "app/detection/LogText.h"
#include "app/detection/PrinterIdentity.h"

#include <algorithm>
#include <functional>
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

// A USB queue's URI: "usb://Maker/Model?serial=X&interface=N", or a maker
// driver's "scheme:/usb/Model?serial=X".
struct UsbUri {
    std::string maker;
    std::string model;
    std::optional<std::string> serial;
    std::optional<int> interface;
};

std::optional<int> interfaceNumber(std::string_view text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

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
        // "serial=?" is the backend's way of saying that there is none.
        if (pair.substr(0, 7) == "serial=" && pair != "serial=?")
            found.serial = percentDecoded(pair.substr(7));
        if (pair.substr(0, 10) == "interface=") found.interface = interfaceNumber(pair.substr(10));
        start = end + 1;
    }
    return found;
}

// A serial on both sides decides: the same model with another serial is
// another printer. Nothing when either side has none.
std::optional<bool> sameSerial(const PrinterIdentity& printer, const std::string& serial) {
    if (serial.empty() || printer.serials.empty()) return std::nullopt;
    return std::find(printer.serials.begin(), printer.serials.end(), serial) !=
           printer.serials.end();
}

// An IPP-over-USB port reports the printer's own device id: a serial in it
// decides, else maker and model.
std::optional<QueueMatchKind> matchPort(const PrinterIdentity& printer, const std::string& deviceId,
                                        const std::string& makeAndModel) {
    if (deviceId.empty() && makeAndModel.empty()) return std::nullopt;
    platform::UsbDevice served;
    served.ieee1284Id = deviceId;
    const PrinterIdentity port = printerIdentity(served);
    for (const std::string& serial : port.serials)
        if (const std::optional<bool> same = sameSerial(printer, serial))
            return *same ? std::optional(QueueMatchKind::IppOverUsb) : std::nullopt;
    if ((!port.model.empty() && isSameModel(printer, port.maker, port.model)) ||
        isSameModel(printer, {}, makeAndModel))
        return QueueMatchKind::MakerAndModel;
    return std::nullopt;
}

std::optional<QueueMatchKind> matchUsbUri(const PrinterIdentity& printer, const UsbUri& uri) {
    // Another interface of one device is another printer function.
    if (uri.interface && printer.interface && *uri.interface != *printer.interface)
        return std::nullopt;
    if (const std::optional<bool> same = sameSerial(printer, uri.serial.value_or("")))
        return *same ? std::optional(QueueMatchKind::Serial) : std::nullopt;
    if (isSameModel(printer, uri.maker, uri.model)) return QueueMatchKind::MakerAndModel;
    return std::nullopt;
}

} // namespace

std::vector<QueueMatch> queuesOfDevice(const platform::UsbDevice& device,
                                       const std::vector<platform::PrintQueue>& queues) {
    const PrinterIdentity printer = printerIdentity(device);
    std::vector<QueueMatch> matches;
    for (const platform::PrintQueue& queue : queues) {
        const std::optional<UsbUri> uri = usbUri(queue.deviceUri);
        const std::optional<QueueMatchKind> how =
            uri ? matchUsbUri(printer, *uri)
                : matchPort(printer, queue.portDeviceId, queue.portMakeAndModel);
        if (how) matches.push_back(queueMatch(queue, *how, uri.has_value()));
    }
    return matches;
}

QueueMatch queueMatch(const platform::PrintQueue& queue, QueueMatchKind how, bool usbBackend) {
    return {queue.name, how, usbBackend, queueStateText(queue),
            queue.state != "stopped" && queue.acceptingJobs};
}

std::optional<QueueMatchKind> portServes(const platform::UsbDevice& device,
                                         const std::string& deviceId,
                                         const std::string& makeAndModel) {
    return matchPort(printerIdentity(device), deviceId, makeAndModel);
}

std::string queueStateText(const platform::PrintQueue& queue) {
    if (queue.state.empty()) return {};
    std::string text = queue.state;
    for (std::size_t i = 0; i < queue.stateReasons.size(); ++i)
        text += (i == 0 ? ": " : ", ") + printable(queue.stateReasons[i]);
    if (queue.moreStateReasons > 0)
        text += " … and " + std::to_string(queue.moreStateReasons) + " more";
    text += queue.stateReasons.empty() ? ", " : "; ";
    return text + (queue.acceptingJobs ? "accepting jobs" : "rejects jobs");
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

namespace {

// The first names of a list of count, each as nameAt gives it, joined by
// commas; what is left out is counted, or an ellipsis in the window.
std::string joined(std::size_t count, NameList where,
                   const std::function<std::string(std::size_t)>& nameAt) {
    const std::size_t most = where == NameList::Log ? NamesInALogLine : NamesInTheWindow;
    std::string text;
    for (std::size_t i = 0; i < count && i < most; ++i)
        text += (i == 0 ? "" : ", ") + nameAt(i);
    if (count > most)
        text += where == NameList::Log ? " … and " + std::to_string(count - most) + " more" : ", …";
    return text;
}

std::string quoted(const std::string& name) {
    return "\"" + printable(name) + "\"";
}

} // namespace

std::string queueNames(const std::vector<QueueMatch>& matches, NameList where, QueueDetail detail) {
    return joined(matches.size(), where, [&](std::size_t i) {
        const QueueMatch& match = matches[i];
        if (detail == QueueDetail::How)
            return quoted(match.queue) + " (" + matchKindText(match.how) + ")";
        if (detail == QueueDetail::State && !match.state.empty())
            return quoted(match.queue) + " (" + match.state + ")";
        return quoted(match.queue);
    });
}

std::string queueNames(const std::vector<std::string>& names, NameList where) {
    return joined(names.size(), where, [&](std::size_t i) { return quoted(names[i]); });
}
