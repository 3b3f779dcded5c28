// SPDX-License-Identifier: MIT
// The real interface description in real Qt widgets (offscreen): labels,
// the locked close button, the swap of the main window's content, placement
// in Qt's coordinates and the end of the event loop.
#include "platform/qt/InterfaceLoader.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtBundle.h"
#include "tests/fakes/ControllerFixture.h"
#include "tests/integration/QtBackedPlatform.h"
#include "tests/integration/QtTestMain.h"
#include "tests/integration/TestFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace fakes;
namespace fs = std::filesystem;

namespace {

class RealInterface : public ::testing::Test {
protected:
    RealInterface() {
        QString error;
        ui = platform::qt::InterfaceLoader::load(Resources + "/ui", error);
        EXPECT_TRUE(ui) << error.toStdString();
        services.fake.setCatalogue("wifiDevices",
                                   dict({{"devices", array({entry("F055", "1")})},
                                         {"application", str("/opt/example/wifi-setup")}}));
        services.fake.setCatalogue("otherDevices", devicesCatalogue({entry("F055", "101")}));
        connectOutlets(controller, *ui, services.log());
        connectActions(controller, *ui, services.log());
    }

    // Where the placement rule puts a window, in Qt's coordinates.
    static QPoint placed(const QWidget* window) {
        const QRect screen = platform::qt::primaryScreenGeometry();
        const QSize frame = window->frameGeometry().size();
        const double yUp = (screen.height() - frame.height()) * 0.5 + 50;
        return {int(std::lround((screen.width() - frame.width()) * 0.5)),
                int(std::lround(screen.height() - yUp - frame.height()))};
    }

    template <typename T> T* widget(const char* name) const {
        for (QWidget* top : ui->topLevels()) {
            if (top->objectName() == name) return qobject_cast<T*>(top);
            if (auto* found = top->findChild<T*>(name)) return found;
        }
        return nullptr;
    }

    QtBackedPlatform services;
    std::unique_ptr<platform::qt::InterfaceLoader> ui;
    runNetlumeAppDelegate controller{services};
};

TEST_F(RealInterface, ConnectScreenShowsTranslatedLabelsAndCannotBeClosed) {
    const platform::qt::Translations english(Resources + "/translations");
    controller.applicationDidFinishLaunching();

    auto* window = widget<QMainWindow>("window");
    ASSERT_TRUE(window != nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(widget<QLabel>("usbNeedTextField")->text().startsWith("Connect your printer"));
    // One text, two outlets: the box draws it, the text field keeps it undrawn.
    EXPECT_EQ(widget<QCheckBox>("skipButton")->text(), widget<QLabel>("skipTextField")->text());
    EXPECT_FALSE(widget<QLabel>("skipTextField")->isVisibleTo(window));
    EXPECT_EQ(widget<QPushButton>("doneButtonInAddPrinterWindow")->text(), "Done");
    EXPECT_EQ(widget<QLabel>("step4TextField")->text().left(2), "4.");
    EXPECT_EQ(widget<QPushButton>("okButtonInWarmPromptWindow")->text(), "OK");
    EXPECT_FALSE(widget<QPushButton>("doneButton")->isEnabled());

    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    widget<QCheckBox>("skipButton")->click();
    EXPECT_TRUE(widget<QPushButton>("doneButton")->isEnabled());
    EXPECT_TRUE(window->close());

    widget<QCheckBox>("skipButton")->click(); // off again: locked again
    window->show();
    EXPECT_FALSE(widget<QPushButton>("doneButton")->isEnabled());
    EXPECT_FALSE(window->close());
}

// Without a strings table each label shows its key, so every labelled
// widget shows exactly its row's key; the rest keep the description's text.
TEST_F(RealInterface, EveryOutletOfTheTableResolvesAndReceivesItsLabel) {
    EXPECT_EQ(services.fake.logFake.lines, std::vector<std::string>{});
    controller._applyLocalizedLabels();
    for (const runNetlumeAppDelegate::Outlet& outlet : runNetlumeAppDelegate::outlets()) {
        const std::string name(outlet.name);
        QWidget* element = widget<QWidget>(name.c_str());
        ASSERT_NE(element, nullptr) << name;
        EXPECT_EQ(element->isWindow(), outlet.kind() == runNetlumeAppDelegate::Outlet::Kind::Window)
            << name;
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(element)) shown = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(element)) shown = button->text();
        if (outlet.label == runNetlumeAppDelegate::Outlet::Label::NoLabel) {
            EXPECT_NE(shown.toStdString(), name) << "unlabelled " << name;
        } else {
            EXPECT_EQ(shown.toStdString(), outlet.key) << name;
        }
        if (outlet.label == runNetlumeAppDelegate::Outlet::Label::Title) {
            EXPECT_NE(qobject_cast<QAbstractButton*>(element), nullptr) << name;
        }
    }
}

