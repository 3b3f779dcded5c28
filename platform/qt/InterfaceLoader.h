// SPDX-License-Identifier: MIT
// The interface description: Qt Designer files in the bundle, loaded at start
// with QUiLoader. Windows, views and controls are found by object name;
// a button's "action" property names the controller's handler for it.
#pragma once

#include "platform/Platform.h"
#include "platform/qt/QtWidgets.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

namespace platform::qt {

class InterfaceLoader final : public InterfaceDescription {
public:
    // The files every run needs, in the folder given to load().
    static const QStringList& files();

    // Loads every file; on failure says why in `error` and returns null.
    static std::unique_ptr<InterfaceLoader> load(const QString& folder, QString& error);
    ~InterfaceLoader() override = default;
    InterfaceLoader(const InterfaceLoader&) = delete;
    InterfaceLoader& operator=(const InterfaceLoader&) = delete;

    Window* window(const std::string& name) override;
    View* view(const std::string& name) override;
    Control* control(const std::string& name) override;
    std::vector<ActionBinding> actionBindings() override;
    void onActivated(Control* control, std::function<void()> handler) override;

    // The loaded top-level widgets, for tests and screenshots.
    const std::vector<QWidget*>& topLevels() const { return topLevels_; }

private:
    struct Key {};

public:
    explicit InterfaceLoader(Key /*only load() makes one*/) {}

private:
    QWidget* find(const std::string& name) const;
    Control* wrapControl(QWidget* widget);

    std::vector<QWidget*> topLevels_;
    // The windows; a view handed to the main window belongs to it instead.
    // Declared before the wrappers, which watch them, so that they go last.
    std::vector<std::unique_ptr<QWidget>> owned_;
    std::unique_ptr<FramesAskedTogether> frames_;
    std::map<QWidget*, std::unique_ptr<QtWindow>> windows_;
    std::map<QWidget*, std::unique_ptr<QtView>> views_;
    std::map<QWidget*, std::unique_ptr<QtControl>> controls_;
};

} // namespace platform::qt
