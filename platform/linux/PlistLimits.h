// SPDX-License-Identifier: MIT
// The bounds every property list is read within, whatever its form. They
// keep a hostile or broken file from costing more than a few tens of
// megabytes or a fraction of a second; a real catalogue of 10,000 models
// uses about a quarter of each.
#pragma once

#include <cstddef>

namespace platform::linux_backend::plist_limits {

// Catalogues are a few kilobytes; a file this large is no catalogue.
constexpr std::size_t MaxFileSize = std::size_t{4} * 1024 * 1024;
// The assistant reads three levels (root, devices, entry); anything far
// deeper is not a catalogue, and our own tree is freed by recursion.
constexpr int MaxDepth = 64;
// Values in the tree that is handed on, counting a value each time a binary
// list refers to it. 10,000 models take 50,001.
constexpr std::size_t MaxValues = 200'000;
// UTF-8 bytes of all strings and keys in that tree, counted the same way.
constexpr std::size_t MaxStringBytes = std::size_t{8} * 1024 * 1024;
// What the XML parser may allocate for its own document tree.
constexpr std::size_t MaxXmlParserMemory = std::size_t{24} * 1024 * 1024;

} // namespace platform::linux_backend::plist_limits
