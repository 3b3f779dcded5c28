// SPDX-License-Identifier: MIT
// The USB registry over real libudev, against devices and uevents that
// umockdev emulates; the event loop is Qt's, as in the assistant.
#include "platform/linux/UdevRegistry.h"
#include "platform/qt/QtApplication.h"
#include "tests/fakes/ControllerFixture.h"
#include "tests/integration/QtTestMain.h"
#include "tests/integration/UsbTestbed.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <dlfcn.h>

using namespace fakes;
using platform::UsbDevice;
using platform::linux_backend::UdevRegistry;

namespace {

std::vector<UsbDevice> drain(platform::UsbIterator& iterator) {
    std::vector<UsbDevice> devices;
    while (const std::optional<UsbDevice> device = iterator.next())
        devices.push_back(*device);
    return devices;
}

// Runs the event loop until done() holds; fails after a generous bound
// instead of hanging the suite.
bool runUntil(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(10'000, &loop, &QEventLoop::quit);
    if (!done()) loop.exec();
    return done();
}

struct Recorder {
    static void callback(void* refCon, platform::UsbIterator* iterator) {
        auto& self = *static_cast<Recorder*>(refCon);
        ++self.calls;
        for (const UsbDevice& device : drain(*iterator))
            self.seen.push_back(device);
    }
    int calls = 0;
    std::vector<UsbDevice> seen;
};

class UdevRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(umockdev_in_mock_environment()) << "run under umockdev-wrapper";
    }

    Testbed testbed;
    platform::qt::QtFdWatcher watcher;
    UdevRegistry registry{watcher};
};

TEST_F(UdevRegistryTest, EnumeratesUsbDevicesOnlyWithUnsignedIds) {
    testbed.add("1-1", "8001", "fffe");
    testbed.add("1-1:1.0", "8001", "fffe", "usb_interface");
    testbed.add("1-2", "04b8", "0e28");

    const std::unique_ptr<platform::UsbIterator> devices = registry.matchingDevices();
    ASSERT_TRUE(devices);
    EXPECT_EQ(drain(*devices), (std::vector<UsbDevice>{{0x8001, 0xFFFE}, {0x04B8, 0x0E28}}));
}

TEST_F(UdevRegistryTest, APrinterComesWithItsStringsItsInterfacesDeviceIdAndIppOverUsb) {
    testbed.addPrinter("1-3", "SN1", "MFG:Acme;MDL:Laser 1;SN:SN1;");
    testbed.addPrinter("1-4", "SN2", "MFG:Acme;MDL:Laser 1;SN:SN2;", ":070102:070104:");
    const std::unique_ptr<platform::UsbIterator> devices = registry.matchingDevices();
    ASSERT_TRUE(devices);
    const std::vector<UsbDevice> found = drain(*devices);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found[0].serial, "SN1");
    EXPECT_EQ(found[0].manufacturer + "|" + found[0].product, "Acme|Laser 1");
    EXPECT_EQ(found[0].ieee1284Id, "MFG:Acme;MDL:Laser 1;SN:SN1;");
    EXPECT_EQ(found[0].printerInterface, 1);
    // Only the second has an IPP-over-USB interface, as udev sums its interfaces up.
    EXPECT_EQ(std::make_pair(found[0].ippOverUsb, found[1].ippOverUsb),
              std::make_pair(false, true));
    EXPECT_EQ(found[1].printerInterface, 1);
}

TEST_F(UdevRegistryTest, NoDevicesIsAnEmptyEnumeration) {
    const std::unique_ptr<platform::UsbIterator> devices = registry.matchingDevices();
    ASSERT_TRUE(devices);
    EXPECT_FALSE(devices->next());
}

TEST_F(UdevRegistryTest, AttachedDevicesArriveOnTheEventLoopAfterArming) {
    testbed.add("1-1", "1111", "0001");
    const std::unique_ptr<platform::UsbNotificationPort> port = registry.createNotificationPort();
    ASSERT_TRUE(port);
    Recorder recorder;
    const std::unique_ptr<platform::UsbIterator> iterator =
        port->addFirstMatchNotification(&Recorder::callback, &recorder);
    ASSERT_TRUE(iterator);
    EXPECT_EQ(drain(*iterator), (std::vector<UsbDevice>{{0x1111, 0x0001}}));

    testbed.add("1-2", "8000", "8001");
    ASSERT_TRUE(runUntil([&] { return !recorder.seen.empty(); }));
    EXPECT_EQ(recorder.seen, (std::vector<UsbDevice>{{0x8000, 0x8001}}));
}

TEST_F(UdevRegistryTest, LaterActionsAreNoNewMatch) {
    const std::string first = testbed.add("1-1", "1111", "0001");
    const std::unique_ptr<platform::UsbNotificationPort> port = registry.createNotificationPort();
    Recorder recorder;
    const std::unique_ptr<platform::UsbIterator> iterator =
        port->addFirstMatchNotification(&Recorder::callback, &recorder);
    drain(*iterator);

    testbed.uevent(first, "change");
    testbed.uevent(first, "bind");
    testbed.uevent(first, "remove");
    testbed.add("1-3", "2222", "0002");
    ASSERT_TRUE(runUntil([&] { return !recorder.seen.empty(); }));
    EXPECT_EQ(recorder.seen, (std::vector<UsbDevice>{{0x2222, 0x0002}}));
}

