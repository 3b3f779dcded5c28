// Catalogue files as value trees, over libplist; XML and binary forms alike.
#pragma once

#include "platform/Platform.h"

namespace platform::linux_backend {

class PlistFileReader final : public PropertyListReader {
public:
    // Catalogues are a few kilobytes; anything this large is not one.
    static constexpr std::size_t MaxFileSize = std::size_t{4} * 1024 * 1024;

    std::optional<PlistValue> readDictionary(const std::string& path) const override;
};

} // namespace platform::linux_backend
