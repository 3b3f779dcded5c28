// SPDX-License-Identifier: MIT
// The real interface on a desktop, by keyboard and by ear, in every
// language: focus, Return and Escape on each screen, the close lock changing
// the window in place, what locked controls say, and texts that fit.
#include "app/InterfaceWiring.h"
#include "app/runNetlumeAppDelegate.h"
#include "platform/qt/ActivityIndicator.h"
#include "platform/qt/Drawing.h"
#include "platform/qt/InterfaceAccessibility.h"
#include "platform/qt/InterfaceLoader.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtBundle.h"
#include "platform/qt/WindowIcon.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/integration/QtBackedPlatform.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace fakes;

namespace {

// Every language the bundle has a strings table for.
QStringList languages() {
    QStringList found;
    for (const QString& file :
         QDir(Resources + "/translations").entryList({"runNetlume_*.qm"}, QDir::Files))
        found << file.sliced(qsizetype(sizeof "runNetlume_" - 1)).chopped(3);
    return found;
}

// Loaded in one language, as the assistant loads it: translations first.
class Desktop {
public:
    explicit Desktop(const QString& language = "en") {
        QLocale::setDefault(QLocale(language));
        translations_ = std::make_unique<platform::qt::Translations>(Resources + "/translations");
        platform::qt::installInterfaceAccessibility();
        QString error;
        ui_ = platform::qt::InterfaceLoader::load(Resources + "/ui", error);
        EXPECT_TRUE(ui_) << error.toStdString();
        services_.fake.setCatalogue("wifiDevices", devicesCatalogue({entry("F055", "1")}));
        services_.fake.setCatalogue("otherDevices", devicesCatalogue({entry("F055", "101")}));
        connectOutlets(controller_, *ui_, services_.log());
        connectActions(controller_, *ui_, services_.log());
    }
    ~Desktop() { QLocale::setDefault(QLocale::c()); }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    template <typename T = QWidget> T* widget(const char* name) const {
        for (QWidget* top : ui_->topLevels()) {
            if (top->objectName() == name) return qobject_cast<T*>(top);
            if (auto* found = top->findChild<T*>(name)) return found;
        }
        return nullptr;
    }
    QWidget* focused(const char* window) const { return widget(window)->focusWidget(); }

    // A key as the user types it, to whatever has focus in that window.
    void type(const char* window, int key) {
        QWidget* target = focused(window) != nullptr ? focused(window) : widget(window);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }

    QString accessible(QWidget* widget, QAccessible::Text text) const {
        return QAccessible::queryAccessibleInterface(widget)->text(text);
    }