TEST_F(RealInterface, GermanStringsTableIsUsedForAGermanUser) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
        const platform::qt::Translations german(Resources + "/translations");
        controller._applyLocalizedLabels();
    }
    QLocale::setDefault(previous);
    EXPECT_EQ(widget<QPushButton>("cancelButton")->text(), "Abbrechen");
    EXPECT_EQ(widget<QPushButton>("doneButton")->text(), "Fertig");
}

TEST_F(RealInterface, WifiPrinterSwapsTheContentWithoutMovingTheWindow) {
    services.fake.usb.present = {WifiPrinter};
    controller.applicationDidFinishLaunching();
    auto* window = widget<QMainWindow>("window");
    EXPECT_EQ(window->centralWidget(), widget<QWidget>("launchNetlumeView"));
    EXPECT_TRUE(widget<QPushButton>("okButton")->isVisible());

    EXPECT_EQ(window->frameGeometry().topLeft(), placed(window));
    const QRect before = window->frameGeometry();
    controller._showLaunchToolScreen();
    EXPECT_EQ(window->frameGeometry(), before);
    // The connect screen's controls are kept, hidden, as the outlets point at them.
    EXPECT_NE(widget<QLabel>("usbNeedTextField"), nullptr);
    EXPECT_FALSE(widget<QLabel>("usbNeedTextField")->isVisible());
}

TEST_F(RealInterface, EachButtonIsWiredOnceToItsHandler) {
    EXPECT_EQ(ui->actionBindings().size(), 8U);
    services.fake.usb.present = {WifiPrinter};
    controller.applicationDidFinishLaunching();
    services.fake.journal.clear();
    widget<QPushButton>("okButton")->click();
    EXPECT_EQ(services.fake.journal, Journal{"launch /opt/example/wifi-setup launchNetlume"});
}

TEST_F(RealInterface, CancelMovesOnToTheAddPrinterWindow) {
    services.fake.usb.present = {WifiPrinter};
    controller.applicationDidFinishLaunching();
    widget<QPushButton>("cancelButton")->click();
    EXPECT_FALSE(widget<QMainWindow>("window")->isVisible());
    auto* addPrinter = widget<QWidget>("addPrinterWindow");
    EXPECT_TRUE(addPrinter->isVisible());
    EXPECT_EQ(addPrinter->frameGeometry().topLeft(), placed(addPrinter));
}

// The queue line is there only with a queue; one named after the window
// showed is also told to a screen reader through the focused button.
TEST_F(RealInterface, TheQueueLineShowsOnlyWithAQueueAndALateOneIsToldThroughTheFocus) {
    platform::UsbDevice printer = UsbOnlyPrinter;
    printer.serial = "SN1";
    services.fake.usb.present = {printer};
    controller.applicationDidFinishLaunching();
    auto* line = widget<QLabel>("queueNoteTextField");
    auto* add = widget<QPushButton>("addPrinterButton");
    const QString description = QStringLiteral("Opens the printer settings.");
    add->setAccessibleDescription(description);
    EXPECT_FALSE(line->isVisible());
    controller._printQueuesFound({{{"Laser <b>", "usb://Acme/Laser?serial=SN1"}}, {}});
    EXPECT_TRUE(line->isVisible());
    EXPECT_TRUE(line->text().contains(QStringLiteral("\"Laser <b>\".")))
        << line->text().toStdString();
    EXPECT_EQ(line->textFormat(), Qt::PlainText);
    EXPECT_EQ(add->accessibleDescription().toStdString(),
              (line->text() + " " + description).toStdString());
}

