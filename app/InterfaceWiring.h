// SPDX-License-Identifier: MIT
// Connects the controller to the interface description by name: its outlets
// through their setters, and the controls' actions to its handlers.
#pragma once

class runNetlumeAppDelegate;

namespace platform {
class InterfaceDescription;
class Log;
} // namespace platform

// An outlet that the description does not hold stays unconnected and is
// logged, one line each.
void connectOutlets(runNetlumeAppDelegate& controller, platform::InterfaceDescription& ui,
                    platform::Log& log);

// An action naming no handler of the controller is logged and left unwired.
void connectActions(runNetlumeAppDelegate& controller, platform::InterfaceDescription& ui,
                    platform::Log& log);
