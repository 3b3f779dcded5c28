// SPDX-License-Identifier: MIT
// Reacts to USB devices plugged in while the assistant runs: a printer of the
// Wi-Fi catalogue turns the main window into the launch-tool screen, one of
// the other catalogue brings up the add-printer window. Once started it stays
// armed until the controller goes.
#pragma once

class runNetlumeAppDelegate;

namespace platform {
class Log;
class UsbIterator;
} // namespace platform

// The notification callback; refCon is the controller. Walks every device
// waiting in the iterator and tries both catalogues, read afresh.
void DeviceAttach(void* refCon, platform::UsbIterator* iterator);

// Registers for attach notifications on the main thread's event loop, then
// walks the devices already present, which arms the notification.
void startListeningUSBDevices(runNetlumeAppDelegate& controller);

// Safe without a start, and twice.
void stopListeningUSBDevices(platform::Log& log);

bool attachListenerRunning();
