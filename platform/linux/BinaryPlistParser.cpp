// SPDX-License-Identifier: MIT
#include "platform/linux/BinaryPlistParser.h"

#include "platform/linux/PlistTreeBuilder.h"

#include <cstdint>
#include <span>
#include <vector>

namespace platform::linux_backend {

namespace {

using Kind = PlistProblem::Kind;

constexpr std::string_view Magic = "bplist00";
constexpr std::size_t TrailerSize = 32;

PlistProblem problemAt(Kind kind, std::string message, std::size_t offset) {
    PlistProblem problem = problemOf(kind, std::move(message));
    problem.offset = offset;
    return problem;
}

// The object kinds, as the high half of an object's marker byte.
enum Marker : unsigned {
    Singleton = 0x0, // null, booleans and fill
    Integer = 0x1,
    Real = 0x2,
    Date = 0x3,
    Data = 0x4,
    AsciiString = 0x5,
    Utf16String = 0x6,
    Uid = 0x8,
    Array = 0xA,
    Dictionary = 0xD,
};

class BinaryWalk {
public:
    BinaryWalk(std::string_view bytes, ReadArena& arena) : bytes_(bytes), arena_(arena) {}

    Outcome<PlistValue> build();

private:
    // An object's marker and where its payload lies.
    struct Object {
        std::size_t offset = 0;
        unsigned type = 0;
        std::uint64_t count = 0; // elements, characters or bytes
        std::size_t payload = 0; // first byte after the marker and count
    };
    std::uint64_t readUnsigned(std::size_t at, std::size_t size) const {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value = (value << 8) | static_cast<unsigned char>(bytes_[at + i]);
        return value;
    }
    std::optional<PlistProblem> readTrailer();
    Outcome<std::uint64_t> reference(std::size_t at) const;
    Outcome<Object> object(std::uint64_t ref) const;
    std::optional<PlistProblem> text(const Object& object, std::string_view& out);
    std::optional<PlistProblem> value(std::uint64_t ref, PlistValue& out, int depth);
    std::optional<PlistProblem> container(const Object& item, std::uint64_t ref, PlistValue& out,
                                          int depth);

