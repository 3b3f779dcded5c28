// SPDX-License-Identifier: MIT
// The only door from the assistant's logic to the desktop. app/ includes this
// header and nothing else of the platform; each backend (Qt + Linux here, a
// macOS one later) implements these interfaces, and tests/fakes records them.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct PlatformProfile;

// Desktop coordinates: the origin is the lower-left corner of the primary
// screen and y grows upward. Backends convert at the last moment.
struct Point {
    double x = 0;
    double y = 0;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// A button, check box or text field.
class Control {
public:
    virtual ~Control() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    // A button's caption.
    virtual void setTitle(const std::string& title) = 0;
    // A text field's displayed text.
    virtual void setStringValue(const std::string& text) = 0;
    // Out of the window's layout and of what a screen reader reads, or back.
    virtual void setHidden(bool hidden) = 0;
    // A check box's state: 1 on, 0 off, -1 mixed; 0 for anything without one.
    virtual int state() const = 0;
};

// A content view that a window can show.
class View {
public:
    virtual ~View() = default;
};

class Window {
public:
    static constexpr int CloseButton = 0;

    virtual ~Window() = default;
    // Lays the window out for the texts it holds now and learns the frame
    // the window manager will give it, so that frame() then reads the frame
    // it will have on screen. Main thread; may wait, within a bound, for the
    // window manager's answer; changes nothing the user sees.
    virtual void prepareForDisplay() = 0;
    // Reads; changes nothing.
    virtual Rect frame() const = 0;
    // Moves the lower-left corner; the size stays.
    virtual void setFrameOrigin(Point origin) = 0;
    // Replaces the content view; the window's frame stays.
    virtual void setContentView(View* view) = 0;
    // On screen, in front of the assistant's other windows, and key.
    virtual void makeKeyAndOrderFront() = 0;
    // Off screen without closing it.
    virtual void orderOut() = 0;
    // The title-bar button of that kind as a control, or null.
    virtual Control* standardWindowButton(int kind) = 0;
    virtual bool isModalPanel() const = 0;
};

class Application {
public:
    virtual ~Application() = default;
    // Makes the assistant the active application, also while another one is.
    virtual void activateIgnoringOtherApps(bool flag) = 0;
    // Ends the application in an orderly way. Main thread only.
    virtual void terminate(const void* sender) = 0;
    // True once the user or the system has asked the application to end (a
    // termination signal) while the main thread was busy: long steps look at
    // it between their parts and stop early. Main thread only; never blocks.
    virtual bool terminationRequested() const = 0;
    // Shows the window as a modal panel and runs a modal loop for it; returns
    // once stopModal() has ended that loop. Main thread only; other windows
    // take no input meanwhile, events and notifications are still delivered.
    virtual void runModalForWindow(Window* window) = 0;
    // Ends the modal loop that is running, if any.
    virtual void stopModal() = 0;
    // The screen that holds the key window (else the primary one), or none.
    virtual std::optional<Rect> mainScreenFrame() const = 0;
    // The part of that screen that windows may use (without panels and
    // docks), or none when there is no main screen.
    virtual std::optional<Rect> mainScreenVisibleFrame() const = 0;
};

class Threads {
public:
    virtual ~Threads() = default;
    // Runs fn, the task named task ("the print queues' lookup"), on a thread
    // the platform owns: once the event loop has ended it asks the task to
    // stop, through the token, and joins it before anything the task may use
    // goes. An exception that ends the task, or a thread that cannot start,
    // is one log line naming it; the assistant goes on without its result.
    virtual void performInBackground(const char* task,
                                     std::function<void(std::stop_token)> fn) = 0;
    // Queues fn onto the main thread's event loop; callable from any thread.
    // Dropped when the loop has already ended.
    virtual void performOnMainThread(std::function<void()> fn) = 0;
    // Blocks the calling thread for that long, or until stop is asked for:
    // false then.
    virtual bool sleepFor(std::chrono::milliseconds duration, std::stop_token stop) = 0;
};

// The application bundle: its resources and its strings table.
class Bundle {
public:
    virtual ~Bundle() = default;
    // Full path of "name.type" among the bundle's resources, if it exists.
    virtual std::optional<std::string> pathForResource(const std::string& name,
                                                       const std::string& type) const = 0;
    // The text for key in the user's language; the key itself when missing.
    virtual std::string localizedString(const std::string& key) const = 0;
};

// A property-list value as the assistant reads it: dictionaries, arrays and
// strings. Values of any other type arrive as Other. A value only looks at
// memory: the PlistDocument it came from holds it.
struct PlistValue {
    enum class Kind { Other, String, Array, Dictionary };
    Kind kind = Kind::Other;
    std::string_view string;
    // Array elements, or dictionary values in the order of `keys`.
    std::span<const PlistValue> items;
    std::span<const std::string_view> keys;