    QtBackedPlatform services_;
    std::unique_ptr<platform::qt::Translations> translations_;
    std::unique_ptr<platform::qt::InterfaceLoader> ui_;
    runNetlumeAppDelegate controller_{services_};
};

TEST(Keyboard, EveryRoadRunsByKeysAloneWithFocusOnEachScreensPrimaryControl) {
    Desktop desktop;
    desktop.controller_.applicationDidFinishLaunching();
    EXPECT_EQ(desktop.focused("window"), desktop.widget("skipButton"));

    // Locked: neither Escape nor Return leaves, and the window stays.
    desktop.type("window", Qt::Key_Escape);
    desktop.type("window", Qt::Key_Return);
    EXPECT_TRUE(desktop.widget("window")->isVisible());
    EXPECT_TRUE(desktop.services_.app.terminationRequested() == false);

    // A printer of the Wi-Fi catalogue: the new screen's OK takes the focus.
    desktop.controller_._showLaunchToolScreen();
    EXPECT_EQ(desktop.focused("window"), desktop.widget("okButton"));
    EXPECT_FALSE(desktop.widget("skipButton")->isVisible());

    // Escape is Cancel there: on to the add-printer window, Add Printer focused.
    desktop.type("window", Qt::Key_Escape);
    EXPECT_TRUE(desktop.widget("addPrinterWindow")->isVisible());
    EXPECT_FALSE(desktop.widget("window")->isVisible());
    EXPECT_EQ(desktop.focused("addPrinterWindow"), desktop.widget("addPrinterButton"));

    // Return presses the focused Add Printer: the settings open, Done unlocks.
    desktop.type("addPrinterWindow", Qt::Key_Return);
    EXPECT_EQ(desktop.services_.fake.shellFake.commands.size(), 1U);
    EXPECT_TRUE(desktop.widget("doneButtonInAddPrinterWindow")->isEnabled());
}

TEST(Keyboard, SpaceTicksTheSkipBoxAndReturnThenEndsWithDone) {
    Desktop desktop;
    desktop.controller_.applicationDidFinishLaunching();
    desktop.type("window", Qt::Key_Space);
    EXPECT_TRUE(desktop.widget<QCheckBox>("skipButton")->isChecked());
    EXPECT_TRUE(desktop.widget("doneButton")->isEnabled());

    bool ended = false;
    QTimer::singleShot(0, [&] { desktop.type("window", Qt::Key_Return); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    ended = QApplication::exec() == 0;
    EXPECT_TRUE(ended);
}

TEST(Keyboard, NextOpensTheWarmPromptWhichReturnCloses) {
    Desktop desktop;
    desktop.controller_.applicationDidFinishLaunching();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = desktop.widget("warmPromptWindow")->isVisible() &&
                desktop.widget("warmPromptWindow")->isModal();
        desktop.type("warmPromptWindow", Qt::Key_Return);
    });
    desktop.widget<QPushButton>("nextButton")->click();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(desktop.widget("warmPromptWindow")->isVisible());
    EXPECT_TRUE(desktop.widget("window")->isVisible());
}

TEST(ScreenReader, TheCloseLockChangesTheWindowInPlaceAndSaysWhatUnlocksIt) {
    Desktop desktop;
    desktop.controller_.applicationDidFinishLaunching();
    QWidget* window = desktop.widget("window");
    QWindow* handle = window->windowHandle();
    ASSERT_NE(handle, nullptr);

    int hidden = 0;
    struct HideCounter : QObject {
        int& count;
        explicit HideCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Hide) ++count;
            return false;
        }
    } counter(hidden);
    window->installEventFilter(&counter);

    EXPECT_FALSE(handle->flags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(desktop.accessible(window, QAccessible::Description).contains("Skip the USB"));
    EXPECT_TRUE(desktop.accessible(desktop.widget("doneButton"), QAccessible::Description)
                    .contains("Skip the USB"));
    for (int round = 0; round < 3; ++round) {
        desktop.widget<QCheckBox>("skipButton")->click();
        EXPECT_TRUE(handle->flags().testFlag(Qt::WindowCloseButtonHint));
        EXPECT_EQ(desktop.accessible(desktop.widget("doneButton"), QAccessible::Description),
                  "Closes the assistant.");
        desktop.widget<QCheckBox>("skipButton")->click();
        EXPECT_FALSE(handle->flags().testFlag(Qt::WindowCloseButtonHint));
    }
    EXPECT_EQ(hidden, 0) << "the window was hidden and shown again";
    EXPECT_EQ(window->windowHandle(), handle);
    EXPECT_EQ(desktop.focused("window"), desktop.widget("skipButton"));
    window->removeEventFilter(&counter);
}

// What the window lists and says before and after its screen is swapped:
// only the screen it shows, named by its heading, without the title that
// the skip box's text repeats nor the screen's decorations; the lock
// sentence only while its screen shows.
TEST(ScreenReader, TheWindowListsAndDescribesOnlyTheScreenItShows) {
    Desktop desktop("de");
    desktop.controller_.applicationDidFinishLaunching();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(desktop.widget("window"));
    // "screen / control" for each control of each screen the window lists.
    const auto children = [window] {
        QStringList names;
        for (int i = 0; i < window->childCount(); ++i) {
            const QAccessibleInterface* screen = window->child(i);
            for (int j = 0; j < screen->childCount(); ++j)
                names << screen->text(QAccessible::Name) + " / " +
                             screen->child(j)->text(QAccessible::Name);
        }
        return names;
    };
    const QString connect = desktop.widget<QLabel>("usbNeedTextField")->text();
    const QString skip = desktop.widget<QCheckBox>("skipButton")->text();
    // The drawing and the turning dots are not among them.
    EXPECT_EQ(children(),
              (QStringList{connect + " / " + connect,
                           connect + " / " + desktop.widget<QLabel>("waitingLine")->text(),
                           connect + " / " + skip,
                           connect + " / " + desktop.widget<QPushButton>("nextButton")->text(),
                           connect + " / " + desktop.widget<QPushButton>("doneButton")->text()}));
    EXPECT_TRUE(window->text(QAccessible::Description).contains(skip));

    desktop.controller_._showLaunchToolScreen();
    const QString question = desktop.widget<QLabel>("textField")->text();
    ASSERT_FALSE(children().isEmpty());
    for (const QString& child : children())
        EXPECT_TRUE(child.startsWith(question + " / ")) << child.toStdString();
    EXPECT_EQ(children().size(), 4);
    EXPECT_EQ(window->text(QAccessible::Description), "");
}

