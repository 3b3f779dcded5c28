// SPDX-License-Identifier: MIT
// Time from a USB "add" uevent to the attach callback on the Qt event loop,
// through libudev's monitor under umockdev. Run under umockdev-wrapper:
//   umockdev-wrapper build/bench/attach_latency [ROUNDS]
#include "platform/linux/UdevRegistry.h"
#include "platform/qt/QtApplication.h"

#include <umockdev.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Probe {
    QEventLoop* loop = nullptr;
    Clock::time_point arrived;
    static void callback(void* refCon, platform::UsbIterator* iterator) {
        auto& self = *static_cast<Probe*>(refCon);
        self.arrived = Clock::now();
        while (iterator->next()) {
        }
        if (self.loop != nullptr) self.loop->quit();
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int rounds = argc > 1 ? std::stoi(argv[1]) : 200;
    UMockdevTestbed* testbed = umockdev_testbed_new();
    if (!umockdev_in_mock_environment()) {
        std::fprintf(stderr, "run under umockdev-wrapper\n");
        return 2;
    }

    platform::qt::QtFdWatcher watcher;
    platform::linux_backend::UdevRegistry registry(watcher);
    auto port = registry.createNotificationPort();
    Probe probe;
    auto iterator = port->addFirstMatchNotification(&Probe::callback, &probe);
    while (iterator->next()) {
    }

    std::vector<double> micros;
    for (int round = 0; round < rounds; ++round) {
        QEventLoop loop;
        probe.loop = &loop;
        const std::string name = "1-" + std::to_string(round + 1);
        QTimer::singleShot(0, &loop, [&] {
            const Clock::time_point sent = Clock::now();
            gchar* path = umockdev_testbed_add_device(testbed, "usb", name.c_str(), nullptr,
                                                      "idVendor", "8001", "idProduct", "0001",
                                                      nullptr, "DEVTYPE", "usb_device", nullptr);
            g_free(path);
            probe.arrived = {};
            loop.exec(); // runs until the callback quits it
            micros.push_back(
                std::chrono::duration<double, std::micro>(probe.arrived - sent).count());
            application.quit();
        });
        QCoreApplication::exec();
    }
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) {
        return micros[static_cast<std::size_t>(q * (micros.size() - 1))];
    };
    std::printf("uevent to callback over %d rounds: min %.0f us, median %.0f us, p95 %.0f us, max "
                "%.0f us\n",
                rounds, micros.front(), at(0.5), at(0.95), micros.back());
    port.reset();
    iterator.reset();
    g_object_unref(testbed);
    return 0;
}