    const PlistValue* find(std::string_view key) const {
        if (kind != Kind::Dictionary) return nullptr;
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] == key) return &items[i];
        return nullptr;
    }
};

// A value tree and the memory its values look at, kept together and given
// back together.
class PlistDocument {
public:
    PlistDocument(std::shared_ptr<const void> memory, PlistValue root)
        : memory_(std::move(memory)), root_(root) {}
    const PlistValue& root() const { return root_; }

private:
    std::shared_ptr<const void> memory_;
    PlistValue root_;
};

class PropertyListReader {
public:
    virtual ~PropertyListReader() = default;
    // The file's value tree (XML or binary form), or nothing when the file is
    // missing, unreadable, or its root is not a dictionary.
    virtual std::optional<PlistDocument> readDictionary(const std::string& path) const = 0;
};

struct UsbDevice {
    UsbDevice() = default;
    UsbDevice(std::uint16_t vendorId, std::uint16_t productId)
        : idVendor(vendorId), idProduct(productId) {}

    std::uint16_t idVendor = 0;
    std::uint16_t idProduct = 0;
    // The device's own strings, empty when it gives none: what tells two
    // printers of one model apart, and what the print system names it after
    // where its device id says nothing.
    std::string serial;
    std::string manufacturer;
    std::string product;
    // The IEEE 1284 device id its printer interface reports, if any, and
    // that interface's number.
    std::string ieee1284Id;
    std::optional<int> printerInterface;
    friend bool operator==(const UsbDevice&, const UsbDevice&) = default;
};

class UsbIterator {
public:
    virtual ~UsbIterator() = default;
    // The next device, or nothing when none is left. A device whose ids
    // cannot be read comes with 0 and 0.
    virtual std::optional<UsbDevice> next() = 0;
};

using UsbAttachCallback = void (*)(void* refCon, UsbIterator* iterator);

class UsbNotificationPort {
public:
    virtual ~UsbNotificationPort() = default;
    // Registers for USB devices attached from now on. The returned iterator
    // first yields the devices already present; once it has been walked to
    // its end, callback(refCon, iterator) runs on the main thread whenever new
    // devices wait in it. Null when the registration fails, after a log line
    // naming the failed call and the system's reason. Destroying the
    // port ends the calls; the iterator may outlive it. When the system says
    // that notifications were lost, every device present then is queued as
    // if newly attached, and the port writes one log line.
    virtual std::unique_ptr<UsbIterator> addFirstMatchNotification(UsbAttachCallback callback,
                                                                   void* refCon) = 0;
};

class UsbRegistry {
public:
    virtual ~UsbRegistry() = default;
    // The USB devices attached now, in the registry's order; null when the
    // enumeration cannot start, after a log line naming the failed call and
    // the system's reason.
    virtual std::unique_ptr<UsbIterator> matchingDevices() = 0;
    // Null when the system gives no notification port, after a log line
    // naming the failed call and the system's reason.
    virtual std::unique_ptr<UsbNotificationPort> createNotificationPort() = 0;
};

class Workspace {
public:
    virtual ~Workspace() = default;
    // Starts the program at path as a new, independent process with these
    // arguments behind its name. A description of the failure, or nothing.
    virtual std::optional<std::string>
    launchApplication(const std::string& path, const std::vector<std::string>& arguments) = 0;
    // How many programs with this identity the user runs now; nothing when
    // the system gives no answer. Callable from any thread.
    virtual std::optional<int> runningApplicationCount(const std::string& identity) = 0;
    // Whether the program at location (a path, or a name the shell finds)
    // is installed and can be run. Callable from any thread.
    virtual bool isInstalled(const std::string& location) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Hands the command line to the standard shell and waits for its end.
    // Nothing when it exited with status 0; otherwise why not, as words for
    // the log: "exit status 5", "killed by signal 9 (Killed)", or that the
    // shell could not be started and the system's reason (errno).
    virtual std::optional<std::string> system(const char* command) = 0;
};

// A connection to the user's own service manager, where the desktop's
// agents are its units (systemd's user instance): asked directly rather than
// through commands, so that reloading any number of agents costs the manager
// at most one reading of all its unit files. Unloads and loads wait for what
// they asked to end; starts are asked for, and awaited apart. Failures are
// the manager's own words, for the log. Closed when released.
struct AgentStarts {
    // Why the manager could not read the agents' files anew, if it had to.
    std::optional<std::string> rereadFailure;
    // One per agent, in order: nothing once its start is under way, or why
    // it could not be asked for.
    std::vector<std::optional<std::string>> failures;
};