// The sign of life costs nothing once its screen or window is hidden.
TEST(ConnectScreen, TheIndicatorTurnsOnlyWhileItsScreenShowsBesideTheDrawing) {
    Desktop desktop;
    desktop.controller_.applicationDidFinishLaunching();
    const auto* indicator = desktop.widget<platform::qt::ActivityIndicator>("waitingIndicator");
    ASSERT_NE(indicator, nullptr);
    EXPECT_TRUE(indicator->isRunning());
    EXPECT_TRUE(desktop.widget<platform::qt::Drawing>("printerDrawing")->isDrawn());

    desktop.widget("window")->hide();
    desktop.widget("window")->grab(); // painted while hidden
    EXPECT_FALSE(indicator->isRunning());
    desktop.widget("window")->show();
    EXPECT_TRUE(indicator->isRunning());
    desktop.controller_._showLaunchToolScreen();
    EXPECT_FALSE(indicator->isRunning());
}

TEST(ScreenReader, WindowsAreFramesOrDialogsWithTranslatedNamesAndAnAmpersandShows) {
    Desktop desktop("fr");
    desktop.controller_._applyLocalizedLabels();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(desktop.widget("addPrinterWindow"))->role(),
              QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(desktop.widget("warmPromptWindow"))->role(),
              QAccessible::Dialog);
    EXPECT_EQ(desktop.widget("window")->windowTitle(),
              QString::fromUtf8("Assistant de configuration d\u2019imprimante"));
    EXPECT_EQ(desktop.widget("addPrinterWindow")->windowTitle(), "Ajouter une imprimante");

    auto* button = desktop.ui_->control("addPrinterButton");
    button->setTitle("Print & Scan");
    EXPECT_EQ(desktop.accessible(desktop.widget("addPrinterButton"), QAccessible::Name),
              "Print & Scan");
}

// Run with two screens (two-screens.json); a plain run has one and skips.
TEST(Desktop, TheWindowIconIsDrawnFromTheInstalledScalableIcon) {
    const QIcon icon = platform::qt::windowIconFrom(Resources + "/org.runnetlume.Assistant.svg");
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes().size(), 6);
    // Drawn, not blank: the printer's body is opaque at the icon's centre.
    EXPECT_EQ(icon.pixmap(64).toImage().pixelColor(64 / 2, 64 / 2 + 4).alpha(), 255);
    // No file, or a file that is not SVG: no icon, and the desktop's default stays.
    EXPECT_TRUE(platform::qt::windowIconFrom(Resources + "/missing.svg").isNull());
    EXPECT_TRUE(platform::qt::windowIconFrom(Resources + "/wifiDevices.plist").isNull());
}

TEST(Placement, WindowsLandOnTheScreenThatHoldsTheKeyWindow) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2) GTEST_SKIP() << "one screen";
    QScreen* right = screens.at(1);
    Desktop desktop;

    // Whatever the user works in on the right screen is the main screen.
    QWidget other;
    other.setScreen(right);
    other.setGeometry(QRect(right->geometry().topLeft() + QPoint(40, 40), QSize(200, 100)));
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    ASSERT_NE(QGuiApplication::focusWindow(), nullptr);
    ASSERT_EQ(QGuiApplication::focusWindow()->screen(), right);

    desktop.controller_._showAddPrinterWindow(false);
    QWidget* window = desktop.widget("addPrinterWindow");
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(right->geometry().contains(frame)) << frame.x() << "," << frame.y();
    // The rule inside that screen's own frame: 50 above its centre.
    EXPECT_LE(std::abs(frame.center().x() - right->geometry().center().x()), 1);
    EXPECT_LE(std::abs((right->geometry().center().y() - frame.center().y()) - 50), 1);
}

QStringList interfaceTextIds() {
    QStringList ids;
    const QRegularExpression id(QStringLiteral(R"(Id" stdset="0"><string>(ui_\w+)<)"));
    for (const QString& name : QDir(Resources + "/ui").entryList({"*.ui"})) {
        QFile file(Resources + "/ui/" + name);
        file.open(QFile::ReadOnly);
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = id.globalMatch(text); match.hasNext();)
            ids << match.next().captured(1);
    }
    ids.removeDuplicates();
    return ids;
}

TEST(Languages, EveryLanguageHasEveryText) {
    QStringList keys;
    for (const runNetlumeAppDelegate::Outlet& outlet : runNetlumeAppDelegate::outlets())
        if (!outlet.key.empty()) keys << QString::fromUtf8(outlet.key.data(), outlet.key.size());
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), 16);
    const QStringList ids = interfaceTextIds();
    EXPECT_GE(ids.size(), 10);
    ASSERT_GE(languages().size(), 20);
    for (const QString& language : languages()) {
        for (const auto& [catalogue, wanted] : {std::pair{QStringLiteral("runNetlume_"), keys},
                                                std::pair{QStringLiteral("interface_"), ids}}) {
            QTranslator translator;
            ASSERT_TRUE(translator.load(catalogue + language, Resources + "/translations"))
                << (catalogue + language).toStdString();
            for (const QString& id : wanted)
                EXPECT_FALSE(translator.translate(nullptr, id.toUtf8().constData()).isEmpty())
                    << language.toStdString() << ": " << id.toStdString();
        }
    }
}

