// SPDX-License-Identifier: MIT
#include "platform/qt/InterfaceLoader.h"

#include "platform/qt/ActivityIndicator.h"
#include "platform/qt/Drawing.h"
#include "platform/qt/QtWidgets.h"
#include "platform/qt/WindowKeys.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QUiLoader>

#include <set>

namespace platform::qt {

const QStringList& InterfaceLoader::files() {
    static const QStringList names = {"MainWindow.ui", "LaunchNetlumeView.ui",
                                      "AddPrinterWindow.ui", "WarmPromptWindow.ui"};
    return names;
}

namespace {

// QUiLoader prints its parse errors itself; keep them, so that a broken file
// gives the user one line that says everything.
QStringList gLoaderMessages;

void keepLoaderMessage(QtMsgType /*type*/, const QMessageLogContext& /*context*/,
                       const QString& message) {
    gLoaderMessages.append(message);
}

class LoaderMessages {
public:
    LoaderMessages() : previous_(qInstallMessageHandler(keepLoaderMessage)) {
        gLoaderMessages.clear();
    }
    ~LoaderMessages() { qInstallMessageHandler(previous_); }
    LoaderMessages(const LoaderMessages&) = delete;
    LoaderMessages& operator=(const LoaderMessages&) = delete;

    QString reason(const QString& fallback) const {
        return gLoaderMessages.isEmpty() ? fallback : gLoaderMessages.join(QStringLiteral("; "));
    }

private:
    QtMessageHandler previous_;
};

// The description's own widget classes, beside Qt's.
class WidgetFactory final : public QUiLoader {
public:
    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        QWidget* widget = nullptr;
        if (className == QLatin1String("ActivityIndicator"))
            widget = new ActivityIndicator(parent);
        else if (className == QLatin1String("Drawing"))
            widget = new Drawing(parent);
        else
            return QUiLoader::createWidget(className, parent, name);
        widget->setObjectName(name);
        return widget;
    }
};

// Texts of the interface description beyond the strings table (titles, the
// warm prompt's button, accessible names and descriptions) are ids in its
// files, translated like a localized interface file would be. Without a
// translation the file's own text stays.
bool translated(const QWidget* widget, const char* property, QString& text) {
    const std::optional<QString> found = translatedId(widget->property(property).toByteArray());
    if (found) text = *found;
    return found.has_value();
}

// A drawing names its SVG file in "source", beside the description's files.
void loadDrawings(QWidget* top, const QString& folder) {
    for (Drawing* drawing : top->findChildren<Drawing*>())
        drawing->load(folder + "/" + drawing->property("source").toString());
}

void applyInterfaceTexts(QWidget* top) {
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    QString text;
    for (QWidget* widget : std::as_const(widgets)) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget);
            button != nullptr && translated(widget, "textId", text))
            button->setText(text);
        // A label with a text id is a line that holds a value (%1): the text
        // is its pattern, and the line shows only once given a value.
        if (auto* label = qobject_cast<QLabel*>(widget);
            label != nullptr && widget->property("textId").isValid()) {
            if (!translated(widget, "textId", text)) text = label->text();
            label->setProperty("textPattern", text);
            label->clear();
            label->hide();
        }
        if (auto* label = qobject_cast<QLabel*>(widget);
            label != nullptr && translated(widget, "fixedTextId", text))
            label->setText(text);
        if (translated(widget, "titleId", text)) widget->setWindowTitle(text);
        if (translated(widget, "accessibleNameId", text)) widget->setAccessibleName(text);
        if (translated(widget, "accessibleDescriptionId", text))
            widget->setAccessibleDescription(text);
        describeLock(widget, !widget->isEnabled());
    }
}

} // namespace

