// SPDX-License-Identifier: MIT
// The printer-settings watcher as the assistant runs it: the real Qt/Linux
// platform, the real interface and controller, a real background thread
// watching a real stand-in process, and the three ways the application
// then ends. Built under ThreadSanitizer by the "tsan" preset. Runs under
// umockdev, which shows it one USB-only printer.
#include "platform/PlatformProfile.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/qt/ApplicationMain.h"
#include "platform/qt/QtLinuxPlatform.h"
#include "tests/integration/QtTestMain.h"
#include "tests/integration/TestFolder.h"
#include "tests/integration/UsbTestbed.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

namespace fs = std::filesystem;

namespace {

class Watcher : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = freshTestFolder("watcher");
        fs::copy(RUNNETLUME_RESOURCES_DIR, folder_ / "Resources", fs::copy_options::recursive);
        std::ofstream(folder_ / "Resources" / "wifiDevices.plist")
            << "<plist><dict><key>devices</key><array/></dict></plist>";
        std::ofstream(folder_ / "Resources" / "otherDevices.plist")
            << "<plist><dict><key>devices</key><array><dict><key>vid</key><string>F055</string>"
               "<key>pid</key><string>0101</string></dict></array></dict></plist>";

        // A printer-settings program of a name no other process has, so that
        // what the watcher counts is this test's alone.
        identity_ = "settings-" + std::to_string(::getpid());
        fs::create_directories(folder_ / "bin");
        fs::copy_file(RUNNETLUME_STANDINS_DIR "/system-config-printer",
                      folder_ / "bin" / identity_);
        profile_ = platform::linuxProfile();
        profile_.addPrinterPrograms.front().location = identity_;
        profile_.addPrinterPrograms.front().identity = identity_;
        profile_.addPrinterPollInterval = std::chrono::milliseconds(50);
        path_ = ::getenv("PATH");
        ::setenv("PATH", ((folder_ / "bin").string() + ":" + path_).c_str(), 1);
        ::setenv("RUNNETLUME_RECORD", (folder_ / "record").c_str(), 1);
    }
    void TearDown() override {
        testbed_.reset();
        ::setenv("PATH", path_.c_str(), 1);
        for (const pid_t settings : openedSettings())
            ::kill(settings, SIGKILL);
        fs::remove_all(folder_);
    }

    std::vector<pid_t> openedSettings() const {
        std::ifstream record(folder_ / "record");
        std::vector<pid_t> pids;
        for (std::string word, pid; record >> word >> pid;)
            pids.push_back(std::stoi(pid));
        return pids;
    }

    // Runs the assistant until it ends. act() runs once the add-printer
    // window is up. The testbed's thread reads the environment, so it starts
    // only here, after every variable of the test is set.
    int runAssistantWith(const std::function<void()>& act) {
        testbed_.emplace();
        testbed_->add("5-1", "f055", "0101");
        QTimer poll;
        bool acted = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (acted || button("addPrinterButton") == nullptr ||
                !button("addPrinterButton")->isVisible())
                return;
            acted = true;
            act();
        });
        poll.start(10);
        return platform::runAssistant(QString::fromStdString((folder_ / "Resources").string()),
                                      profile_, &services_);
    }

    static QPushButton* button(const char* name) {
        for (QWidget* widget : QApplication::allWidgets())
            if (widget->objectName() == QLatin1String(name))
                return qobject_cast<QPushButton*>(widget);
        return nullptr;
    }

    // Waits, within a generous bound, until done() holds.
    static bool await(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return done();
    }

    // Once the assistant has ended, its watchers have too: asked to stop in
    // their sleep and joined, not left polling programs that still run. Then
    // closes the settings programs the presses opened (they were started in
    // the background and may not have said so yet).
    void awaitTheWatchersEnd(std::size_t presses) {
        EXPECT_TRUE(services_.expired()) << "a watcher outlived the assistant";
        EXPECT_TRUE(await([&] { return openedSettings().size() == presses; }));
        for (const pid_t settings : openedSettings())
            ::kill(settings, SIGKILL);
    }

    std::optional<Testbed> testbed_;
    fs::path folder_;
    std::string identity_;
    std::string path_;
    platform::PlatformProfile profile_;
    std::weak_ptr<platform::qt::QtLinuxPlatform> services_;
};

TEST_F(Watcher, DoneRightAfterThePressEndsAtOnceAndTheWatcherAfterIt) {
    ::setenv("RUNNETLUME_OPEN_SECONDS", "30", 1);
    EXPECT_EQ(runAssistantWith([] {
                  button("addPrinterButton")->click();
                  button("doneButtonInAddPrinterWindow")->click();
              }),
              0);
    awaitTheWatchersEnd(1);
}

TEST_F(Watcher, ASignalRightAfterThePressEndsTheSameWay) {
    ::setenv("RUNNETLUME_OPEN_SECONDS", "30", 1);
    EXPECT_EQ(runAssistantWith([] {
                  button("addPrinterButton")->click();
                  button("addPrinterButton")->click();
                  std::raise(SIGTERM);
              }),
              0);
    awaitTheWatchersEnd(2);
}

TEST_F(Watcher, TheWatcherEndsItOnceTheSettingsAreClosed) {
    ::setenv("RUNNETLUME_OPEN_SECONDS", "0.5", 1);
    EXPECT_EQ(runAssistantWith([] { button("addPrinterButton")->click(); }), 0);
    awaitTheWatchersEnd(1);
}

// Ended while the print system is asked for the queues and for the
// printer's device, and holds both questions without a word: both lookups
// are asked to stop, their connections end, and they are joined.
TEST_F(Watcher, EndingWhileTheLookupsAreHeldStopsAndJoinsThem) {
    const fs::path socketPath = folder_ / "silent.sock";
    const platform::linux_backend::FileDescriptor silent(
        ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(silent.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(silent.get(), 8), 0);
    ::setenv("CUPS_SERVER", socketPath.c_str(), 1);
    std::vector<platform::linux_backend::FileDescriptor> held;
    std::thread listener;
    EXPECT_EQ(runAssistantWith([&] {
                  // Once both questions have come (within a bound), unanswered.
                  listener = std::thread([&] {
                      for (int waited = 0; held.size() < 2 && waited < 2000; ++waited) {
                          pollfd pending{silent.get(), POLLIN, 0};
                          if (::poll(&pending, 1, 10) == 1)
                              held.emplace_back(
                                  ::accept4(silent.get(), nullptr, nullptr, SOCK_CLOEXEC));
                      }
                      ::kill(::getpid(), SIGTERM);
                  });
              }),
              0);
    listener.join();
    ::unsetenv("CUPS_SERVER");
    EXPECT_TRUE(services_.expired()) << "a lookup outlived the assistant";
    ASSERT_EQ(held.size(), 2U);
    for (const platform::linux_backend::FileDescriptor& question : held) {
        char ignored[4096];
        ssize_t read = 0;
        while ((read = ::recv(question.get(), ignored, sizeof ignored, MSG_DONTWAIT)) > 0) {
        }
        EXPECT_EQ(read, 0) << "a question to the print system is still open";
    }
}

} // namespace

int main(int argc, char** argv) {
    return runTestsWithQt<QApplication>(argc, argv);
}
