#include "platform/linux/PlistDepthGuard.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace platform::linux_backend {

namespace {

// Skips past `close` from `at`; npos when it never comes.
std::size_t skipPast(std::string_view text, std::size_t at, std::string_view close) {
    const std::size_t end = text.find(close, at);
    return end == std::string_view::npos ? end : end + close.size();
}

std::uint64_t readBigEndian(std::string_view data, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    return value;
}

class BinaryPlist {
public:
    explicit BinaryPlist(std::string_view data) : data_(data) {}

    bool parseTrailer() {
        constexpr std::size_t HeaderSize = 8;
        constexpr std::size_t TrailerSize = 32;
        if (data_.size() < HeaderSize + TrailerSize || data_.substr(0, 6) != "bplist") return false;
        const std::size_t trailer = data_.size() - TrailerSize;
        offsetSize_ = static_cast<unsigned char>(data_[trailer + 6]);
        refSize_ = static_cast<unsigned char>(data_[trailer + 7]);
        objectCount_ = readBigEndian(data_, trailer + 8, 8);
        topObject_ = readBigEndian(data_, trailer + 16, 8);
        offsetTable_ = readBigEndian(data_, trailer + 24, 8);
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8) return false;
        if (objectCount_ == 0 || objectCount_ > data_.size() || topObject_ >= objectCount_)
            return false;
        return offsetTable_ <= trailer && objectCount_ * offsetSize_ <= trailer - offsetTable_;
    }

    std::uint64_t topObject() const { return topObject_; }

    // The references an object holds, or false when it cannot be read.
    bool children(std::uint64_t object, std::vector<std::uint64_t>& out) const {
        out.clear();
        const std::uint64_t offset = readBigEndian(
            data_, static_cast<std::size_t>(offsetTable_ + object * offsetSize_), offsetSize_);
        if (offset >= offsetTable_) return false;
        std::size_t at = static_cast<std::size_t>(offset);
        const auto marker = static_cast<unsigned char>(data_[at++]);
        const unsigned type = marker >> 4;
        const bool isArrayOrSet = type == 0xA || type == 0xC;
        const bool isDictionary = type == 0xD;
        if (!isArrayOrSet && !isDictionary) return true;

        std::uint64_t count = marker & 0x0F;
        if (count == 0x0F) {
            if (at >= offsetTable_) return false;
            const auto intMarker = static_cast<unsigned char>(data_[at++]);
            if ((intMarker >> 4) != 0x1 || (intMarker & 0x0F) > 3) return false;
            const std::size_t width = std::size_t{1} << (intMarker & 0x0F);
            if (at + width > offsetTable_) return false;
            count = readBigEndian(data_, at, width);
            at += width;
        }
        const std::uint64_t refs = isDictionary ? count * 2 : count;
        if (refs > (offsetTable_ - at) / refSize_) return false;
        for (std::uint64_t i = 0; i < refs; ++i) {
            const std::uint64_t ref = readBigEndian(data_, at, refSize_);
            at += refSize_;
            if (ref >= objectCount_) return false;
            out.push_back(ref);
        }
        return true;
    }

private:
    std::string_view data_;
    std::size_t offsetSize_ = 0;
    std::size_t refSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t topObject_ = 0;
    std::uint64_t offsetTable_ = 0;
};

} // namespace

bool xmlNestingWithin(std::string_view text, int maxDepth) {
    int depth = 0;
    std::size_t at = 0;
    while ((at = text.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = text.substr(at);
        if (rest.substr(0, 4) == "<!--") {
            at = skipPast(text, at + 4, "-->");
        } else if (rest.substr(0, 9) == "<![CDATA[") {
            at = skipPast(text, at + 9, "]]>");
        } else if (rest.substr(0, 2) == "<?") {
            at = skipPast(text, at + 2, "?>");
        } else if (rest.substr(0, 2) == "<!") {
            at = skipPast(text, at + 2, ">");
        } else {
            const std::size_t end = text.find('>', at);
            if (end == std::string_view::npos) return true; // unterminated: the parser refuses it
            if (text[at + 1] == '/')
                --depth;
            else if (text[end - 1] != '/' && ++depth > maxDepth)
                return false;
            at = end + 1;
        }
        if (at == std::string_view::npos) return true;
    }
    return true;
}

bool binaryNestingWithin(std::string_view data, int maxDepth) {
    BinaryPlist plist(data);
    if (!plist.parseTrailer()) return false;

    // Shared references make a tree of many more nodes than the file has
    // objects; bound the walk as well as the depth.
    constexpr std::size_t MaxNodes = 1'000'000;
    std::size_t nodes = 1;
    std::vector<std::pair<std::uint64_t, int>> pending{{plist.topObject(), 1}};
    std::vector<std::uint64_t> children;
    while (!pending.empty()) {
        const auto [object, depth] = pending.back();
        pending.pop_back();
        if (depth > maxDepth) return false;
        if (!plist.children(object, children)) return false;
        nodes += children.size();
        if (nodes > MaxNodes) return false;
        for (const std::uint64_t child : children)
            pending.emplace_back(child, depth + 1);
    }
    return true;
}

} // namespace platform::linux_backend
