// SPDX-License-Identifier: MIT
// The only door from the assistant's logic to the desktop. app/ includes this
// header and nothing else of the platform; each backend (Qt + Linux here, a
// macOS one later) implements these interfaces, and tests/fakes records them.
// Each service has a header of its own, gathered here.
#pragma once

#include "platform/Agents.h"
#include "platform/Application.h"
#include "platform/Bundle.h"
#include "platform/Interface.h"
#include "platform/Log.h"
#include "platform/NewPrinterDialog.h"
#include "platform/PrintSystem.h"
#include "platform/Processes.h"
#include "platform/PropertyList.h"
#include "platform/Threads.h"
#include "platform/Usb.h"

namespace platform {

struct PlatformProfile;

// The desktop services, handed to the controller at construction.
class Platform {
public:
    virtual ~Platform() = default;
    virtual Application& application() = 0;
    virtual Threads& threads() = 0;
    virtual Bundle& bundle() = 0;
    virtual PropertyListReader& propertyLists() = 0;
    virtual UsbRegistry& usbRegistry() = 0;
    virtual Workspace& workspace() = 0;
    virtual Shell& shell() = 0;
    // A new connection each time; the refresh asks once a start.
    virtual AgentManagerConnection connectAgentManager() = 0;
    virtual PrintSystem& printSystem() = 0;
    virtual NewPrinterDialog& newPrinterDialog() = 0;
    virtual Log& log() = 0;
    virtual const PlatformProfile& profile() const = 0;
};

} // namespace platform
