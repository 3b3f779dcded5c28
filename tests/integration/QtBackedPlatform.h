// SPDX-License-Identifier: MIT
// The assistant's platform over the real application object and strings
// table, with fakes for catalogues, devices, processes and the log: for
// tests of the real interface description in real widgets.
#pragma once

#include "platform/qt/QtApplication.h"
#include "platform/qt/QtBundle.h"
#include "tests/fakes/FakePlatform.h"

#include <QString>

inline const QString Resources = QStringLiteral(RUNNETLUME_RESOURCES_DIR);

// The fake bundle's catalogues with the real strings table.
class QtStrings final : public platform::Bundle {
public:
    explicit QtStrings(platform::Bundle& resources) : resources_(resources) {}
    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& type) const override {
        return resources_.pathForResource(name, type);
    }
    std::string localizedString(const std::string& key) const override {
        return strings_.localizedString(key);
    }

private:
    platform::Bundle& resources_;
    platform::qt::QtBundle strings_{Resources.toStdString()};
};

// Fakes for everything but the application object and the strings table.
class QtBackedPlatform final : public platform::Platform {
public:
    platform::Application& application() override { return app; }
    platform::Threads& threads() override { return fake.threads(); }
    platform::Bundle& bundle() override { return bundleQt; }
    platform::PropertyListReader& propertyLists() override { return fake.propertyLists(); }
    platform::UsbRegistry& usbRegistry() override { return fake.usbRegistry(); }
    platform::Workspace& workspace() override { return fake.workspace(); }
    platform::Shell& shell() override { return fake.shell(); }
    platform::AgentManagerConnection connectAgentManager() override {
        return fake.connectAgentManager();
    }
    platform::PrintSystem& printSystem() override { return fake.printSystem(); }
    platform::NewPrinterDialog& newPrinterDialog() override { return fake.newPrinterDialog(); }
    platform::Log& log() override { return fake.log(); }
    const platform::PlatformProfile& profile() const override { return fake.profile(); }

    fakes::FakePlatform fake;
    platform::qt::QtApplication app;
    QtStrings bundleQt{fake.bundle()};
};
