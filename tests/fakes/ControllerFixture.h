// SPDX-License-Identifier: MIT
// A controller connected to a fake interface description on fake platform
// services, with the Linux profile unless a test says otherwise.
#pragma once

#include "app/InterfaceWiring.h"
#include "app/detection/AttachListener.h"
#include "app/runNetlumeAppDelegate.h"
#include "tests/fakes/FakeInterface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include <algorithm>

namespace fakes {

const platform::UsbDevice WifiPrinter{0xF055, 0x0001};
const platform::UsbDevice UsbOnlyPrinter{0xF055, 0x0101};
const platform::UsbDevice Keyboard{0x8086, 0x1234};

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest() {
        platform.setCatalogue("wifiDevices",
                              dict({{"devices", array({entry("0xF055", "0x0001")})},
                                    {"application", str("/opt/example/wifi-setup")}}));
        platform.setCatalogue("otherDevices", devicesCatalogue({entry("0xF055", "0x0101")}));
        // Sizes of their own, so that each window's placement tells which it was.
        ui.fakeWindow("addPrinterWindow").setFrame({0, 0, 560, 420});
        ui.fakeWindow("warmPromptWindow").setFrame({0, 0, 400, 160});
        connectOutlets(controller, ui, platform.log());
        connectActions(controller, ui, platform.log());
    }

    // The journal from the first line that starts with `from`.
    Journal journalFrom(const std::string& from) const {
        const auto start =
            std::find_if(platform.journal.begin(), platform.journal.end(),
                         [&](const std::string& line) { return line.rfind(from, 0) == 0; });
        return Journal(start, platform.journal.end());
    }

    // Only the journal lines that begin with one of the prefixes.
    Journal only(std::initializer_list<std::string> prefixes) const {
        Journal kept;
        for (const std::string& line : platform.journal)
            for (const std::string& prefix : prefixes)
                if (line.rfind(prefix, 0) == 0) {
                    kept.push_back(line);
                    break;
                }
        return kept;
    }

    FakePlatform platform;
    FakeInterface ui{platform.journal};
    runNetlumeAppDelegate controller{platform};
};

} // namespace fakes
