// SPDX-License-Identifier: MIT
#include "platform/linux/UdevRegistry.h"

#include "platform/Text.h"
#include "platform/linux/SystemFailure.h"
#include "platform/linux/UdevHandles.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <string_view>
#include <vector>

namespace platform::linux_backend {

namespace {

constexpr const char* Subsystem = "usb";
constexpr const char* DeviceType = "usb_device";

class ListIterator final : public UsbIterator {
public:
    explicit ListIterator(std::vector<UsbDevice> devices) : devices_(std::move(devices)) {}
    std::optional<UsbDevice> next() override {
        if (at_ == devices_.size()) return std::nullopt;
        return devices_[at_++];
    }

private:
    std::vector<UsbDevice> devices_;
    std::size_t at_ = 0;
};

// The libudev call that failed and the system's reason: libudev returns a
// negative errno from some calls and sets errno for those returning null.
Failure failed(const char* call, int error) {
    return errnoFailure(call, error < 0 ? -error : error);
}

Result<std::vector<UsbDevice>> listDevices(udev* context) {
    errno = 0;
    if (context == nullptr) return failed("udev_new", errno);
    const UdevEnumerate enumerate(udev_enumerate_new(context));
    if (!enumerate) return failed("udev_enumerate_new", errno);
    int error = udev_enumerate_add_match_subsystem(enumerate.get(), Subsystem);
    if (error >= 0)
        error = udev_enumerate_add_match_property(enumerate.get(), "DEVTYPE", DeviceType);
    if (error < 0) return failed("udev_enumerate_add_match", error);
    if ((error = udev_enumerate_scan_devices(enumerate.get())) < 0)
        return failed("udev_enumerate_scan_devices", error);
    std::vector<UsbDevice> devices;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get())) {
        const UdevDevice device(
            udev_device_new_from_syspath(context, udev_list_entry_get_name(entry)));
        devices.push_back(device ? usbDevice(device.get()) : UsbDevice{});
    }
    return devices;
}

// The devices attached now; when they cannot be listed, one line to log
// (when given) says why, and nothing is returned.
std::optional<std::vector<UsbDevice>> presentDevices(udev* context, Log* log) {
    Result<std::vector<UsbDevice>> devices = listDevices(context);
    if (devices) return std::move(devices.value());
    if (log != nullptr) log->write("USB devices cannot be listed: " + describe(devices.failure()));
    return std::nullopt;
}

// Devices waiting to be walked, shared between the port that fills it and
// the iterators that drain it, so that either may go first.
struct AttachQueue {
    Udev context;
    UdevMonitor monitor;
    std::deque<UsbDevice> waiting;
    // Set once the iterator has been walked to its end: from then on new
    // devices are announced.
    bool armed = false;
};

class AttachIterator final : public UsbIterator {
public:
    explicit AttachIterator(std::shared_ptr<AttachQueue> queue) : queue_(std::move(queue)) {}
    std::optional<UsbDevice> next() override {
        if (queue_->waiting.empty()) {
            queue_->armed = true;
            return std::nullopt;
        }
        const UsbDevice device = queue_->waiting.front();
        queue_->waiting.pop_front();
        return device;
    }

private:
    std::shared_ptr<AttachQueue> queue_;
};

class UdevNotificationPort final : public UsbNotificationPort {
public:
    UdevNotificationPort(std::shared_ptr<AttachQueue> queue, FdWatcher& watcher, Log* log)
        : queue_(std::move(queue)), watcher_(watcher), log_(log), announced_(queue_) {}

    std::unique_ptr<UsbIterator> addFirstMatchNotification(UsbAttachCallback callback,
                                                           void* refCon) override {
        // The monitor has been receiving since the port was made, so a device
        // plugged in during this enumeration is not lost (at worst seen twice).
        std::optional<std::vector<UsbDevice>> present = presentDevices(queue_->context.get(), log_);
        if (!present) return nullptr;
        queue_->waiting.insert(queue_->waiting.end(), present->begin(), present->end());
        callback_ = callback;
        refCon_ = refCon;
        watch_ = watcher_.watchReadable(udev_monitor_get_fd(queue_->monitor.get()),
                                        [this] { receive(); });
        return std::make_unique<AttachIterator>(queue_);
    }

private:
    void receive() {
        bool recovered = false;
        for (;;) {
            errno = 0;
            const UdevDevice device(udev_monitor_receive_device(queue_->monitor.get()));
            if (!device) {
                const int error = errno;
                if (error == EINTR) continue;
                if (error == EAGAIN || error == EWOULDBLOCK || error == 0 || recovered) break;
                // The kernel drops uevents when the socket's buffer is full
                // (ENOBUFS), and they are never sent again: whatever was
                // plugged in meanwhile is found by enumerating anew, and
                // announced like a new device. Once per round, so that an
                // error that persists cannot spin.
                recovered = true;
                if (log_ != nullptr)
                    log_->write(std::string("USB notifications were lost (") +
                                std::strerror(error) + "); the attached devices are read again");
                if (auto present = presentDevices(queue_->context.get(), log_))
                    queue_->waiting.insert(queue_->waiting.end(), present->begin(), present->end());
                continue;
            }
            // Later actions on the same device (bind, change) are no new match.
            const char* action = udev_device_get_action(device.get());
            if (action == nullptr || std::strcmp(action, "add") != 0) continue;
            const char* type = udev_device_get_devtype(device.get());
            if (type == nullptr || std::strcmp(type, DeviceType) != 0) continue;
            queue_->waiting.push_back(usbDevice(device.get()));
        }
        if (queue_->armed && !queue_->waiting.empty()) callback_(refCon_, &announced_);
    }

