// SPDX-License-Identifier: MIT
#include "platform/qt/QtBundle.h"

#include "platform/linux/ResourceLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>

namespace platform::qt {

std::optional<std::string> QtBundle::pathForResource(const std::string& name,
                                                     const std::string& type) const {
    const std::string path = resources_ + "/" + name + "." + type;
    if (!QFileInfo(QString::fromStdString(path)).isFile()) return std::nullopt;
    return path;
}

std::string QtBundle::localizedString(const std::string& key) const {
    return qtTrId(key.c_str()).toStdString();
}

QString bundleResourcesFolder(const QString& executableFolder) {
    return QString::fromStdString(
        linux_backend::resourcesFolderFor(executableFolder.toStdString()));
}

Translations::Translations(const QString& folder) {
    auto install = [this](std::unique_ptr<QTranslator> translator) {
        QCoreApplication::installTranslator(translator.get());
        installed_.push_back(std::move(translator));
    };
    // The strings table, and the texts of the interface description.
    Qt::LayoutDirection direction = Qt::LeftToRight;
    for (const QString& catalogue : {QStringLiteral("runNetlume"), QStringLiteral("interface")}) {
        auto english = std::make_unique<QTranslator>();
        if (english->load(catalogue + QStringLiteral("_en"), folder)) install(std::move(english));
        auto local = std::make_unique<QTranslator>();
        if (local->load(QLocale(), catalogue, QStringLiteral("_"), folder)) {
            direction = QLocale(local->language()).textDirection();
            install(std::move(local));
        }
    }
    // The windows run the way their texts do: mirrored for Arabic or Hebrew,
    // and never for a right-to-left locale whose texts fall back to English.
    QGuiApplication::setLayoutDirection(direction);
}

Translations::~Translations() {
    for (const auto& translator : installed_)
        QCoreApplication::removeTranslator(translator.get());
}

} // namespace platform::qt
