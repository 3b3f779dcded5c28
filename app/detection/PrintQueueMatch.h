// SPDX-License-Identifier: MIT
// Which print queues print to the attached USB printer, known as the print
// system knows it (PrinterIdentity.h). A USB queue's URI names the printer's
// serial number, else its maker and model; a queue of an IPP-over-USB proxy
// is known by the device id its port reports.
#pragma once

#include "platform/Platform.h"

#include <optional>
#include <string>
#include <vector>

enum class QueueMatchKind {
    // The serial number in a USB queue's URI is the device's.
    Serial,
    // The device id that an IPP-over-USB port reports names the device's serial.
    IppOverUsb,
    // Only maker and model agree: another printer of the same model could be meant.
    MakerAndModel,
};

struct QueueMatch {
    std::string queue;
    QueueMatchKind how;
    // It prints through a USB backend (usb://…, or a maker driver's
    // scheme:/usb/…), which cannot reach the printer while ipp-usb holds it.
    bool usbBackend = false;
    // Whether it can print, in queueStateText()'s words; empty when the
    // scheduler did not say.
    std::string state = {};
    bool canPrint = true;
};

// The queue as matched in that way, with what the scheduler says of it.
QueueMatch queueMatch(const platform::PrintQueue& queue, QueueMatchKind how, bool usbBackend);

// In the order of the queues.
std::vector<QueueMatch> queuesOfDevice(const platform::UsbDevice& device,
                                       const std::vector<platform::PrintQueue>& queues);

// How a port's printer is the device: by a serial, by maker and model, or
// not at all (another printer, or another serial).
std::optional<QueueMatchKind> portServes(const platform::UsbDevice& device,
                                         const std::string& deviceId,
                                         const std::string& makeAndModel);

// What the scheduler says of a queue, escaped: "idle, accepting jobs",
// "stopped: paused, media-empty; rejects jobs"; empty when it said nothing.
std::string queueStateText(const platform::PrintQueue& queue);

// "serial", "IPP-over-USB", "maker and model": for the log and the checker.
const char* matchKindText(QueueMatchKind how);

// Where a list of queue names goes: a log line names the first 20 and
// counts the rest (" … and 3 more"); the window names the first 5 and ends
// with an ellipsis, which reads alike in every language.
enum class NameList { Log, Window };
inline constexpr std::size_t NamesInALogLine = 20;
inline constexpr std::size_t NamesInTheWindow = 5;

// Queue names as the window and the log show them: each quoted, joined by
// commas ("A", "B"); each followed, as asked, by how it matched
// ("A" (serial)) or by its state where known ("A" (idle, accepting jobs)).
enum class QueueDetail { None, How, State };
std::string queueNames(const std::vector<QueueMatch>& matches, NameList where,
                       QueueDetail detail = QueueDetail::None);
std::string queueNames(const std::vector<std::string>& names, NameList where = NameList::Log);