    std::shared_ptr<AttachQueue> queue_;
    FdWatcher& watcher_;
    Log* log_;
    // What the callback walks: the same queue as the registration's iterator.
    AttachIterator announced_;
    UsbAttachCallback callback_ = nullptr;
    void* refCon_ = nullptr;
    std::unique_ptr<FdWatch> watch_;
};

} // namespace

std::optional<std::uint16_t> parseUsbId(const char* text) {
    if (text == nullptr) return std::nullopt;
    const std::string_view digits(text);
    if (digits.empty() || digits.size() > 4) return std::nullopt;
    std::uint16_t value = 0;
    for (const char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0) return std::nullopt;
        value = static_cast<std::uint16_t>(value * 16 + digit);
    }
    return value;
}

namespace {

std::string sysfsText(udev_device* device, const char* name) {
    const char* value = udev_device_get_sysattr_value(device, name);
    return value != nullptr ? value : "";
}

UsbDevice usbDeviceIds(udev_device* device) {
    const std::optional<std::uint16_t> vendor =
        parseUsbId(udev_device_get_sysattr_value(device, "idVendor"));
    const std::optional<std::uint16_t> product =
        parseUsbId(udev_device_get_sysattr_value(device, "idProduct"));
    if (vendor && product) return {*vendor, *product};

    // PRODUCT is "vendor/product/release" in hex without leading zeros.
    const char* product3 = udev_device_get_property_value(device, "PRODUCT");
    if (product3 == nullptr) return {};
    const std::string_view text(product3);
    const std::size_t first = text.find('/');
    const std::size_t second = text.find('/', first == std::string_view::npos ? 0 : first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos) return {};
    const std::string vendorText(text.substr(0, first));
    const std::string productText(text.substr(first + 1, second - first - 1));
    const std::optional<std::uint16_t> v = parseUsbId(vendorText.c_str());
    const std::optional<std::uint16_t> p = parseUsbId(productText.c_str());
    if (!v || !p) return {};
    return {*v, *p};
}

bool isIppOverUsb(udev_device* interface) {
    return sysfsText(interface, "bInterfaceClass") == "07" &&
           sysfsText(interface, "bInterfaceSubClass") == "01" &&
           sysfsText(interface, "bInterfaceProtocol") == "04";
}

// Of the device's interfaces: the device id the printer class driver
// (usblp) reads from the printer and the number of the interface it is
// bound to, and whether one speaks IPP over USB. udev's own summary of the
// interfaces says the latter too, where its rules have run.
void readInterfaces(udev_device* device, UsbDevice& found) {
    const char* summary = udev_device_get_property_value(device, "ID_USB_INTERFACES");
    found.ippOverUsb = summary != nullptr && std::strstr(summary, ":070104:") != nullptr;
    const UdevEnumerate interfaces(udev_enumerate_new(udev_device_get_udev(device)));
    if (!interfaces || udev_enumerate_add_match_parent(interfaces.get(), device) < 0 ||
        udev_enumerate_add_match_property(interfaces.get(), "DEVTYPE", "usb_interface") < 0 ||
        udev_enumerate_scan_devices(interfaces.get()) < 0)
        return;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(interfaces.get())) {
        const UdevDevice interface(udev_device_new_from_syspath(udev_device_get_udev(device),
                                                                udev_list_entry_get_name(entry)));
        if (!interface) continue;
        found.ippOverUsb = found.ippOverUsb || isIppOverUsb(interface.get());
        std::string id = sysfsText(interface.get(), "ieee1284_id");
        if (id.empty() || !found.ieee1284Id.empty()) continue;
        found.ieee1284Id = std::move(id);
        // Two hexadecimal digits, as the descriptor's byte.
        if (const std::optional<std::uint16_t> number =
                parseUsbId(udev_device_get_sysattr_value(interface.get(), "bInterfaceNumber")))
            found.printerInterface = *number;
    }
}

} // namespace

UsbDevice usbDevice(udev_device* device) {
    UsbDevice found = usbDeviceIds(device);
    found.serial = sysfsText(device, "serial");
    found.manufacturer = sysfsText(device, "manufacturer");
    found.product = sysfsText(device, "product");
    readInterfaces(device, found);
    return found;
}

std::unique_ptr<UsbIterator> UdevRegistry::matchingDevices() {
    errno = 0;
    const Udev context(udev_new());
    std::optional<std::vector<UsbDevice>> devices = presentDevices(context.get(), log_);
    if (!devices) return nullptr;
    return std::make_unique<ListIterator>(std::move(*devices));
}

std::unique_ptr<UsbNotificationPort> UdevRegistry::createNotificationPort() {
    const auto unavailable = [this](const char* call, int error) {
        if (log_ != nullptr)
            log_->write("USB attach notifications cannot be set up: " +
                        describe(failed(call, error)));
        return nullptr;
    };
    auto queue = std::make_shared<AttachQueue>();
    errno = 0;
    queue->context.reset(udev_new());
    if (!queue->context) return unavailable("udev_new", errno);
    queue->monitor.reset(udev_monitor_new_from_netlink(queue->context.get(), "udev"));
    if (!queue->monitor) return unavailable("udev_monitor_new_from_netlink", errno);
    if (const int error = udev_monitor_filter_add_match_subsystem_devtype(queue->monitor.get(),
                                                                          Subsystem, DeviceType);
        error < 0)
        return unavailable("udev_monitor_filter_add_match_subsystem_devtype", error);
    if (const int error = udev_monitor_enable_receiving(queue->monitor.get()); error < 0)
        return unavailable("udev_monitor_enable_receiving", error);
    return std::make_unique<UdevNotificationPort>(std::move(queue), watcher_, log_);
}

} // namespace platform::linux_backend
