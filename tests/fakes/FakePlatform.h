// SPDX-License-Identifier: MIT
// Recording fakes of every platform interface. Each call that changes
// something outside the controller is appended to one shared journal, so a
// test can assert the exact order in which the controller works.
#pragma once

#include "platform/Platform.h"
#include "platform/PlatformProfile.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace fakes {

using Journal = std::vector<std::string>;

std::string number(double value);

class FakeControl final : public platform::Control {
public:
    FakeControl(std::string name, Journal& journal) : name_(std::move(name)), journal_(journal) {}
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }
    void setTitle(const std::string& title) override;
    void setStringValue(const std::string& text) override;
    void setHidden(bool hidden) override;
    int state() const override { return state_; }
    bool isHidden() const { return hidden_; }

    const std::string& title() const { return title_; }
    const std::string& text() const { return text_; }
    void setState(int state) { state_ = state; }
    void setEnabledQuietly(bool enabled) { enabled_ = enabled; }

private:
    std::string name_;
    Journal& journal_;
    bool enabled_ = true;
    std::string title_;
    std::string text_;
    int state_ = 0;
    bool hidden_ = false;
};

class FakeView final : public platform::View {
public:
    explicit FakeView(std::string name) : name_(std::move(name)) {}
    const std::string& name() const { return name_; }

private:
    std::string name_;
};

class FakeWindow final : public platform::Window {
public:
    FakeWindow(std::string name, Journal& journal, platform::Rect frame)
        : name_(std::move(name)), journal_(journal), frame_(frame),
          closeButton_(name_ + ".close", journal) {}
    void prepareForDisplay() override { ++prepared_; }
    platform::Rect frame() const override { return frame_; }
    void setFrameOrigin(platform::Point origin) override;
    void setContentView(platform::View* view) override;
    void makeKeyAndOrderFront() override;
    void orderOut() override;
    platform::Control* standardWindowButton(int kind) override;
    bool isModalPanel() const override { return modal_; }

    const std::string& name() const { return name_; }
    bool visible() const { return visible_; }
    platform::View* contentView() const { return content_; }
    FakeControl& closeButton() { return closeButton_; }
    void setModal(bool modal) { modal_ = modal; }
    void setFrame(platform::Rect frame) { frame_ = frame; }
    int timesPrepared() const { return prepared_; }

private:
    std::string name_;
    Journal& journal_;
    platform::Rect frame_;
    platform::View* content_ = nullptr;
    bool visible_ = false;
    bool modal_ = false;
    int prepared_ = 0;
    FakeControl closeButton_;
};

class FakeApplication final : public platform::Application {
public:
    explicit FakeApplication(Journal& journal) : journal_(journal) {}
    void activateIgnoringOtherApps(bool flag) override;
    void terminate(const void* sender) override;
    bool terminationRequested() const override { return signalled; }
    void runModalForWindow(platform::Window* window) override;
    void stopModal() override;
    // Runs inside the modal loop, as the user would act in it.
    std::function<void()> duringModal;
    std::optional<platform::Rect> mainScreenFrame() const override;
    std::optional<platform::Rect> mainScreenVisibleFrame() const override {
        return visibleScreen ? visibleScreen : screen;
    }

    std::optional<platform::Rect> screen = platform::Rect{0, 0, 1440, 900};
    // The screen less its panels; the whole screen when not set.
    std::optional<platform::Rect> visibleScreen;
    // A termination signal has arrived.
    bool signalled = false;
    std::vector<const void*> terminateSenders;

private:
    Journal& journal_;
};

// Background work and main-thread requests are held until a test runs them.
class FakeThreads final : public platform::Threads {
public:
    explicit FakeThreads(Journal& journal) : journal_(journal) {}
    void performInBackground(const char* task, std::function<void(std::stop_token)> fn) override;
    void performOnMainThread(std::function<void()> fn) override;
    bool sleepFor(std::chrono::milliseconds duration, std::stop_token stop) override;