// Each text fits where it is shown: a wrapped label's height for its width,
// and every other label's and button's size hint within its size.
void expectNothingCutOff(QWidget* screen, const std::string& where) {
    for (QWidget* widget : screen->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(screen)) continue;
        auto* label = qobject_cast<QLabel*>(widget);
        if (label != nullptr && label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height())
                << where << ": " << label->objectName().toStdString();
        } else if (label != nullptr || qobject_cast<QAbstractButton*>(widget) != nullptr) {
            EXPECT_LE(widget->sizeHint().width(), widget->width())
                << where << ": " << widget->objectName().toStdString();
            EXPECT_LE(widget->sizeHint().height(), widget->height())
                << where << ": " << widget->objectName().toStdString();
        }
    }
}

// At the desktop's text size and at one and a half times it; mirrored where
// the texts run right to left: the buttons' order, the texts' alignment and
// so the steps' numbers, which lead each line on its right.
TEST(Languages, NoTextIsCutOffInAnyWindowInAnyLanguageAndRightToLeftOnesAreMirrored) {
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSizeF(usual.pointSizeF() * 1.5);
    QStringList runs;
    for (const QString& language : languages())
        runs << language << language + " at 1.5x";
    int mirrored = 0;
    for (const QString& run : runs) {
        const QString language = run.section(' ', 0, 0);
        QApplication::setFont(run == language ? usual : large);
        Desktop desktop(language);
        desktop.controller_._applyLocalizedLabels();
        const std::string lang = run.toStdString();
        ASSERT_EQ(desktop.widget("step1TextField")->font(), QApplication::font());
        for (const char* window : {"window", "addPrinterWindow", "warmPromptWindow"}) {
            desktop.ui_->window(window)->prepareForDisplay(); // as placement does
            desktop.widget(window)->show();
            QApplication::processEvents();
            expectNothingCutOff(desktop.widget(window), lang + " " + window);
        }
        const bool rightToLeft = QLocale(language).textDirection() == Qt::RightToLeft;
        mirrored += rightToLeft ? 1 : 0;
        const auto leftOf = [&desktop](const char* left, const char* right) {
            return desktop.widget(left)->mapToGlobal(QPoint()).x() <
                   desktop.widget(right)->mapToGlobal(QPoint()).x();
        };
        EXPECT_EQ(leftOf("doneButton", "nextButton"), rightToLeft) << lang;
        EXPECT_EQ(leftOf("doneButtonInAddPrinterWindow", "addPrinterButton"), rightToLeft) << lang;
        const QLabel* step = desktop.widget<QLabel>("step1TextField");
        EXPECT_EQ(QStyle::visualAlignment(step->layoutDirection(), step->alignment()) &
                      Qt::AlignRight,
                  rightToLeft ? Qt::AlignRight : Qt::Alignment())
            << lang;
        // The add-printer window on screen takes its late lines: the
        // printer's queues on either road, and the dialog's steps.
        const std::string queues =
            "\"HP LaserJet Professional P1102\", \"HP LaserJet Professional P1102 (driverless)\"";
        for (platform::Control* line : {desktop.controller_.queueNoteTextField(),
                                        desktop.controller_.queueStateNoteTextField(),
                                        desktop.controller_.ippUsbNoteTextField()})
            line->setStringValue(queues);
        QApplication::processEvents();
        expectNothingCutOff(desktop.widget("addPrinterWindow"), lang + " queue lines");
        desktop.controller_.driverlessNoteTextField()->setStringValue(
            "HP LaserJet Professional P1102");
        desktop.controller_._showSteps("HP LaserJet Professional P1102");
        QApplication::processEvents();
        expectNothingCutOff(desktop.widget("addPrinterWindow"), lang + " dialog road");
        desktop.controller_._showLaunchToolScreen();
        QApplication::processEvents();
        expectNothingCutOff(desktop.widget("launchNetlumeView"), lang + " launch-tool screen");
        for (QWidget* top : desktop.ui_->topLevels())
            top->hide();
    }
    QApplication::setFont(usual);
    EXPECT_EQ(mirrored, 2 * 2) << "Arabic and Hebrew, at either size";
}

} // namespace
