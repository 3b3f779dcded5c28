// SPDX-License-Identifier: MIT
// The bundle's resources, found beside the executable, and its strings table
// (Qt translations with ids: a missing id comes back as the id itself).
#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QTranslator>

#include <memory>
#include <vector>

namespace platform::qt {

class QtBundle final : public Bundle {
public:
    explicit QtBundle(std::string resourcesFolder) : resources_(std::move(resourcesFolder)) {}

    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& type) const override;
    std::string localizedString(const std::string& key) const override;

private:
    std::string resources_;
};

// <prefix>/share/runNetlume for an executable at <prefix>/bin/runNetlume.
QString bundleResourcesFolder(const QString& executableFolder);

// Installs the strings table for the user's language, over the English one
// so that a language with missing ids still shows English rather than ids.
// Lives on the main thread for as long as the application.
class Translations {
public:
    explicit Translations(const QString& folder);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

private:
    std::vector<std::unique_ptr<QTranslator>> installed_;
};

} // namespace platform::qt
