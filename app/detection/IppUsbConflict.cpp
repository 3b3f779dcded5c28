// SPDX-License-Identifier: MIT
#include "app/detection/IppUsbConflict.h"

#include "app/detection/LogText.h"

std::optional<IppUsbConflict> ippUsbConflict(const platform::UsbDevice& printer,
                                             const std::vector<QueueMatch>& queues,
                                             const std::vector<platform::IppUsbPort>& ports) {
    // ipp-usb serves nothing else; another printer of the same model on a
    // port is not this one.
    if (!printer.ippOverUsb) return std::nullopt;
    for (const platform::IppUsbPort& port : ports) {
        if (!portServes(printer, port.deviceId, port.makeAndModel)) continue;
        IppUsbConflict conflict{port.port, {}};
        for (const QueueMatch& queue : queues)
            if (queue.usbBackend) conflict.blocked.push_back(queue);
        return conflict;
    }
    return std::nullopt;
}

std::string ippUsbRemedy(const platform::UsbDevice& printer) {
    const std::string ids = usbIdText(printer.idVendor, printer.idProduct);
    return std::string("print with the driverless queue through ipp-usb, or keep the driver's "
                       "queue and have ipp-usb leave this model alone: in a file of "
                       "/etc/ipp-usb/quirks/, the quirk \"[") +
           ids + "] blacklist = true\" (the matching device is ignored by ipp-usb)";
}
