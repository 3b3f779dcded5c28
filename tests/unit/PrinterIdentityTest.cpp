// SPDX-License-Identifier: MIT
// Real printers as they report themselves (USB strings, the IEEE 1284 id of
// their printer interface and its number) and the URI that CUPS's usb
// backend made for them: the one rule that names the printer in the window
// and finds its queues and its device.
#include "app/detection/PrinterIdentity.h"
#include "app/detection/PrintQueueMatch.h"
#include "app/handoff/NewPrinterDialogRoad.h"

#include <gtest/gtest.h>

namespace {

struct RealPrinter {
    const char* name;
    // The USB descriptor's strings.
    std::string maker, product, serial;
    std::string id;
    std::optional<int> interface;
    std::string uri;
    std::optional<QueueMatchKind> how;
    std::string shownAs;
};

class RealPrinters : public ::testing::TestWithParam<RealPrinter> {};

// USB strings and URIs of the first four were seen with real printers under
// CUPS 2.4 (their ids shortened to what the URIs are made of); the
// HL-5170DN is `lpinfo -l -v` as quoted in brlaser's issue 167.
const std::string P1102 = "MFG:Hewlett-Packard;MDL:HP LaserJet Professional P1102;CLS:PRINTER;";
const std::string Xp2100 = "MFG:EPSON;CMD:ESCPL2,BDC,D4;MDL:XP-2100 Series;CLS:PRINTER;";
const std::string Lbp2900 = "MFG:Canon;MDL:LBP2900;CMD:CAPT;VER:1.0;CLS:PRINTER;DES:Canon LBP2900";
const std::string Hl5170 = "MFG:Brother;CMD:PJL,PCL,PCLXL,POSTSCRIPT;MDL:HL-5170DN series;";
const std::string HpModel = "HP LaserJet Professional P1102";
const std::string Capt = "Canon CAPT USB Device";
constexpr std::optional<QueueMatchKind> Model = QueueMatchKind::MakerAndModel;
constexpr std::optional<QueueMatchKind> Serial = QueueMatchKind::Serial;
constexpr std::optional<QueueMatchKind> None;

INSTANTIATE_TEST_SUITE_P(
    Models, RealPrinters,
    ::testing::Values(
        RealPrinter{"HpRenamed", "Hewlett-Packard", HpModel, "", P1102, 0,
                    "usb://HP/LaserJet%20Professional%20P1102", Model, HpModel},
        RealPrinter{"EpsonSecondInterface", "EPSON", "USB2.0 MFP(Hi-Speed)", "", Xp2100, 1,
                    "usb://EPSON/XP-2100%20Series?interface=1", Model, "EPSON XP-2100 Series"},
        RealPrinter{"CanonUsbStringsSayNothing", "Canon", Capt, "", Lbp2900, 0,
                    "usb://Canon/LBP2900", Model, "Canon LBP2900"},
        RealPrinter{"Brother", "Brother", "HL-L2350DW series", "",
                    "MFG:Brother;CMD:PJL,PCL,PCLXL,URF;MDL:HL-L2350DW series;CLS:PRINTER;", 0,
                    "usb://Brother/HL-L2350DW%20series", Model, "Brother HL-L2350DW series"},
        RealPrinter{"BySerial", "Brother", "HL-5170DN series", "D5J807428", Hl5170, 0,
                    "usb://Brother/HL-5170DN%20series?serial=D5J807428", Serial,
                    "Brother HL-5170DN series"},
        // Another serial is another printer; another interface another
        // function of the device; "serial=?" is the backend's none.
        RealPrinter{"AnotherSerial", "Brother", "HL-5170DN series", "D5J807428", Hl5170, 0,
                    "usb://Brother/HL-5170DN%20series?serial=E7K123456", None,
                    "Brother HL-5170DN series"},
        RealPrinter{"AnotherInterface", "EPSON", "USB2.0 MFP(Hi-Speed)", "", Xp2100, 1,
                    "usb://EPSON/XP-2100%20Series?interface=2", None, "EPSON XP-2100 Series"},
        RealPrinter{"NoSerialMark", "Canon", Capt, "C0FFEE", Lbp2900, 0,
                    "usb://Canon/LBP2900?serial=?", Model, "Canon LBP2900"},
        // A made-up serial in the id beside the descriptor's, which newer
        // backends take; HPLIP's scheme writes the maker into the model.
        RealPrinter{"DescriptorSerial", "Hewlett-Packard", HpModel, "00QN8H3N2PR1a",
                    P1102 + "SN:BOGUS0001;", 0,
                    "hp:/usb/HP_LaserJet_Professional_P1102?serial=00QN8H3N2PR1a", Serial, HpModel},
        // Without an id, only the USB strings: nothing to go on for a
        // printer whose strings do not name it.
        RealPrinter{"NoId", "Canon", Capt, "", "", std::nullopt, "usb://Canon/LBP2900", None,
                    Capt}),
    [](const ::testing::TestParamInfo<RealPrinter>& each) { return each.param.name; });

TEST_P(RealPrinters, AreKnownAsThePrintSystemKnowsThem) {
    const RealPrinter& model = GetParam();
    platform::UsbDevice device(0x03F0, 0x002A);
    device.manufacturer = model.maker;
    device.product = model.product;
    device.serial = model.serial;
    device.ieee1284Id = model.id;
    device.printerInterface = model.interface;
    EXPECT_EQ(printerName(printerIdentity(device)), model.shownAs);
    const std::vector<QueueMatch> queues =
        queuesOfDevice(device, {{"Far", "ipp://printer.example/ipp/print"}, {"Q", model.uri}});
    const std::optional<PrinterAddress> address = addressOf(device, {{{model.uri, "MFG:X;"}}, {}});
    ASSERT_EQ(queues.size(), model.how ? 1U : 0U);
    EXPECT_EQ(address.has_value(), model.how.has_value());
    if (model.how) {
        EXPECT_EQ(queues[0].how, *model.how);
    }
}

} // namespace
