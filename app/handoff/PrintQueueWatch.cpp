// SPDX-License-Identifier: MIT
#include "app/handoff/PrintQueueWatch.h"

#include "app/detection/LogText.h"
#include "app/detection/PrintQueueMatch.h"

#include <algorithm>
#include <memory>
#include <utility>

void findPrintQueues(platform::Platform& platform,
                     std::function<void(platform::PrintQueues)> found) {
    platform.threads().performInBackground([&platform, found = std::move(found)] {
        auto queues = std::make_shared<platform::PrintQueues>(platform.printSystem().queues());
        platform.threads().performOnMainThread([found, queues] { found(std::move(*queues)); });
    });
}

PrinterQueues printerQueuesNow(platform::Platform& platform,
                               const std::optional<platform::UsbDevice>& printer) {
    platform::PrintQueues queues = platform.printSystem().queues();
    PrinterQueues now{{}, std::move(queues.failure)};
    if (!printer) {
        for (const platform::PrintQueue& queue : queues.queues)
            now.names.push_back(queue.name);
        return now;
    }
    for (const QueueMatch& match : queuesOfDevice(*printer, queues.queues))
        now.names.push_back(match.queue);
    return now;
}

void logQueuesAdded(platform::Platform& platform, const PrinterQueues& before,
                    const PrinterQueues& after) {
    if (const std::optional<std::string>& why = before.failure ? before.failure : after.failure) {
        platform.log().write("whether a print queue was added for the attached printer is not "
                             "known: " +
                             printable(*why));
        return;
    }
    std::vector<std::string> added;
    for (const std::string& name : after.names)
        if (std::find(before.names.begin(), before.names.end(), name) == before.names.end())
            added.push_back(name);
    platform.log().write(
        added.empty()
            ? std::string("no print queue was added for the attached printer since Add Printer "
                          "was pressed")
            : "print queues added for the attached printer since Add Printer was pressed: " +
                  queueNames(added));
}
