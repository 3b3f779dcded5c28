// SPDX-License-Identifier: MIT
#include "platform/qt/CommandLine.h"

#include <string_view>

namespace platform::qt {

namespace {

constexpr std::string_view Help =
    R"(Usage: runNetlume [Qt options]

Sets up one of the maker's printers attached over USB. It reloads the
driver's background agents, then finds the printer: for a Wi-Fi-capable
model it offers to start the maker's Wi-Fi setup tool; for a USB-only model
(or when that offer is declined) it shows four steps and opens the desktop's
printer settings, ending once they are closed. With no listed printer
attached it asks for one and goes on as soon as one is plugged in.

Options:
  -h, --help     show this help and end
      --version  show the version and end
  Qt's own options (-platform NAME, -display DISPLAY, -style STYLE,
  -reverse, ...) are understood as in any Qt program.

Files (beside the program, in ../share/runNetlume/):
  wifiDevices.plist, otherDevices.plist   the maker's device catalogues
  ui/, translations/                      windows and their languages

Log lines go to the system log under the tag runNetlume:
  journalctl -t runNetlume
Check a catalogue with runNetlume-check. See runNetlume(1).
)";

} // namespace

std::optional<int> answerInformationalArguments(int argc, const char* const argv[],
                                                std::FILE* out) {
    for (int i = 1; i < argc && argv[i] != nullptr; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") break;
        if (argument == "--help" || argument == "-h" || argument == "-help") {
            std::fputs(Help.data(), out);
            return 0;
        }
        if (argument == "--version" || argument == "-version") {
            std::fprintf(out, "runNetlume %s\n", RUNNETLUME_VERSION);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace platform::qt