std::unique_ptr<InterfaceLoader> InterfaceLoader::load(const QString& folder, QString& error) {
    auto loaded = std::make_unique<InterfaceLoader>(Key{});
    const LoaderMessages messages;
    WidgetFactory uiLoader;
    for (const QString& name : files()) {
        const QString path = folder + "/" + name;
        QFile file(path);
        if (!file.open(QFile::ReadOnly)) {
            error = QStringLiteral("cannot read the interface description %1: %2")
                        .arg(path, file.errorString());
            return nullptr;
        }
        QWidget* widget = uiLoader.load(&file);
        if (widget == nullptr) {
            error = QStringLiteral("cannot load the interface description %1: %2")
                        .arg(path, messages.reason(uiLoader.errorString()));
            return nullptr;
        }
        applyInterfaceTexts(widget);
        loadDrawings(widget, folder);
        if (widget->property("contentView").toBool() == false) new WindowKeys(widget);
        loaded->topLevels_.push_back(widget);
        loaded->owned_.emplace_back(widget);
    }

    // A content view that no window shows yet belongs to the main window,
    // hidden, so that it lives exactly as long as the window that shows it.
    auto* mainWindow = qobject_cast<QMainWindow*>(loaded->find("window"));
    for (QWidget* top : loaded->topLevels_) {
        if (mainWindow != nullptr && top->property("contentView").toBool()) {
            top->setParent(mainWindow);
            top->hide();
            for (auto& owned : loaded->owned_)
                if (owned.get() == top) static_cast<void>(owned.release());
        }
    }
    std::vector<QWidget*> windows;
    for (QWidget* top : loaded->topLevels_)
        if (top->isWindow()) windows.push_back(top);
    loaded->frames_ = std::make_unique<FramesAskedTogether>(windows);
    return loaded;
}

QWidget* InterfaceLoader::find(const std::string& name) const {
    const QString objectName = QString::fromStdString(name);
    for (QWidget* top : topLevels_) {
        if (top->objectName() == objectName) return top;
        if (auto* child = top->findChild<QWidget*>(objectName)) return child;
    }
    return nullptr;
}

Window* InterfaceLoader::window(const std::string& name) {
    QWidget* widget = find(name);
    if (widget == nullptr || !widget->isWindow()) return nullptr;
    auto& wrapper = windows_[widget];
    if (!wrapper) wrapper = std::make_unique<QtWindow>(widget, *frames_);
    return wrapper.get();
}

View* InterfaceLoader::view(const std::string& name) {
    QWidget* widget = find(name);
    if (widget == nullptr) return nullptr;
    auto& wrapper = views_[widget];
    if (!wrapper) wrapper = std::make_unique<QtView>(widget);
    return wrapper.get();
}

Control* InterfaceLoader::control(const std::string& name) {
    return wrapControl(find(name));
}

Control* InterfaceLoader::wrapControl(QWidget* widget) {
    if (widget == nullptr || widget->isWindow()) return nullptr;
    auto& wrapper = controls_[widget];
    if (!wrapper) wrapper = std::make_unique<QtControl>(widget);
    return wrapper.get();
}

std::vector<InterfaceDescription::ActionBinding> InterfaceLoader::actionBindings() {
    std::vector<ActionBinding> bindings;
    // A view handed to the main window is both a top level of its own file and
    // a child of the window: bind each button once.
    std::set<QAbstractButton*> seen;
    for (QWidget* top : topLevels_) {
        for (QAbstractButton* button : top->findChildren<QAbstractButton*>()) {
            const QString selector = button->property("action").toString();
            if (selector.isEmpty() || !seen.insert(button).second) continue;
            bindings.push_back({wrapControl(button), selector.toStdString()});
        }
    }
    return bindings;
}

void InterfaceLoader::onActivated(Control* control, std::function<void()> handler) {
    auto* qtControl = dynamic_cast<QtControl*>(control);
    auto* button =
        qtControl != nullptr ? qobject_cast<QAbstractButton*>(qtControl->widget()) : nullptr;
    if (button == nullptr) return;
    // A check box toggled by a screen reader or the keyboard emits no
    // clicked(), only toggled(); a click emits both.
    const auto signal =
        button->isCheckable() ? &QAbstractButton::toggled : &QAbstractButton::clicked;
    QObject::connect(button, signal, button, [handler = std::move(handler)] { handler(); });
}

} // namespace platform::qt
