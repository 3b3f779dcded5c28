// SPDX-License-Identifier: MIT
// What the print system knows of the attached printer: the queues it has
// when the add-printer window shows, and the ones added while the printer
// settings were open. Every question to the print system runs off the main
// thread; with no answer, the assistant goes on as it would without them.
#pragma once

#include "platform/Platform.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Asks for the queues on a thread of its own; found gets the answer on the
// main thread, unless the assistant has ended by then.
void findPrintQueues(platform::Platform& platform,
                     std::function<void(platform::PrintQueues)> found);

// The queues that print to printer (any queue when no printer is known) as
// the print system lists them now, or why it could not be asked. Blocks.
struct PrinterQueues {
    std::vector<std::string> names;
    std::optional<std::string> failure;
};
PrinterQueues printerQueuesNow(platform::Platform& platform,
                               const std::optional<platform::UsbDevice>& printer);

// One log line: the printer's queues in after that were not in before.
void logQueuesAdded(platform::Platform& platform, const PrinterQueues& before,
                    const PrinterQueues& after);