    void runBackground();
    void runMainThread();
    // Runs both until neither has work left.
    void settle();
    // The task queued last goes first, as a thread that overtakes the others.
    void runNewestBackground();
    std::size_t backgroundWaiting() const { return background_.size(); }

private:
    Journal& journal_;
    std::deque<std::function<void(std::stop_token)>> background_;
    std::deque<std::function<void()>> mainThread_;
};

class FakeBundle final : public platform::Bundle {
public:
    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& type) const override;
    std::string localizedString(const std::string& key) const override;

    std::map<std::string, std::string> resources; // "name.type" -> path
    std::map<std::string, std::string> strings;
};

class FakePropertyLists final : public platform::PropertyListReader {
public:
    platform::Result<platform::PlistDocument> readDictionary(const std::string& path) const override;

    std::map<std::string, platform::PlistValue> files;
    mutable std::vector<std::string> reads;
};

class FakeUsbIterator final : public platform::UsbIterator {
public:
    explicit FakeUsbIterator(std::deque<platform::UsbDevice> devices)
        : devices_(std::move(devices)) {}
    std::optional<platform::UsbDevice> next() override;
    void add(platform::UsbDevice device) { devices_.push_back(device); }

private:
    std::deque<platform::UsbDevice> devices_;
};

class FakeUsbRegistry final : public platform::UsbRegistry {
public:
    std::unique_ptr<platform::UsbIterator> matchingDevices() override;
    std::unique_ptr<platform::UsbNotificationPort> createNotificationPort() override;

    // Delivers devices plugged in now, as the system's notification would.
    void attach(std::vector<platform::UsbDevice> devices);

    std::vector<platform::UsbDevice> present;
    bool enumerationFails = false;
    bool portFails = false;
    int portsAlive = 0;
    int enumerations = 0;

private:
    friend class FakePort;
    platform::UsbAttachCallback callback_ = nullptr;
    void* refCon_ = nullptr;
    FakeUsbIterator* announced_ = nullptr;
};

class FakeWorkspace final : public platform::Workspace {
public:
    explicit FakeWorkspace(Journal& journal) : journal_(journal) {}
    std::optional<platform::Failure>
    launchApplication(const std::string& path, const std::vector<std::string>& arguments) override;
    std::optional<int> runningApplicationCount(const std::string& identity) override;
    bool isInstalled(const std::string& location) override { return !missing.contains(location); }

    std::optional<std::string> launchError;
    // Programs that are not installed; everything else is.
    std::set<std::string> missing;
    // Answers of successive queries; once used up, the last one repeats.
    std::vector<std::optional<int>> runningAnswers{0};
    std::vector<std::string> queriedIdentities;

private:
    Journal& journal_;
};

class FakeShell final : public platform::Shell {
public:
    explicit FakeShell(Journal& journal) : journal_(journal) {}
    std::optional<platform::Failure> system(const char* command) override;
    std::vector<std::string> commands;
    // Commands that fail, with the reason the shell gives.
    std::map<std::string, std::string> failures;
    // Runs after each command is recorded, as it would end.
    std::function<void(const std::string&)> onCommand;

private:
    Journal& journal_;
};

// The user's service manager: each request is recorded as "unload PATH",
// "load PATH" or "start PATH PATH...", in the journal behind "manager ".
class FakeAgentManager final {
public:
    explicit FakeAgentManager(Journal& journal) : journal_(journal) {}
    platform::AgentManagerConnection connect();

    // Why the manager cannot be reached; reachable when empty.
    std::string unreachable;
    std::vector<std::string> requests;
    // Requests that fail, with the manager's reason (a start request as
    // recorded fails for all its agents); an agent's start job, awaited
    // apart, ends in failure as "start PATH".
    std::map<std::string, std::string> failures;
    std::optional<std::string> rereadFailure;
    // Runs after each request is recorded, as it would end.
    std::function<void(const std::string&)> onRequest;

private:
    friend class FakeAgentConnection;
    std::optional<platform::Failure> answer(const std::string& request);
    Journal& journal_;
};

