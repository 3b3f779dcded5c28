// SPDX-License-Identifier: MIT
// The device catalogues' form: property lists, read into value trees.
#pragma once

#include "platform/Failure.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// A property-list value as the assistant reads it: dictionaries, arrays and
// strings. Values of any other type arrive as Other. A value only looks at
// memory: the PlistDocument it came from holds it.
struct PlistValue {
    enum class Kind { Other, String, Array, Dictionary };
    Kind kind = Kind::Other;
    std::string_view string;
    // Array elements, or dictionary values in the order of `keys`.
    std::span<const PlistValue> items;
    std::span<const std::string_view> keys;

    const PlistValue* find(std::string_view key) const {
        if (kind != Kind::Dictionary) return nullptr;
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] == key) return &items[i];
        return nullptr;
    }
};

// A value tree and the memory its values look at, kept together and given
// back together.
class PlistDocument {
public:
    PlistDocument(std::shared_ptr<const void> memory, PlistValue root)
        : memory_(std::move(memory)), root_(root) {}
    const PlistValue& root() const { return root_; }

private:
    std::shared_ptr<const void> memory_;
    PlistValue root_;
};

class PropertyListReader {
public:
    virtual ~PropertyListReader() = default;
    // The file's value tree (XML or binary form), or why there is none: the
    // file is missing or unreadable, no property list, or its root is not a
    // dictionary. The code is the kind of problem ("missing", "parse", ...).
    virtual Result<PlistDocument> readDictionary(const std::string& path) const = 0;
};

} // namespace platform
