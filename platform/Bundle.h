// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace platform {

// The application bundle: its resources and its strings table.
class Bundle {
public:
    virtual ~Bundle() = default;
    // Full path of "name.type" among the bundle's resources, if it exists.
    virtual std::optional<std::string> pathForResource(const std::string& name,
                                                       const std::string& type) const = 0;
    // The text for key in the user's language; the key itself when missing.
    virtual std::string localizedString(const std::string& key) const = 0;
};

} // namespace platform
