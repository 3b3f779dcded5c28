// SPDX-License-Identifier: MIT
// Real printers as they report themselves (USB strings, the IEEE 1284 id
// of their printer interface) and the URI that CUPS's usb backend made for
// them: the one rule that names the printer in the window, finds its queues
// for the window, the log and the checker, and its device for the dialog.
#include "app/detection/PrinterIdentity.h"
#include "app/detection/PrintQueueMatch.h"
#include "app/handoff/NewPrinterDialogRoad.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct RealPrinter {
    const char* name;
    // USB descriptor strings.
    std::string manufacturer;
    std::string product;
    std::string serial;
    // What usblp reads from the printer interface, and that interface.
    std::string ieee1284Id;
    std::optional<int> printerInterface;
    std::string queueUri;
    std::optional<QueueMatchKind> how;
    std::string shownAs;
};

class RealPrinters : public ::testing::TestWithParam<RealPrinter> {};

// The first four were tried by hand against CUPS 2.4 on Debian 12 (the
// queues its usb backend made). The HL-5170DN is `lpinfo -l -v` as quoted
// in brlaser's issue 167; the DeskJet 1110's id is the backend's own debug
// line as quoted in a CUPS guide.
const std::string P1102Id = "MFG:Hewlett-Packard;MDL:HP LaserJet Professional P1102;"
                            "CMD:ZJS,PJL,ACL,HTTP;CLS:PRINTER;DES:HP LaserJet Professional P1102;";
const std::string Xp2100Id = "MFG:EPSON;CMD:ESCPL2,BDC,D4,D4PX,ESCPR7,END4,GENEP,URF;"
                             "MDL:XP-2100 Series;CLS:PRINTER;DES:EPSON XP-2100 Series;";
const std::string Lbp2900Id =
    "MFG:Canon;MDL:LBP2900;CMD:CAPT;VER:1.0;CLS:PRINTER;DES:Canon LBP2900";
const std::string L2350Id =
    "MFG:Brother;CMD:PJL,PCL,PCLXL,URF;MDL:HL-L2350DW series;CLS:PRINTER;CID:Brother Laser Type1;";
using Kind = QueueMatchKind;