// Text from outside (queue names, the printer's own strings) reaches the
// window plain and escaped, as the log shows it: no markup, no control
// character (a terminal's, a clipboard write), no line break or reordering
// of its own; the printer's maker once, on the dialog's road.
TEST_F(RealInterface, OutsideTextReachesTheWindowPlainAndEscaped) {
    platform::UsbDevice printer = UsbOnlyPrinter;
    printer.manufacturer = "Hewlett-Packard";
    printer.product = "HP LaserJet 1020\x1b[2J\u2028";
    services.fake.usb.present = {printer};
    const std::string uri = "usb://HP/LaserJet%201020%1B[2J%E2%80%A8";
    services.fake.printQueues.devices = {{{uri, ""}}, {}};
    controller.applicationDidFinishLaunching();
    controller._printQueuesFound({{{"Laser <b>", uri},
                                   {"Q\r\nR", uri},
                                   {"\u202e\xc2\x9b"
                                    "1m\x1b]52;c;SGVsbG8=\x07",
                                    uri}},
                                  {}});
    services.fake.threadsFake.settle();
    const auto shows = [this](const char* name, const char* value) {
        auto* line = widget<QLabel>(name);
        EXPECT_EQ(line->textFormat(), Qt::PlainText);
        EXPECT_EQ(line->text().toStdString(),
                  line->property("textPattern").toString().arg(value).toStdString());
    };
    shows("queueNoteTextField",
          R"("Laser <b>", "Q\x0d\x0aR", "\u202e\x9b1m\x1b]52;c;SGVsbG8=\x07")");
    shows("dialogNoteTextField", R"(HP LaserJet 1020\x1b[2J\u2028)");
    // In place of the settings program's steps.
    EXPECT_FALSE(widget<QLabel>("step1TextField")->isVisible());
}

TEST_F(RealInterface, ClosingTheLastWindowEndsTheEventLoop) {
    services.fake.usb.present = {UsbOnlyPrinter};
    QApplication::setQuitOnLastWindowClosed(
        controller.applicationShouldTerminateAfterLastWindowClosed());
    controller.applicationDidFinishLaunching();
    auto* addPrinter = widget<QWidget>("addPrinterWindow");
    ASSERT_TRUE(addPrinter->isVisible());

    bool ended = false;
    QTimer::singleShot(0, addPrinter, [addPrinter] { addPrinter->close(); });
    QTimer::singleShot(10'000, [] { QCoreApplication::exit(1); }); // a bound, not a wait
    ended = QApplication::exec() == 0;
    EXPECT_TRUE(ended);
}

TEST_F(RealInterface, ClosingTheAddPrinterWindowEndsItAlsoOverALockedHiddenMainWindow) {
    QApplication::setQuitOnLastWindowClosed(true);
    controller.applicationDidFinishLaunching(); // connect screen, close button locked
    controller._showAddPrinterWindow(true);     // a USB-only printer was plugged in
    auto* addPrinter = widget<QWidget>("addPrinterWindow");
    ASSERT_TRUE(addPrinter->isVisible());
    ASSERT_FALSE(widget<QMainWindow>("window")->isVisible());

    QTimer::singleShot(0, addPrinter, [addPrinter] { addPrinter->close(); });
    QTimer::singleShot(10'000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(RealInterface, TerminateEndsTheLoopEvenWhileTheConnectScreenIsLocked) {
    controller.applicationDidFinishLaunching();
    ASSERT_TRUE(widget<QMainWindow>("window")->isVisible());
    QTimer::singleShot(0, [this] { controller.doneButtonPressed(nullptr); });
    QTimer::singleShot(10'000, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST(InterfaceLoading, MissingOrBrokenDescriptionIsAClearError) {
    const fs::path folder = freshTestFolder("ui");
    for (const QString& name : platform::qt::InterfaceLoader::files())
        fs::copy_file((Resources + "/ui/" + name).toStdString(), folder / name.toStdString(),
                      fs::copy_options::overwrite_existing);

    QString error;
    fs::remove(folder / "AddPrinterWindow.ui");
    EXPECT_FALSE(platform::qt::InterfaceLoader::load(QString::fromStdString(folder), error));
    EXPECT_TRUE(error.contains("AddPrinterWindow.ui")) << error.toStdString();

    std::ofstream(folder / "AddPrinterWindow.ui") << "<ui version=\"4.0\"><widget class=";
    error.clear();
    EXPECT_FALSE(platform::qt::InterfaceLoader::load(QString::fromStdString(folder), error));
    // The parser's own complaint is part of the one line, not a line of its own.
    EXPECT_TRUE(error.contains("AddPrinterWindow.ui")) << error.toStdString();
    EXPECT_TRUE(error.contains("Premature end of document")) << error.toStdString();
    EXPECT_FALSE(error.contains('\n'));
    fs::remove_all(folder);
}

} // namespace

int main(int argc, char** argv) {
    return runTestsWithQt<QApplication>(argc, argv);
}
