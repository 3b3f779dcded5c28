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
        // The user's systemd instance is asked over its own socket; what it
        // is asked for is what these two commands would do. `disable` takes
        // unit names only, so the unit's name is cut from the path; `enable`
        // takes the unit file's path and links it in. `--now` stops and
        // starts the unit along with it.
        .agentReload = PlatformProfile::AgentReload::ServiceManager,
        .agentUnloadFormat = R"cmd(systemctl --user disable --now -- "$(basename -- "%s")")cmd",
        .agentLoadFormat = R"(systemctl --user enable --now -- "%s")",
        // The USB monitor agent needs nothing that a systemd user instance
        // lacks, so the Linux profile reports the version at which the
        // original desktop first refreshed it: the gate is always open.
        .toolkitVersion = 1504.0,
    };
    return profile;
}

} // namespace platform
