// SPDX-License-Identifier: MIT
#include "app/handoff/PrintQueueWatch.h"

#include "app/detection/LogText.h"
#include "app/detection/PrintQueueMatch.h"

#include <algorithm>
#include <memory>
#include <utility>

void findPrintQueues(platform::Platform& platform,
                     std::function<void(platform::PrintQueues)> found) {
    platform.threads().performInBackground(
        "the print queues' lookup", [&platform, found = std::move(found)](std::stop_token stop) {
            auto queues = std::make_shared<platform::PrintQueues>(
                platform.printSystem().queues(std::move(stop)));
            platform.threads().performOnMainThread([found, queues] { found(std::move(*queues)); });
        });
}

PrinterQueues printerQueuesIn(platform::PrintQueues queues,
                              const std::optional<platform::UsbDevice>& printer) {
    PrinterQueues now{{}, std::move(queues.failure)};
    if (!printer) {
        for (const platform::PrintQueue& queue : queues.queues)
            now.queues.push_back(queueMatch(queue, QueueMatchKind::MakerAndModel, false));
        return now;
    }
    now.queues = queuesOfDevice(*printer, queues.queues);
    return now;
}

struct QueuesAddedReport::State {
    bool asked = false;
    bool ending = false;
    bool boundPassed = false;
    bool told = false;
    std::optional<PrinterQueues> before;
    std::optional<PrinterQueues> after;
    std::function<void()> done;
};

namespace {

// The printer's queues, asked in the background; take gets them on the main
// thread.
void askQueues(platform::Platform& platform, const std::optional<platform::UsbDevice>& printer,
               std::function<void(PrinterQueues)> take) {
    findPrintQueues(platform, [printer, take = std::move(take)](platform::PrintQueues queues) {
        take(printerQueuesIn(std::move(queues), printer));
    });
}

} // namespace

QueuesAddedReport::QueuesAddedReport(platform::Platform& platform)
    : platform_(platform), state_(std::make_shared<State>()) {}

void QueuesAddedReport::pressed(const std::optional<platform::UsbDevice>& printer) {
    if (state_->asked) return;
    state_->asked = true;
    askQueues(platform_, printer, [&platform = platform_, state = state_](PrinterQueues queues) {
        state->before = std::move(queues);
        tell(platform, *state);
    });
}

void QueuesAddedReport::ended(const std::optional<platform::UsbDevice>& printer,
                              std::function<void()> done) {
    if (state_->ending) return;
    state_->ending = true;
    state_->done = std::move(done);
    askQueues(platform_, printer, [&platform = platform_, state = state_](PrinterQueues queues) {
        state->after = std::move(queues);
        tell(platform, *state);
    });
    platform_.threads().performInBackground(
        "the wait for the print queues",
        [&platform = platform_, state = state_](std::stop_token stop) {
            if (!platform.threads().sleepFor(QueuesAtEndBound, std::move(stop))) return;
            platform.threads().performOnMainThread([&platform, state] {
                state->boundPassed = true;
                tell(platform, *state);
            });
        });
}

void QueuesAddedReport::tell(platform::Platform& platform, State& state) {
    if (!state.ending || state.told || (!(state.before && state.after) && !state.boundPassed))
        return;
    state.told = true;
    const PrinterQueues unanswered{
        {},
        platform::Failure{.text = "the print system did not answer within " +
                                  std::to_string(QueuesAtEndBound.count()) + " s"}};
    logQueuesAdded(platform, state.before.value_or(unanswered), state.after.value_or(unanswered));
    // Once: the function may hold what ends the assistant.
    const std::function<void()> done = std::move(state.done);
    if (done) done();
}

void logQueuesAdded(platform::Platform& platform, const PrinterQueues& before,
                    const PrinterQueues& after) {
    if (const std::optional<platform::Failure>& why =
            before.failure ? before.failure : after.failure) {
        platform.log().write("whether a print queue was added for the attached printer is not "
                             "known: " +
                             printable(describe(*why)));
        return;
    }
    std::vector<QueueMatch> added;
    for (const QueueMatch& queue : after.queues)
        if (std::none_of(before.queues.begin(), before.queues.end(),
                         [&](const QueueMatch& old) { return old.queue == queue.queue; }))
            added.push_back(queue);
    platform.log().write(
        added.empty()
            ? std::string("no print queue was added for the attached printer since Add Printer "
                          "was pressed")
            : "print queues added for the attached printer since Add Printer was pressed: " +
                  queueNames(added, NameList::Log, QueueDetail::State));
}
