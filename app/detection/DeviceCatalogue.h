// SPDX-License-Identifier: MIT
// The two device catalogues ("wifiDevices", "otherDevices"): property lists
// in the bundle that name the maker's printer models by their USB ids and
// carry the paths the hand-offs need. Read afresh at every use; never cached.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class Platform;
struct PlistValue;
} // namespace platform

// One element of "devices": the model's vendor and product ids, given as
// hexadecimal text (nothing for an id that is absent or not a string). Both
// texts are scanned once, here, and only what they scan to is kept, so that
// matching is two comparisons and a long list stays small.
class CatalogueEntry {
public:
    CatalogueEntry(std::optional<std::string_view> vid, std::optional<std::string_view> pid);

    // The vendor and product id this entry names, when both texts scan to a
    // 16-bit number; an entry without one can never match.
    struct UsbIds {
        std::uint16_t vid;
        std::uint16_t pid;
    };
    std::optional<UsbIds> usbIds() const;

private:
    friend bool entryMatchesDevice(const CatalogueEntry&, std::uint16_t, std::uint16_t);

    std::optional<std::uint32_t> scannedVid_;
    std::optional<std::uint32_t> scannedPid_;
};

// What a catalogue holds that the assistant passes over in silence, for the
// packager's checker, which adds the file and the place in it. `where` names
// the value ("devices[3].vid"); ids are stable and never translated.
struct CatalogueFinding {
    enum class Severity { Error, Warning };
    Severity severity = Severity::Error;
    std::string id = {};
    std::string where = {};
    std::string message = {};
    std::string file = {};
    // A line and column (from 1) in XML text, or a byte offset in a binary file.
    std::optional<std::size_t> line = {};
    std::optional<std::size_t> column = {};
    std::optional<std::size_t> offset = {};
};

// Receives each finding as it is found; nothing is kept.
using CatalogueFindings = std::function<void(CatalogueFinding&&)>;

class DeviceCatalogue {
public:
    DeviceCatalogue() = default;
    // Takes what the assistant reads from a catalogue's root dictionary;
    // values of the wrong type are passed over, and so reported to findings
    // when it is given, with the entries that can never match or match only
    // by the scanner's leniency.
    static DeviceCatalogue fromPropertyList(const platform::PlistValue& root,
                                            const CatalogueFindings& findings = {});

    const std::vector<CatalogueEntry>& devices() const { return devices_; }
    // How many entries name the device (entryMatchesDevice): the one query
    // of whether the catalogue lists it. A model listed twice counts twice,
    // as the screens react once per entry.
    std::size_t entriesNaming(std::uint16_t idVendor, std::uint16_t idProduct) const;
    const std::optional<std::string>& application() const { return application_; }
    const std::vector<std::string>& smLaunchAgentPath() const { return smLaunchAgentPath_; }
    const std::optional<std::string>& usbMonitorLaunchAgentPath() const {
        return usbMonitorLaunchAgentPath_;
    }

private:
    std::vector<CatalogueEntry> devices_;
    std::optional<std::string> application_;
    std::vector<std::string> smLaunchAgentPath_;
    std::optional<std::string> usbMonitorLaunchAgentPath_;
};

// The catalogue resource "name.plist" of the bundle; empty when it is missing,
// unreadable or its root is no dictionary. One that is there but cannot be
// read writes one log line with the reason; nothing else is logged.
DeviceCatalogue loadDeviceCatalogue(platform::Platform& platform, const std::string& name);

// Reads a hexadecimal id the way the original desktop's scanner does: leading
// white space and line breaks skipped, an optional 0x or 0X, the longest run
// of hex digits, the rest ignored, saturating at 0xFFFFFFFF. Nothing when no
// digit is found.
std::optional<std::uint32_t> scanHexInt(std::string_view text);

// The same scan, saying also what the leniency passed over.
struct HexScan {
    std::optional<std::uint32_t> value;
    bool skippedLeadingSpace = false;
    bool ignoredTrailingText = false;
};
HexScan scanHex(std::string_view text);

// True when the entry names the device: both scanned ids equal the device's,
// widened with zeros. An entry without two readable ids matches nothing.
bool entryMatchesDevice(const CatalogueEntry& entry, std::uint16_t idVendor,
                        std::uint16_t idProduct);