// The print system's answer, the same at every question; each question is
// one journal line.
class FakePrintSystem final : public platform::PrintSystem {
public:
    explicit FakePrintSystem(Journal& journal) : journal_(journal) {}
    platform::PrintQueues queues(std::stop_token stop) override;
    platform::PrintDevices usbDevices(std::stop_token stop) override;
    platform::PrintQueues answer;
    platform::PrintDevices devices;
    // Runs after each question, before its answer: a test's moment to
    // change the next one.
    std::function<void()> onAsked;

private:
    Journal& journal_;
};

// The printer settings' dialog service: whether it is there, each dialog
// opened, and a way to end one as its user would.
class FakeNewPrinterDialog final : public platform::NewPrinterDialog {
public:
    explicit FakeNewPrinterDialog(Journal& journal) : journal_(journal) {}
    void askAvailable(std::function<void(bool)> answer) override { answer(isAvailable); }
    void open(const std::string& uri, const std::string& deviceId,
              std::function<void(platform::NewPrinterOutcome)> ended) override;
    // Ends the oldest dialog still open.
    void end(platform::NewPrinterOutcome outcome);
    bool isAvailable = true;

private:
    Journal& journal_;
    std::deque<std::function<void(platform::NewPrinterOutcome)>> open_;
};

class FakeLog final : public platform::Log {
public:
    explicit FakeLog(Journal& journal) : journal_(journal) {}
    void write(const std::string& line) override;
    std::vector<std::string> lines;
    // Runs after each line is recorded: lets a test act at a precise moment.
    std::function<void(const std::string&)> onWrite;

private:
    Journal& journal_;
};

class FakePlatform final : public platform::Platform {
public:
    explicit FakePlatform(const platform::PlatformProfile& profile = platform::linuxProfile());

    platform::Application& application() override { return app; }
    platform::Threads& threads() override { return threadsFake; }
    platform::Bundle& bundle() override { return bundleFake; }
    platform::PropertyListReader& propertyLists() override { return plists; }
    platform::UsbRegistry& usbRegistry() override { return realUsb != nullptr ? *realUsb : usb; }
    platform::Workspace& workspace() override {
        return realWorkspace != nullptr ? *realWorkspace : workspaceFake;
    }
    platform::Shell& shell() override { return realShell != nullptr ? *realShell : shellFake; }
    platform::AgentManagerConnection connectAgentManager() override { return agents.connect(); }
    platform::PrintSystem& printSystem() override { return printQueues; }
    platform::NewPrinterDialog& newPrinterDialog() override { return dialogs; }
    platform::Log& log() override { return logFake; }
    const platform::PlatformProfile& profile() const override { return profileValue; }

    // Puts a catalogue at name.plist.
    void setCatalogue(const std::string& name, platform::PlistValue root);
    void removeCatalogue(const std::string& name);

    Journal journal;
    FakeApplication app{journal};
    FakeThreads threadsFake{journal};
    FakeBundle bundleFake;
    FakePropertyLists plists;
    FakeUsbRegistry usb;
    // Real services in place of the fakes, for the integration tests.
    platform::UsbRegistry* realUsb = nullptr;
    platform::Workspace* realWorkspace = nullptr;
    platform::Shell* realShell = nullptr;
    FakeWorkspace workspaceFake{journal};
    FakeShell shellFake{journal};
    FakeAgentManager agents{journal};
    FakePrintSystem printQueues{journal};
    FakeNewPrinterDialog dialogs{journal};
    FakeLog logFake{journal};
    // A copy, so that a test may change a value (the toolkit version).
    platform::PlatformProfile profileValue;
};

// Catalogue building blocks. What their values look at is kept for the whole
// test program, so a value may be copied and read anywhere.
platform::PlistValue str(std::string text);
platform::PlistValue array(std::vector<platform::PlistValue> items);
platform::PlistValue dict(const std::vector<std::pair<std::string, platform::PlistValue>>& entries);
platform::PlistValue entry(std::string vid, std::string pid);
platform::PlistValue devicesCatalogue(std::vector<platform::PlistValue> entries);
// A Wi-Fi catalogue that lists background agents and, maybe, a USB monitor agent.
platform::PlistValue agentsCatalogue(const std::vector<std::string>& agents,
                                     const std::optional<std::string>& monitor);

} // namespace fakes
