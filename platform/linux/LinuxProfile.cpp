// SPDX-License-Identifier: MIT
#include "platform/PlatformProfile.h"

namespace platform {

const PlatformProfile& linuxProfile() {
    static const PlatformProfile profile{
        // The shell backgrounds the program so that the command returns at
        // once, as the original desktop's `open` does; its output still
        // reaches the assistant's standard error. GNOME and KDE desktops
        // often lack system-config-printer and bring their own settings.
        .addPrinterPrograms =
            {
                {R"("%s" </dev/null &)", "system-config-printer", "system-config-printer"},
                {R"("%s" printers </dev/null &)", "gnome-control-center", "gnome-control-center"},
                {R"("%s" --add-printer </dev/null &)", "kde-add-printer", "kde-add-printer"},
            },
    };
    return profile;
}

} // namespace platform