class AgentManager {
public:
    virtual ~AgentManager() = default;
    // Stops the agent whose unit file is at path and disables it. An agent
    // the manager does not know is nothing to undo, no failure.
    virtual std::optional<std::string> unload(const std::string& path) = 0;
    // Links the unit file at path among the user's units and enables it.
    virtual std::optional<std::string> load(const std::string& path) = 0;
    // Has the manager read the files of the loaded agents anew where it must,
    // then asks it to start them side by side, without waiting for them.
    virtual AgentStarts start(const std::vector<std::string>& paths) = 0;
    // Waits for the starts of the last start() to end (bounded). One per
    // agent of that call, in order: nothing once it runs or when its start
    // was never under way, or why it does not run.
    virtual std::vector<std::optional<std::string>> awaitStarts() = 0;
};

// The connection, or why the manager cannot be asked.
struct AgentManagerConnection {
    std::unique_ptr<AgentManager> manager;
    std::string failure;
};

// A queue of the print system and the device it prints to.
struct PrintQueue {
    std::string name;
    std::string deviceUri;
    // For a queue that prints to a port of this machine in the range where
    // an IPP-over-USB proxy (ipp-usb) serves USB printers: the IEEE 1284
    // device id and the make and model that the port reports for its device.
    // Empty for any other queue, or when the port did not answer.
    std::string portDeviceId = {};
    std::string portMakeAndModel = {};
};

struct PrintQueues {
    std::vector<PrintQueue> queues;
    // Why the print system could not be asked; no queues then.
    std::optional<std::string> failure;
};

// A printer the print system finds on a USB port, as its device list names
// it: what a new queue for it would print to.
struct PrintDevice {
    std::string uri;
    // Its IEEE 1284 device id ("MFG:…;MDL:…;"), empty when it reports none.
    std::string deviceId;
};

struct PrintDevices {
    std::vector<PrintDevice> devices;
    // Why the print system could not be asked; no devices then.
    std::optional<std::string> failure;
};

class PrintSystem {
public:
    virtual ~PrintSystem() = default;
    // The queues as the print system lists them now, within a bound; a stop
    // request ends the question at once. Blocks meanwhile: never on the main
    // thread. Any thread.
    virtual PrintQueues queues(std::stop_token stop) = 0;
    // The printers its USB backends find now, within a bounded search.
    // Blocks meanwhile, as queues() does.
    virtual PrintDevices usbDevices(std::stop_token stop) = 0;
};

// How the printer settings' new-printer dialog ended.
struct NewPrinterOutcome {
    enum class Kind { Added, Modified, Cancelled, ServiceGone, Failed };
    Kind kind = Kind::Failed;
    // Added and Modified: the queue's name; Failed: why the dialog never
    // opened.
    std::string detail;
};

// The printer settings' session service (system-config-printer's), which
// opens its new-printer dialog at one device and says how the dialog ended.
class NewPrinterDialog {
public:
    virtual ~NewPrinterDialog() = default;
    // Whether the service is on the session bus or can be started there,
    // asked without waiting: answer runs once, on the main thread.
    virtual void askAvailable(std::function<void(bool)> answer) = 0;
    // Opens a dialog at the device; ended runs once, on the main thread:
    // added, modified, cancelled, the service gone from the bus, or failed
    // (also when no dialog window shows within a bound after the call).
    virtual void open(const std::string& uri, const std::string& deviceId,
                      std::function<void(NewPrinterOutcome)> ended) = 0;
};

class Log {
public:
    virtual ~Log() = default;
    // One line in the system log.
    virtual void write(const std::string& line) = 0;
};

// The name of each element of the interface description, and the actions
// that the description wires to its controls.
class InterfaceDescription {
public:
    struct ActionBinding {
        Control* control;
        std::string selector;
    };

    virtual ~InterfaceDescription() = default;
    virtual Window* window(const std::string& name) = 0;
    virtual View* view(const std::string& name) = 0;
    virtual Control* control(const std::string& name) = 0;
    virtual std::vector<ActionBinding> actionBindings() = 0;
    // Calls handler on the main thread whenever the user activates control.
    virtual void onActivated(Control* control, std::function<void()> handler) = 0;
};

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
    // Asked only where the profile reloads agents through the manager.
    virtual AgentManagerConnection connectAgentManager() = 0;
    virtual PrintSystem& printSystem() = 0;
    virtual NewPrinterDialog& newPrinterDialog() = 0;
    virtual Log& log() = 0;
    virtual const PlatformProfile& profile() const = 0;
};

} // namespace platform
