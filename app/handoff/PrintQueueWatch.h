// SPDX-License-Identifier: MIT
// What the print system knows of the attached printer: the queues it has
// when the add-printer window shows, and the ones added while the printer
// settings were open. Every question to the print system runs off the main
// thread; with no answer, the assistant goes on as it would without them.
#pragma once

#include "app/detection/PrintQueueMatch.h"
#include "platform/Platform.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Asks for the queues on a thread of its own; found gets the answer on the
// main thread, unless the assistant has ended by then.
void findPrintQueues(platform::Platform& platform,
                     std::function<void(platform::PrintQueues)> found);

// The queues among queues that print to printer (any queue when no printer
// is known), or why the print system could not be asked.
struct PrinterQueues {
    std::vector<QueueMatch> queues;
    std::optional<platform::Failure> failure;
};
PrinterQueues printerQueuesIn(platform::PrintQueues queues,
                              const std::optional<platform::UsbDevice>& printer);

// One log line: the printer's queues in after that were not in before.
void logQueuesAdded(platform::Platform& platform, const PrinterQueues& before,
                    const PrinterQueues& after);

// How long the hand-off's end waits for the print system's queues before it
// says that it does not know them.
inline constexpr std::chrono::seconds QueuesAtEndBound{5};

// What happened to the printer's queues between the first press of Add
// Printer and the first end of the hand-off, whichever road it took: both
// are asked in the background, so that neither the press nor the end waits
// on the print system, and the line is written once both are known, or
// once the end has waited QueuesAtEndBound. Main thread.
class QueuesAddedReport {
public:
    explicit QueuesAddedReport(platform::Platform& platform);
    // The baseline; only the first call asks.
    void pressed(const std::optional<platform::UsbDevice>& printer);
    // The first call asks; once the line is written, done runs on the
    // main thread. Later calls do nothing.
    void ended(const std::optional<platform::UsbDevice>& printer, std::function<void()> done);

private:
    struct State;
    static void tell(platform::Platform& platform, State& state);

    platform::Platform& platform_;
    // Shared with the answers on their way to the main thread, which may
    // come after this report has gone.
    std::shared_ptr<State> state_;
};
