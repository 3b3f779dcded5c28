#include "platform/linux/PlistFileReader.h"

#include "platform/linux/FileDescriptor.h"
#include "platform/linux/PlistDepthGuard.h"

#include <plist/plist.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::linux_backend {

namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistNode = std::unique_ptr<void, PlistFree>;

struct MallocFree {
    void operator()(void* memory) const { std::free(memory); }
};
using MallocString = std::unique_ptr<char, MallocFree>;

std::optional<std::string> readSmallFile(const std::string& path, std::size_t limit) {
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (static_cast<std::size_t>(info.st_size) > limit) return std::nullopt;

    std::string content;
    char chunk[8192];
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        content.append(chunk, static_cast<std::size_t>(got));
        // The file may have grown since it was measured.
        if (content.size() > limit) return std::nullopt;
    }
    return content;
}

// Depth is bounded by the guard that ran before parsing.
PlistValue toValue(plist_t node) {
    PlistValue value;
    switch (plist_get_node_type(node)) {
    case PLIST_STRING: {
        char* text = nullptr;
        plist_get_string_val(node, &text);
        const MallocString owned(text);
        value.kind = PlistValue::Kind::String;
        if (owned) value.string = owned.get();
        break;
    }
    case PLIST_ARRAY: {
        value.kind = PlistValue::Kind::Array;
        const uint32_t size = plist_array_get_size(node);
        for (uint32_t i = 0; i < size; ++i)
            value.items.push_back(toValue(plist_array_get_item(node, i)));
        break;
    }
    case PLIST_DICT: {
        value.kind = PlistValue::Kind::Dictionary;
        plist_dict_iter rawIter = nullptr;
        plist_dict_new_iter(node, &rawIter);
        const std::unique_ptr<void, MallocFree> iter(rawIter);
        for (;;) {
            char* rawKey = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, rawIter, &rawKey, &item);
            const MallocString key(rawKey);
            if (item == nullptr) break;
            value.keys.emplace_back(key ? key.get() : "");
            value.items.push_back(toValue(item));
        }
        break;
    }
    default:
        break;
    }
    return value;
}

} // namespace

std::optional<PlistValue> PlistFileReader::readDictionary(const std::string& path) const {
    const std::optional<std::string> content = readSmallFile(path, MaxFileSize);
    if (!content || content->empty()) return std::nullopt;

    const bool binary =
        plist_is_binary(content->data(), static_cast<uint32_t>(content->size())) != 0;
    const bool shallow = binary ? binaryNestingWithin(*content, MaxPlistDepth)
                                : xmlNestingWithin(*content, MaxPlistDepth);
    if (!shallow) return std::nullopt;

    plist_t raw = nullptr;
    if (binary)
        plist_from_bin(content->data(), static_cast<uint32_t>(content->size()), &raw);
    else
        plist_from_xml(content->data(), static_cast<uint32_t>(content->size()), &raw);
    const PlistNode root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) return std::nullopt;
    return toValue(root.get());
}

} // namespace platform::linux_backend
