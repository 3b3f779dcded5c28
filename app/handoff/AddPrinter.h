// SPDX-License-Identifier: MIT
// The hand-off to the system's printer-setup program, and the watcher that
// ends the assistant once that program has been closed.
#pragma once

#include <functional>
#include <stop_token>

namespace platform {
class Platform;
struct AddPrinterProgram;
} // namespace platform

// The profile's first printer-setup program that is installed; null when
// none is.
const platform::AddPrinterProgram* installedAddPrinterProgram(platform::Platform& platform);

// Opens the first installed printer-setup program with its command through
// the shell and waits for the command (not the program) to end; returns the
// program. With none installed, writes one log line naming those looked for,
// opens nothing and returns null.
const platform::AddPrinterProgram* openAddPrinter(platform::Platform& platform);

// Polls at the profile's interval (3 seconds) for as long as any instance of
// program runs (none when it is null); then runs gone, on the watcher's
// thread, and returns. A stop request ends it at once, without gone. Meant
// for a background thread of its own: it touches no window and nothing of
// the controller; gone hands whatever is to follow to the main thread.
// program belongs to the profile, which outlives it.
void watchAddPrinter(platform::Platform& platform, const platform::AddPrinterProgram* program,
                     const std::stop_token& stop, const std::function<void()>& gone);