INSTANTIATE_TEST_SUITE_P(
    Models, RealPrinters,
    ::testing::Values(
        RealPrinter{"HpRenamedMakerNotRepeated", "Hewlett-Packard",
                    "HP LaserJet Professional P1102", "", P1102Id, 0,
                    "usb://HP/LaserJet%20Professional%20P1102", Kind::MakerAndModel,
                    "HP LaserJet Professional P1102"},
        RealPrinter{"EpsonOnItsSecondInterface", "EPSON", "USB2.0 MFP(Hi-Speed)", "", Xp2100Id, 1,
                    "usb://EPSON/XP-2100%20Series?interface=1", Kind::MakerAndModel,
                    "EPSON XP-2100 Series"},
        RealPrinter{"CanonWhoseUsbStringsSayNothing", "Canon", "Canon CAPT USB Device", "",
                    Lbp2900Id, 0, "usb://Canon/LBP2900", Kind::MakerAndModel, "Canon LBP2900"},
        RealPrinter{"Brother", "Brother", "HL-L2350DW series", "", L2350Id, 0,
                    "usb://Brother/HL-L2350DW%20series", Kind::MakerAndModel,
                    "Brother HL-L2350DW series"},
        RealPrinter{"BrotherBySerial", "Brother", "HL-5170DN series", "D5J807428",
                    "MFG:Brother;CMD:PJL,PCL,PCLXL,POSTSCRIPT;MDL:HL-5170DN series;CLS:PRINTER;", 0,
                    "usb://Brother/HL-5170DN%20series?serial=D5J807428", Kind::Serial,
                    "Brother HL-5170DN series"},
        RealPrinter{"HpWithoutARepeatedMaker", "HP", "DeskJet 1110 series", "",
                    "MFG:HP;MDL:DeskJet 1110 series;CMD:PCL3GUI,PJL,Automatic,DW-PCL,DESKJET,DYN;"
                    "CLS:PRINTER;DES:K7B87D;",
                    0, "usb://HP/DeskJet%201110%20series", Kind::MakerAndModel,
                    "HP DeskJet 1110 series"},
        // The same model with another serial is another printer, and another
        // interface of the device another printer function.
        RealPrinter{"AnotherSerial", "Brother", "HL-5170DN series", "D5J807428",
                    "MFG:Brother;MDL:HL-5170DN series;", 0,
                    "usb://Brother/HL-5170DN%20series?serial=E7K123456", std::nullopt,
                    "Brother HL-5170DN series"},
        RealPrinter{"AnotherInterface", "EPSON", "USB2.0 MFP(Hi-Speed)", "", Xp2100Id, 1,
                    "usb://EPSON/XP-2100%20Series?interface=2", std::nullopt,
                    "EPSON XP-2100 Series"},
        // A made-up serial in the id: the descriptor's, which newer backends
        // take, still names the queue; "serial=?" is the backend's none.
        RealPrinter{"DescriptorSerialBesideTheIds", "Hewlett-Packard",
                    "HP LaserJet Professional P1102", "000000000QN8H3N2PR1a",
                    P1102Id + "SN:BOGUS0001;", 0,
                    "usb://HP/LaserJet%20Professional%20P1102?serial=000000000QN8H3N2PR1a",
                    Kind::Serial, "HP LaserJet Professional P1102"},
        RealPrinter{"NoSerialMark", "Canon", "Canon CAPT USB Device", "C0FFEE", Lbp2900Id, 0,
                    "usb://Canon/LBP2900?serial=?", Kind::MakerAndModel, "Canon LBP2900"},
        // HPLIP's own scheme writes the maker into the model.
        RealPrinter{"MakerDriverScheme", "Hewlett-Packard", "HP LaserJet Professional P1102",
                    "000000000QN8H3N2PR1a", P1102Id, 0,
                    "hp:/usb/HP_LaserJet_Professional_P1102?serial=000000000QN8H3N2PR1a",
                    Kind::Serial, "HP LaserJet Professional P1102"},
        // Without an id (no usblp on the interface) the USB strings are all
        // there is: right for a printer that says its name there, and
        // nothing to go on for one that does not.
        RealPrinter{"NoIdUsbStringsThatNameIt", "Hewlett-Packard", "HP LaserJet Professional P1102",
                    "", "", std::nullopt, "usb://HP/LaserJet%20Professional%20P1102",
                    Kind::MakerAndModel, "HP LaserJet Professional P1102"},
        RealPrinter{"NoIdUsbStringsThatDoNot", "Canon", "Canon CAPT USB Device", "", "",
                    std::nullopt, "usb://Canon/LBP2900", std::nullopt, "Canon CAPT USB Device"}),
    [](const ::testing::TestParamInfo<RealPrinter>& each) { return each.param.name; });

TEST_P(RealPrinters, AreKnownAsThePrintSystemKnowsThem) {
    const RealPrinter& model = GetParam();
    platform::UsbDevice device(0x03F0, 0x002A);
    device.manufacturer = model.manufacturer;
    device.product = model.product;
    device.serial = model.serial;
    device.ieee1284Id = model.ieee1284Id;
    device.printerInterface = model.printerInterface;

    EXPECT_EQ(printerName(printerIdentity(device)), model.shownAs);
    const std::vector<QueueMatch> queues =
        queuesOfDevice(device, {{"Far", "ipp://printer.example/ipp/print"}, {"Q", model.queueUri}});
    const std::optional<PrinterAddress> address =
        addressOf(device, {{{model.queueUri, "MFG:CUPS;"}}, {}});
    if (!model.how) {
        EXPECT_TRUE(queues.empty());
        EXPECT_FALSE(address);
        return;
    }
    ASSERT_EQ(queues.size(), 1U);
    EXPECT_EQ(queues[0].how, *model.how);
    ASSERT_TRUE(address);
    EXPECT_EQ(address->uri, model.queueUri);
}

} // namespace