TEST_F(UdevRegistryTest, DevicePluggedInWhileRegisteringIsNotLost) {
    const std::unique_ptr<platform::UsbNotificationPort> port = registry.createNotificationPort();
    testbed.add("1-4", "3333", "0003"); // after the monitor, before the enumeration
    Recorder recorder;
    const std::unique_ptr<platform::UsbIterator> iterator =
        port->addFirstMatchNotification(&Recorder::callback, &recorder);
    const std::vector<UsbDevice> first = drain(*iterator);
    EXPECT_NE(std::find(first.begin(), first.end(), UsbDevice{0x3333, 0x0003}), first.end());
}

TEST_F(UdevRegistryTest, DestroyedPortStopsTheCallsAndTheIteratorOutlivesIt) {
    Recorder recorder;
    std::unique_ptr<platform::UsbNotificationPort> port = registry.createNotificationPort();
    std::unique_ptr<platform::UsbIterator> iterator =
        port->addFirstMatchNotification(&Recorder::callback, &recorder);
    drain(*iterator);
    port.reset();
    testbed.add("1-5", "4444", "0004");
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.calls, 0);
    iterator.reset();
}

// The controller's listener on the real registry.
class ListenerOnUdev : public ControllerTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(umockdev_in_mock_environment());
        platform.realUsb = &registry;
    }

    Testbed testbed;
    platform::qt::QtFdWatcher watcher;
    UdevRegistry registry{watcher};
    UdevRegistry registryWithLog{watcher, &platform.logFake};
};

TEST_F(ListenerOnUdev, PluggingInPrintersMovesTheScreens) {
    testbed.add("2-1", "046d", "c52b"); // a receiver that nobody lists
    controller.applicationDidFinishLaunching();
    ASSERT_TRUE(attachListenerRunning());
    platform.journal.clear();

    testbed.add("2-2", "8086", "0001");
    ASSERT_TRUE(runUntil([&] { return !platform.journal.empty(); }));
    EXPECT_EQ(platform.journal, Journal{"log DeviceAttach"});

    testbed.add("2-3", "f055", "0001");
    ASSERT_TRUE(runUntil([&] { return ui.fakeWindow("window").contentView() != nullptr; }));
    EXPECT_EQ(only({"content", "front", "out"}), Journal{"content window launchNetlumeView"});

    testbed.add("2-4", "F055", "0101");
    ASSERT_TRUE(runUntil([&] { return ui.fakeWindow("addPrinterWindow").visible(); }));
    EXPECT_EQ(journalFrom("place"), (Journal{"place addPrinterWindow 440,290", "out window",
                                             "activate YES", "front addPrinterWindow"}));
}

TEST_F(ListenerOnUdev, PrinterPluggedInBetweenTheScanAndTheListenerIsHandled) {
    platform.logFake.onWrite = [&](const std::string& line) {
        if (line == "-[runNetlumeAppDelegate _startListeningUSBDevices]")
            testbed.add("3-1", "f055", "0101");
    };
    controller.applicationDidFinishLaunching();
    EXPECT_EQ(platform.logFake.lines,
              (std::vector<std::string>{"appPath:/opt/example/wifi-setup", "appPath:(null)",
                                        "-[runNetlumeAppDelegate _startListeningUSBDevices]",
                                        "DeviceAttach"}));
    EXPECT_TRUE(ui.fakeWindow("addPrinterWindow").visible());
    EXPECT_FALSE(ui.fakeWindow("window").visible());
}

TEST_F(ListenerOnUdev, PrinterPluggedInWhileNotificationsWereLostStillMovesTheScreen) {
    using LoseNext = void (*)();
    const auto loseNextReceive =
        reinterpret_cast<LoseNext>(::dlsym(RTLD_DEFAULT, "runnetlume_lose_next_receive"));
    ASSERT_NE(loseNextReceive, nullptr) << "run with UdevFaults preloaded";
    platform.realUsb = &registryWithLog;
    controller.applicationDidFinishLaunching();
    platform.journal.clear();

    // The printer's uevent is the one the overflow drops.
    loseNextReceive();
    testbed.add("4-1", "f055", "0001");
    ASSERT_TRUE(runUntil([&] { return ui.fakeWindow("window").contentView() != nullptr; }));
    EXPECT_EQ(platform.logFake.lines.back(), "DeviceAttach");
    EXPECT_EQ(std::count(platform.logFake.lines.begin(), platform.logFake.lines.end(),
                         "USB notifications were lost (No buffer space available); the "
                         "attached devices are read again"),
              1);

    // And the listener goes on as before.
    testbed.add("4-2", "f055", "0101");
    ASSERT_TRUE(runUntil([&] { return ui.fakeWindow("addPrinterWindow").visible(); }));
}

TEST_F(ListenerOnUdev, WhenUdevIsDeniedEachFailureNamesItsCallAndReason) {
    using Deny = void (*)(bool);
    const auto deny = reinterpret_cast<Deny>(::dlsym(RTLD_DEFAULT, "runnetlume_deny_udev"));
    ASSERT_NE(deny, nullptr) << "run with UdevFaults preloaded";
    platform.realUsb = &registryWithLog;
    deny(true);
    controller.applicationDidFinishLaunching();
    deny(false);
    EXPECT_THAT(platform.logFake.lines,
                ::testing::IsSupersetOf(
                    {"USB devices cannot be listed: Permission denied "
                     "(udev_enumerate_scan_devices: EACCES)",
                     "fatal error when IOServiceGetMatchingServices",
                     "USB attach notifications cannot be set up: Permission denied "
                     "(udev_monitor_new_from_netlink: EACCES)",
                     "USB attach notifications are unavailable; waiting for the user"}));
}

} // namespace

int main(int argc, char** argv) {
    return runTestsWithQt<QCoreApplication>(argc, argv);
}
