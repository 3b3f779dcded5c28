// SPDX-License-Identifier: MIT
#include "tests/fakes/FakePlatform.h"

#include <cstdio>
#include <deque>
#include <mutex>

namespace fakes {

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void FakeControl::setEnabled(bool enabled) {
    enabled_ = enabled;
    journal_.push_back("enable " + name_ + " " + (enabled ? "YES" : "NO"));
}

void FakeControl::setTitle(const std::string& title) {
    title_ = title;
    journal_.push_back("title " + name_ + " " + title);
}

void FakeControl::setStringValue(const std::string& text) {
    text_ = text;
    journal_.push_back("text " + name_ + " " + text);
}

void FakeControl::setHidden(bool hidden) {
    hidden_ = hidden;
    journal_.push_back((hidden ? "hide " : "show ") + name_);
}

void FakeWindow::setFrameOrigin(platform::Point origin) {
    frame_.x = origin.x;
    frame_.y = origin.y;
    journal_.push_back("place " + name_ + " " + number(origin.x) + "," + number(origin.y));
}

void FakeWindow::setContentView(platform::View* view) {
    content_ = view;
    auto* fake = dynamic_cast<FakeView*>(view);
    journal_.push_back("content " + name_ + " " + (fake != nullptr ? fake->name() : "?"));
}

void FakeWindow::makeKeyAndOrderFront() {
    visible_ = true;
    journal_.push_back("front " + name_);
}

void FakeWindow::orderOut() {
    visible_ = false;
    journal_.push_back("out " + name_);
}

platform::Control* FakeWindow::standardWindowButton(int kind) {
    return kind == platform::Window::CloseButton ? &closeButton_ : nullptr;
}

void FakeApplication::activateIgnoringOtherApps(bool flag) {
    journal_.push_back(std::string("activate ") + (flag ? "YES" : "NO"));
}

void FakeApplication::terminate(const void* sender) {
    terminateSenders.push_back(sender);
    journal_.push_back("terminate");
}

void FakeApplication::runModalForWindow(platform::Window* window) {
    auto* fake = dynamic_cast<FakeWindow*>(window);
    journal_.push_back("runModal " + (fake != nullptr ? fake->name() : std::string("?")));
    if (fake != nullptr) fake->setModal(true);
    if (duringModal) duringModal();
    if (fake != nullptr) fake->setModal(false);
}

void FakeApplication::stopModal() {
    journal_.push_back("stopModal");
}

std::optional<platform::Rect> FakeApplication::mainScreenFrame() const {
    return screen;
}

void FakeThreads::performInBackground(const char* /*task*/,
                                      std::function<void(std::stop_token)> fn) {
    journal_.push_back("background");
    background_.push_back(std::move(fn));
}

void FakeThreads::performOnMainThread(std::function<void()> fn) {
    journal_.push_back("to main thread");
    mainThread_.push_back(std::move(fn));
}

bool FakeThreads::sleepFor(std::chrono::milliseconds duration, std::stop_token stop) {
    journal_.push_back("sleep " + number(static_cast<double>(duration.count()) / 1000));
    return !stop.stop_requested();
}

void FakeThreads::runBackground() {
    while (!background_.empty()) {
        auto fn = std::move(background_.front());
        background_.pop_front();
        fn(std::stop_token{});
    }
}

void FakeThreads::settle() {
    while (!background_.empty() || !mainThread_.empty()) {
        runMainThread();
        runBackground();
    }
}

void FakeThreads::runNewestBackground() {
    auto fn = std::move(background_.back());
    background_.pop_back();
    fn(std::stop_token{});
}

void FakeThreads::runMainThread() {
    while (!mainThread_.empty()) {
        auto fn = std::move(mainThread_.front());
        mainThread_.pop_front();
        fn();
    }
}

std::optional<std::string> FakeBundle::pathForResource(const std::string& name,
                                                       const std::string& type) const {
    const auto found = resources.find(name + "." + type);
    if (found == resources.end()) return std::nullopt;
    return found->second;
}

std::string FakeBundle::localizedString(const std::string& key) const {
    const auto found = strings.find(key);
    return found == strings.end() ? key : found->second;
}

platform::Result<platform::PlistDocument>
FakePropertyLists::readDictionary(const std::string& path) const {
    reads.push_back(path);
    const auto found = files.find(path);
    if (found == files.end()) return platform::Failure{{}, "missing", "no such file"};
    if (found->second.kind != platform::PlistValue::Kind::Dictionary)
        return platform::Failure{{}, "root-not-dictionary", "the root is no dictionary"};
    return platform::PlistDocument(nullptr, found->second);
}

std::optional<platform::UsbDevice> FakeUsbIterator::next() {
    if (devices_.empty()) return std::nullopt;
    const platform::UsbDevice device = devices_.front();
    devices_.pop_front();
    return device;
}

class FakePort final : public platform::UsbNotificationPort {
public:
    explicit FakePort(FakeUsbRegistry& registry) : registry_(registry) { ++registry_.portsAlive; }
    ~FakePort() override {
        --registry_.portsAlive;
        registry_.callback_ = nullptr;
        registry_.announced_ = nullptr;
    }
    FakePort(const FakePort&) = delete;
    FakePort& operator=(const FakePort&) = delete;