    std::string_view bytes_;
    ReadArena& arena_;
    std::size_t offsetSize_ = 0;
    std::size_t refSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t topObject_ = 0;
    std::size_t offsetTable_ = 0;
    std::vector<bool> onPath_;
    PlistTreeBudget budget_;
};

// Writers choose any width that fits, libplist 3 bytes for offsets in
// files between 64 KiB and 16 MiB.
bool validIntSize(std::size_t size) {
    return size >= 1 && size <= 8;
}

std::optional<PlistProblem> BinaryWalk::readTrailer() {
    if (bytes_.size() < Magic.size() + 1 + TrailerSize)
        return problemAt(Kind::Parse, "too short for a binary property list", 0);
    const std::size_t trailer = bytes_.size() - TrailerSize;
    offsetSize_ = static_cast<unsigned char>(bytes_[trailer + 6]);
    refSize_ = static_cast<unsigned char>(bytes_[trailer + 7]);
    objectCount_ = readUnsigned(trailer + 8, 8);
    topObject_ = readUnsigned(trailer + 16, 8);
    const std::uint64_t table = readUnsigned(trailer + 24, 8);
    if (!validIntSize(offsetSize_) || !validIntSize(refSize_))
        return problemAt(Kind::Parse,
                         "the trailer gives an offset or reference size "
                         "outside 1 to 8 bytes",
                         trailer);
    if (objectCount_ == 0 || topObject_ >= objectCount_)
        return problemAt(Kind::Parse, "the trailer's top object is not among its objects", trailer);
    if (table < Magic.size() + 1 || table > trailer ||
        objectCount_ > (trailer - table) / offsetSize_)
        return problemAt(Kind::Parse, "the offset table lies outside the file", trailer);
    if (refSize_ < 8 && objectCount_ > (std::uint64_t{1} << (8 * refSize_)))
        return problemAt(Kind::Parse, "more objects than references can name", trailer);
    offsetTable_ = static_cast<std::size_t>(table);
    onPath_.assign(static_cast<std::size_t>(objectCount_), false);
    return std::nullopt;
}

Outcome<std::uint64_t> BinaryWalk::reference(std::size_t at) const {
    const std::uint64_t ref = readUnsigned(at, refSize_);
    if (ref >= objectCount_)
        return problemAt(Kind::Parse,
                         "a reference to object " + std::to_string(ref) + " of " +
                             std::to_string(objectCount_),
                         at);
    return ref;
}

Outcome<BinaryWalk::Object> BinaryWalk::object(std::uint64_t ref) const {
    const std::uint64_t offset =
        readUnsigned(offsetTable_ + static_cast<std::size_t>(ref) * offsetSize_, offsetSize_);
    if (offset < Magic.size() || offset >= offsetTable_)
        return problemAt(Kind::Parse, "object " + std::to_string(ref) + " lies outside the file",
                         offsetTable_ + static_cast<std::size_t>(ref) * offsetSize_);
    Object found;
    found.offset = static_cast<std::size_t>(offset);
    const auto marker = static_cast<unsigned char>(bytes_[found.offset]);
    found.type = marker >> 4;
    found.count = marker & 0x0Fu;
    found.payload = found.offset + 1;
    const std::size_t end = offsetTable_;

    // Counts of 15 and more follow as an integer object.
    const bool counted = found.type == Data || found.type == AsciiString ||
                         found.type == Utf16String || found.type == Array ||
                         found.type == Dictionary;
    if (counted && found.count == 0x0F) {
        if (found.payload >= end)
            return problemAt(Kind::Parse, "an object cut off by the offset table", found.offset);
        const auto intMarker = static_cast<unsigned char>(bytes_[found.payload]);
        const std::size_t size = std::size_t{1} << (intMarker & 0x0Fu);
        if ((intMarker >> 4) != Integer || size > 8 || end - found.payload - 1 < size)
            return problemAt(Kind::Parse, "an object with a broken length", found.offset);
        found.count = readUnsigned(found.payload + 1, size);
        found.payload += 1 + size;
    }

    std::uint64_t unitSize = 0; // payload bytes per counted unit
    std::uint64_t fixed = 0;    // or a fixed payload size
    switch (found.type) {
    case Singleton:
        if (found.count != 0x0 && found.count != 0x8 && found.count != 0x9 && found.count != 0xF)
            return problemAt(Kind::Parse, "an unknown object type", found.offset);
        break;
    case Integer:
        fixed = std::uint64_t{1} << std::min<std::uint64_t>(found.count, 63);
        break;
    case Real:
        if (found.count != 2 && found.count != 3)
            return problemAt(Kind::Parse, "a real of unknown size", found.offset);
        fixed = std::uint64_t{1} << found.count;
        break;
    case Date:
        if (found.count != 3) return problemAt(Kind::Parse, "a date of unknown size", found.offset);
        fixed = 8;
        break;
    case Data:
    case AsciiString:
        unitSize = 1;
        break;
    case Utf16String:
        unitSize = 2;
        break;
    case Uid:
        fixed = found.count + 1;
        break;
    case Array:
        unitSize = refSize_;
        break;
    case Dictionary:
        unitSize = 2 * refSize_;
        break;
    default:
        return problemAt(Kind::Parse, "an unsupported object type", found.offset);
    }
    if (found.type == Integer && found.count > 4)
        return problemAt(Kind::Parse, "an integer of unknown size", found.offset);
    const std::uint64_t room = end - found.payload;
    const bool fits = unitSize != 0 ? found.count <= room / unitSize : fixed <= room;
    if (!fits) return problemAt(Kind::Parse, "an object cut off by the offset table", found.offset);
    return found;
}

std::optional<PlistProblem> BinaryWalk::text(const Object& object, std::string_view& out) {
    const std::size_t count = static_cast<std::size_t>(object.count);
    if (object.type == AsciiString) {
        out = bytes_.substr(object.payload, count);
        for (const char c : out)
            if (static_cast<unsigned char>(c) >= 0x80)
                return problemAt(Kind::Encoding, "an ASCII string holds a byte above 0x7F",
                                 object.offset);
    } else {
        // Judged and measured first, so that only what the bound allows is
        // ever written out. A pair of surrogates is one character; a lone
        // one is none.
        const auto unitAt = [&](std::size_t i) {
            return static_cast<char32_t>(readUnsigned(object.payload + 2 * i, 2));
        };
        const auto characterAt = [&](std::size_t& i) -> std::optional<char32_t> {
            const char32_t unit = unitAt(i);
            if (unit < 0xD800 || unit > 0xDFFF) return unit;
            if (unit > 0xDBFF || i + 1 == count) return std::nullopt;
            const char32_t low = unitAt(i + 1);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            ++i;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        };
        std::size_t length = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const std::optional<char32_t> character = characterAt(i);
            if (!character)
                return problemAt(Kind::Encoding, "a UTF-16 string holds a lone surrogate",
                                 object.offset);
            length += *character < 0x80 ? 1 : *character < 0x800 ? 2 : *character < 0x10000 ? 3 : 4;
        }
        if (auto problem = budget_.roomForText(length)) {
            problem->offset = object.offset;
            return problem;
        }
        char* const start = static_cast<char*>(arena_.allocate(length, 1));
        char* end = start;
        for (std::size_t i = 0; i < count; ++i)
            end = writeUtf8(end, *characterAt(i));
        out = std::string_view(start, length);
    }
    if (auto problem = budget_.addText(out)) {
        problem->offset = object.offset;
        return problem;
    }
    return std::nullopt;
}

std::optional<PlistProblem> BinaryWalk::value(std::uint64_t ref, PlistValue& out, int depth) {
    if (auto problem = budget_.addValue()) return problem;
    Outcome<Object> found = object(ref);
    if (!found) return found.failure();
    const Object& item = found.value();
    switch (item.type) {
    case AsciiString:
    case Utf16String:
        out.kind = PlistValue::Kind::String;
        return text(item, out.string);
    case Array:
    case Dictionary:
        return container(item, ref, out, depth);
    default:
        out.kind = PlistValue::Kind::Other;
        return std::nullopt;
    }
}

// Nested no deeper than MaxDepth, so the recursion is bounded; a container
// on the path to itself is a cycle, which would never end.
std::optional<PlistProblem> BinaryWalk::container(const Object& item, std::uint64_t ref,
                                                  PlistValue& out, int depth) {
    const auto self = static_cast<std::size_t>(ref);
    if (onPath_[self]) return problemAt(Kind::Depth, "a container that holds itself", item.offset);
    if (depth > plist_limits::MaxDepth)
        return problemAt(Kind::Depth,
                         "containers nested deeper than " + std::to_string(plist_limits::MaxDepth),
                         item.offset);
    const auto count = static_cast<std::size_t>(item.count);
    if (auto problem = budget_.roomFor(count)) {
        problem->offset = item.offset;
        return problem;
    }
    const bool dictionary = item.type == Dictionary;
    out.kind = dictionary ? PlistValue::Kind::Dictionary : PlistValue::Kind::Array;
    const std::span<PlistValue> items = arena_.allocateArray<PlistValue>(count);
    const std::span<std::string_view> keys =
        dictionary ? arena_.allocateArray<std::string_view>(count) : std::span<std::string_view>();
    onPath_[self] = true;
    for (std::size_t i = 0; i < count; ++i) {
        // A dictionary's value references follow all of its keys.
        std::size_t valueAt = item.payload + i * refSize_;
        if (dictionary) {
            Outcome<std::uint64_t> keyRef = reference(valueAt);
            if (!keyRef) return keyRef.failure();
            Outcome<Object> key = object(keyRef.value());
            if (!key) return key.failure();
            if (key.value().type != AsciiString && key.value().type != Utf16String)
                return problemAt(Kind::Parse, "a dictionary key that is not a string",
                                 key.value().offset);
            if (auto problem = text(key.value(), keys[i])) return problem;
            valueAt += count * refSize_;
        }
        Outcome<std::uint64_t> valueRef = reference(valueAt);
        if (!valueRef) return valueRef.failure();
        if (auto problem = value(valueRef.value(), items[i], depth + 1)) return problem;
    }
    onPath_[self] = false;
    out.items = items;
    if (dictionary) out.keys = keys;
    return std::nullopt;
}

Outcome<PlistValue> BinaryWalk::build() {
    if (auto problem = readTrailer()) return *problem;
    PlistValue root;
    if (auto problem = value(topObject_, root, 1)) return *problem;
    return root;
}

} // namespace

bool looksLikeBinaryPropertyList(std::string_view bytes) {
    return bytes.substr(0, 6) == "bplist";
}

Outcome<PlistValue> parseBinaryPropertyList(std::string_view bytes, ReadArena& arena) {
    if (bytes.substr(0, Magic.size()) != Magic)
        return problemAt(Kind::Parse, "not a binary property list of version 00", 0);
    return BinaryWalk(bytes, arena).build();
}

} // namespace platform::linux_backend
