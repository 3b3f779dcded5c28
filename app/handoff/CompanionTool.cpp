// SPDX-License-Identifier: MIT
#include "app/handoff/CompanionTool.h"

#include "app/detection/DeviceCatalogue.h"
#include "app/detection/LogText.h"
#include "platform/Platform.h"

void launchCompanionTool(platform::Platform& platform) {
    const DeviceCatalogue catalogue = loadDeviceCatalogue(platform, "wifiDevices");
    if (!catalogue.application()) {
        platform.log().write("no companion setup tool started: the Wi-Fi catalogue names no "
                             "\"application\"");
        return;
    }
    if (const std::optional<platform::Failure> error =
            platform.workspace().launchApplication(*catalogue.application(), {"launchNetlume"})) {
        platform.log().write("error:" + printable(describe(*error)));
    }
}