    std::unique_ptr<platform::UsbIterator>
    addFirstMatchNotification(platform::UsbAttachCallback callback, void* refCon) override {
        registry_.callback_ = callback;
        registry_.refCon_ = refCon;
        auto iterator = std::make_unique<FakeUsbIterator>(
            std::deque<platform::UsbDevice>(registry_.present.begin(), registry_.present.end()));
        registry_.announced_ = iterator.get();
        return iterator;
    }

private:
    FakeUsbRegistry& registry_;
};

std::unique_ptr<platform::UsbIterator> FakeUsbRegistry::matchingDevices() {
    ++enumerations;
    if (enumerationFails) return nullptr;
    return std::make_unique<FakeUsbIterator>(
        std::deque<platform::UsbDevice>(present.begin(), present.end()));
}

std::unique_ptr<platform::UsbNotificationPort> FakeUsbRegistry::createNotificationPort() {
    if (portFails) return nullptr;
    return std::make_unique<FakePort>(*this);
}

void FakeUsbRegistry::attach(std::vector<platform::UsbDevice> devices) {
    present.insert(present.end(), devices.begin(), devices.end());
    if (callback_ == nullptr || announced_ == nullptr) return;
    for (const platform::UsbDevice& device : devices)
        announced_->add(device);
    callback_(refCon_, announced_);
}

namespace {

// A test's words for a failure, as a platform service gives it.
std::optional<platform::Failure> failureOf(const std::optional<std::string>& words) {
    if (!words) return std::nullopt;
    return platform::Failure{{}, {}, *words};
}

} // namespace

std::optional<platform::Failure>
FakeWorkspace::launchApplication(const std::string& path,
                                 const std::vector<std::string>& arguments) {
    std::string line = "launch " + path;
    for (const std::string& argument : arguments)
        line += " " + argument;
    journal_.push_back(line);
    return failureOf(launchError);
}

std::optional<int> FakeWorkspace::runningApplicationCount(const std::string& identity) {
    queriedIdentities.push_back(identity);
    journal_.push_back("query " + identity);
    const std::size_t at = std::min(queriedIdentities.size(), runningAnswers.size()) - 1;
    return runningAnswers.at(at);
}

std::optional<platform::Failure> FakeShell::system(const char* command) {
    commands.emplace_back(command);
    journal_.push_back(std::string("shell ") + command);
    if (onCommand) onCommand(command);
    const auto failure = failures.find(command);
    if (failure == failures.end()) return std::nullopt;
    return failureOf(failure->second);
}

class FakeAgentConnection final : public platform::AgentManager {
public:
    explicit FakeAgentConnection(FakeAgentManager& manager) : manager_(manager) {}
    std::optional<platform::Failure> unload(const std::string& path) override {
        return manager_.answer("unload " + path);
    }
    std::optional<platform::Failure> load(const std::string& path) override {
        return manager_.answer("load " + path);
    }
    platform::AgentStarts start(const std::vector<std::string>& paths) override {
        std::string request = "start";
        for (const std::string& path : paths)
            request += " " + path;
        started_ = paths;
        const std::optional<platform::Failure> refused = manager_.answer(request);
        return {failureOf(manager_.rereadFailure),
                std::vector<std::optional<platform::Failure>>(paths.size(), refused)};
    }
    // A start job's end is the failure given as "start PATH".
    std::vector<std::optional<platform::Failure>> awaitStarts() override {
        manager_.answer("await starts");
        std::vector<std::optional<platform::Failure>> ends;
        for (const std::string& path : started_) {
            const auto failure = manager_.failures.find("start " + path);
            ends.push_back(failure == manager_.failures.end() ? std::nullopt
                                                              : failureOf(failure->second));
        }
        return ends;
    }

private:
    FakeAgentManager& manager_;
    std::vector<std::string> started_;
};

platform::AgentManagerConnection FakeAgentManager::connect() {
    journal_.push_back("manager connect");
    if (!unreachable.empty()) return {nullptr, {{}, {}, unreachable}};
    return {std::make_unique<FakeAgentConnection>(*this), {}};
}

std::optional<platform::Failure> FakeAgentManager::answer(const std::string& request) {
    requests.push_back(request);
    journal_.push_back("manager " + request);
    if (onRequest) onRequest(request);
    const auto failure = failures.find(request);
    if (failure == failures.end()) return std::nullopt;
    return failureOf(failure->second);
}

platform::PrintQueues FakePrintSystem::queues(std::stop_token /*stop*/) {
    journal_.push_back("print queues");
    platform::PrintQueues now = answer;
    if (onAsked) onAsked();
    return now;
}

platform::PrintDevices FakePrintSystem::usbDevices(std::stop_token /*stop*/) {
    journal_.push_back("print devices");
    return devices;
}

void FakeNewPrinterDialog::open(const std::string& uri, const std::string& deviceId,
                                std::function<void(platform::NewPrinterOutcome)> ended) {
    journal_.push_back("dialog " + uri + " " + deviceId);
    open_.push_back(std::move(ended));
}

void FakeNewPrinterDialog::end(platform::NewPrinterOutcome outcome) {
    auto ended = std::move(open_.front());
    open_.pop_front();
    ended(std::move(outcome));
}

void FakeLog::write(const std::string& line) {
    lines.push_back(line);
    journal_.push_back("log " + line);
    if (onWrite) onWrite(line);
}

FakePlatform::FakePlatform(const platform::PlatformProfile& profile) : profileValue(profile) {}

void FakePlatform::setCatalogue(const std::string& name, platform::PlistValue root) {
    const std::string path = "/bundle/Resources/" + name + ".plist";
    bundleFake.resources[name + ".plist"] = path;
    plists.files[path] = root;
}

void FakePlatform::removeCatalogue(const std::string& name) {
    bundleFake.resources.erase(name + ".plist");
}

namespace {

template <typename T> std::span<const T> kept(std::vector<T> values) {
    static std::mutex guard;
    static std::deque<std::vector<T>> store;
    const std::lock_guard<std::mutex> lock(guard);
    return store.emplace_back(std::move(values));
}

} // namespace

platform::PlistValue str(std::string text) {
    platform::PlistValue value;
    value.kind = platform::PlistValue::Kind::String;
    const std::span<const char> stored = kept(std::vector<char>(text.begin(), text.end()));
    value.string = std::string_view(stored.data(), stored.size());
    return value;
}

platform::PlistValue array(std::vector<platform::PlistValue> items) {
    platform::PlistValue value;
    value.kind = platform::PlistValue::Kind::Array;
    value.items = kept(std::move(items));
    return value;
}

platform::PlistValue
dict(const std::vector<std::pair<std::string, platform::PlistValue>>& entries) {
    platform::PlistValue value;
    value.kind = platform::PlistValue::Kind::Dictionary;
    std::vector<std::string_view> keys;
    std::vector<platform::PlistValue> items;
    for (const auto& [key, item] : entries) {
        keys.push_back(str(key).string);
        items.push_back(item);
    }
    value.keys = kept(std::move(keys));
    value.items = kept(std::move(items));
    return value;
}

platform::PlistValue entry(std::string vid, std::string pid) {
    return dict({{"vid", str(std::move(vid))}, {"pid", str(std::move(pid))}});
}

platform::PlistValue devicesCatalogue(std::vector<platform::PlistValue> entries) {
    return dict({{"devices", array(std::move(entries))}});
}

platform::PlistValue agentsCatalogue(const std::vector<std::string>& agents,
                                     const std::optional<std::string>& monitor) {
    std::vector<platform::PlistValue> paths;
    paths.reserve(agents.size());
    for (const std::string& path : agents)
        paths.push_back(str(path));
    std::vector<std::pair<std::string, platform::PlistValue>> root = {
        {"smLaunchAgentPath", array(std::move(paths))}};
    if (monitor) root.emplace_back("usbMonitorLaunchAgentPath", str(*monitor));
    return dict(root);
}

} // namespace fakes
