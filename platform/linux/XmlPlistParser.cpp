// SPDX-License-Identifier: MIT
#include "platform/linux/XmlPlistParser.h"

#include "platform/Text.h"

#include "platform/linux/PlistTreeBuilder.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace platform::linux_backend {

namespace {

using Kind = PlistProblem::Kind;

// pugixml takes its allocator process-wide and parses without a bound of its
// own: a 4 MiB file of "<a>" is 1.4 million nodes of 64 bytes. The allowance
// is per thread, since a document is built and freed on one.
thread_local std::size_t tXmlMemoryInUse = 0;

struct alignas(std::max_align_t) AllocationHeader {
    std::size_t size;
};

void* allocateWithinAllowance(std::size_t size) {
    if (size > plist_limits::MaxXmlParserMemory - tXmlMemoryInUse) return nullptr;
    void* block = std::malloc(sizeof(AllocationHeader) + size);
    if (block == nullptr) return nullptr;
    static_cast<AllocationHeader*>(block)->size = size;
    tXmlMemoryInUse += size;
    return static_cast<AllocationHeader*>(block) + 1;
}

void deallocateWithinAllowance(void* memory) {
    if (memory == nullptr) return;
    AllocationHeader* header = static_cast<AllocationHeader*>(memory) - 1;
    tXmlMemoryInUse -= header->size;
    std::free(header);
}

PlistProblem problemAt(Kind kind, std::string message, std::string_view bytes,
                       std::ptrdiff_t offset, bool offsetsAreBytes) {
    PlistProblem problem{kind, std::move(message), {}, {}, {}};
    if (!offsetsAreBytes || offset < 0 || static_cast<std::size_t>(offset) > bytes.size())
        return problem;
    const std::string_view before = bytes.substr(0, static_cast<std::size_t>(offset));
    const std::size_t lastBreak = before.rfind('\n');
    problem.line = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
    problem.column =
        lastBreak == std::string_view::npos ? before.size() + 1 : before.size() - lastBreak;
    return problem;
}

// XML forbids U+0000 anywhere, so one code unit of zero in the text (not in
// a byte-order mark) makes the whole document unreadable.
bool holdsNul(std::string_view bytes, pugi::xml_encoding encoding) {
    std::size_t unit = 1;
    if (encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf16_be) unit = 2;
    if (encoding == pugi::encoding_utf32_le || encoding == pugi::encoding_utf32_be) unit = 4;
    for (std::size_t at = 0; at + unit <= bytes.size(); at += unit) {
        bool zero = true;
        for (std::size_t i = 0; i < unit && zero; ++i)
            zero = bytes[at + i] == '\0';
        if (zero) return true;
    }
    return false;
}

// pugixml turns UTF-16 and UTF-32 into UTF-8 and drops code units that are
// no character (a lone surrogate, a value past U+10FFFF) on the way: the text
// would change silently, where the same string as UTF-8 or in a binary list
// is refused. So the units are judged here, in the encoding it detected.
std::optional<PlistProblem> brokenUnits(std::string_view bytes, pugi::xml_encoding encoding) {
    const bool utf16 = encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf16_be;
    const bool utf32 = encoding == pugi::encoding_utf32_le || encoding == pugi::encoding_utf32_be;
    if (!utf16 && !utf32) return std::nullopt;
    const bool little = encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf32_le;
    const std::size_t size = utf16 ? 2 : 4;
    const auto unitAt = [&](std::size_t at) {
        char32_t unit = 0;
        for (std::size_t i = 0; i < size; ++i)
            unit |= char32_t{static_cast<unsigned char>(bytes[at + i])}
                    << (8 * (little ? i : size - 1 - i));
        return unit;
    };
    for (std::size_t at = 0; at + size <= bytes.size(); at += size) {
        const char32_t unit = unitAt(at);
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (utf16 && high && at + 2 * size <= bytes.size() && unitAt(at + size) >= 0xDC00 &&
            unitAt(at + size) <= 0xDFFF) {
            at += size; // a well-formed pair
            continue;
        }
        if ((unit >= 0xD800 && unit <= 0xDFFF) || unit > 0x10FFFF)
            return problemOf(Kind::Encoding, std::string(utf16 ? "UTF-16" : "UTF-32") +
                                                 " text holds a code unit that is no character");
    }
    if (bytes.size() % size != 0)
        return problemOf(Kind::Encoding, "the text ends inside a code unit");
    return std::nullopt;
}

// Character data with its references resolved: the five predefined entities
// and numeric references. pugixml's own decoding is off because it turns
// "&#0;" into an end of string and keeps unknown entities as text.
std::optional<PlistProblem> appendDecoded(std::string& out, std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t amp = text.find('&', at);
        out.append(text.substr(at, amp - at));
        if (amp == std::string_view::npos) break;
        const std::size_t semi = text.find(';', amp);
        if (semi == std::string_view::npos)
            return problemOf(Kind::Parse, "an unterminated character reference");
        const std::string_view name = text.substr(amp + 1, semi - amp - 1);
        at = semi + 1;
        if (name == "lt")
            out += '<';
        else if (name == "gt")
            out += '>';
        else if (name == "amp")
            out += '&';
        else if (name == "quot")
            out += '"';
        else if (name == "apos")
            out += '\'';
        else if (name.size() >= 2 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            char32_t cp = 0;
            bool valid = !digits.empty() && digits.size() <= 8;
            for (const char c : digits) {
                const int digit = hex ? hexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
                if (digit < 0) valid = false;
                cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(std::max(digit, 0));
            }
            if (valid && cp == 0)
                return problemOf(Kind::Nul, "a string or key holds U+0000 (&#0;)");
            if (!valid || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                return problemOf(Kind::Parse,
                                 "a bad character reference &" + std::string(name) + ";");
            appendUtf8(out, cp);
        } else {
            return problemOf(Kind::Parse, "an unknown entity &" + std::string(name) + ";");
        }
    }
    return std::nullopt;
}

class TreeWalk {
public:
    TreeWalk(std::string_view bytes, bool offsetsAreBytes)
        : bytes_(bytes), offsetsAreBytes_(offsetsAreBytes) {}

    Outcome<PlistValue> build(pugi::xml_node rootElement);

private:
    struct Frame {
        PlistValue* container;
        pugi::xml_node cursor;
        int depth;
        bool awaitingKey;
    };

    PlistProblem at(pugi::xml_node node, Kind kind, std::string message) const {
        return problemAt(kind, std::move(message), bytes_, node.offset_debug(), offsetsAreBytes_);
    }
    PlistProblem at(pugi::xml_node node, PlistProblem problem) const {
        return at(node, problem.kind, std::move(problem.message));
    }
    std::optional<PlistProblem> textOf(pugi::xml_node element, std::string& out);
    std::optional<PlistProblem> leaf(pugi::xml_node element, PlistValue& value);
    std::optional<PlistProblem> step(std::vector<Frame>& stack);

    std::string_view bytes_;
    bool offsetsAreBytes_;
    PlistTreeBudget budget_;
};

std::optional<PlistProblem> TreeWalk::textOf(pugi::xml_node element, std::string& out) {
    const pugi::xml_node first = element.first_child();
    // Most texts are one run of characters without a reference.
    if (first && first.type() == pugi::node_pcdata && !first.next_sibling() &&
        std::strchr(first.value(), '&') == nullptr) {
        out.assign(first.value());
        if (auto problem = budget_.addText(out)) return at(element, *problem);
        return std::nullopt;
    }
    for (pugi::xml_node child = first; child; child = child.next_sibling()) {
        if (child.type() == pugi::node_pcdata) {
            if (auto problem = appendDecoded(out, child.value())) return at(child, *problem);
        } else if (child.type() == pugi::node_cdata) {
            out += child.value();
        } else if (child.type() == pugi::node_element) {
            return at(child, Kind::Parse,
                      std::string("an element <") + child.name() + "> inside <" + element.name() +
                          ">");
        }
    }
    if (auto problem = budget_.addText(out)) return at(element, *problem);
    return std::nullopt;
}

std::optional<PlistProblem> TreeWalk::leaf(pugi::xml_node element, PlistValue& value) {
    const std::string_view name = element.name();
    if (name == "string") {
        value.kind = PlistValue::Kind::String;
        return textOf(element, value.string);
    }
    static constexpr std::string_view others[] = {"integer", "real", "true",
                                                  "false",   "date", "data"};
    if (std::find(std::begin(others), std::end(others), name) != std::end(others)) {
        value.kind = PlistValue::Kind::Other;
        return std::nullopt;
    }
    if (name == "key") return at(element, Kind::Parse, "a <key> where a value belongs");
    return at(element, Kind::Parse, "an unknown element <" + std::string(name) + ">");
}

bool isBlank(const char* text) {
    for (; *text != '\0'; ++text)
        if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r') return false;
    return true;
}

// One child of the innermost open container.
std::optional<PlistProblem> TreeWalk::step(std::vector<Frame>& stack) {
    Frame& frame = stack.back();
    const pugi::xml_node node = frame.cursor;
    const bool isDictionary = frame.container->kind == PlistValue::Kind::Dictionary;
    if (!node) {
        if (isDictionary && !frame.awaitingKey)
            return problemOf(Kind::Parse, "a <key> without a value");
        stack.pop_back();
        return std::nullopt;
    }
    frame.cursor = node.next_sibling();

    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
        if (isBlank(node.value())) return std::nullopt;
        return at(node, Kind::Parse, "text outside a <string> or <key>");
    }
    if (node.type() != pugi::node_element) return std::nullopt;

    if (isDictionary && frame.awaitingKey) {
        if (std::strcmp(node.name(), "key") != 0)
            return at(node, Kind::Parse,
                      std::string("a <") + node.name() + "> where a <key> belongs");
        frame.container->keys.emplace_back();
        frame.awaitingKey = false;
        return textOf(node, frame.container->keys.back());
    }
    if (auto problem = budget_.addValue()) return at(node, *problem);
    frame.container->items.emplace_back();
    PlistValue& value = frame.container->items.back();
    frame.awaitingKey = true;

    const bool array = std::strcmp(node.name(), "array") == 0;
    const bool dictionary = std::strcmp(node.name(), "dict") == 0;
    if (!array && !dictionary) return leaf(node, value);
    if (frame.depth + 1 > plist_limits::MaxDepth)
        return at(node, Kind::Depth,
                  "containers nested deeper than " + std::to_string(plist_limits::MaxDepth));
    value.kind = array ? PlistValue::Kind::Array : PlistValue::Kind::Dictionary;
    // Sized once: growing a list of 10,000 values moves each of them many times.
    std::size_t elements = 0;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        elements += child.type() == pugi::node_element ? 1 : 0;
    value.items.reserve(array ? elements : elements / 2);
    if (dictionary) value.keys.reserve(elements / 2);
    // `frame` is not used past this point: the push may move it.
    stack.push_back({&value, node.first_child(), frame.depth + 1, true});
    return std::nullopt;
}

Outcome<PlistValue> TreeWalk::build(pugi::xml_node rootElement) {
    // The value list is held by a one-element array, so that the root takes
    // the same road as every other value.
    PlistValue holder;
    holder.kind = PlistValue::Kind::Array;
    std::vector<Frame> stack{{&holder, rootElement, 0, true}};
    // The root element itself; its siblings were looked at by the caller.
    if (auto problem = step(stack)) return *problem;
    while (stack.size() > 1)
        if (auto problem = step(stack)) return *problem;
    return std::move(holder.items.front());
}

} // namespace

Outcome<PlistValue> parseXmlPropertyList(std::string&& text) {
    // Text without a zero byte is UTF-8 or Latin-1 and is parsed where it
    // lies. In place pugixml ends names and texts with zeros but moves no
    // line feed as long as there is no carriage return to fold, so lines and
    // columns of problems still count right. Anything else is parsed from
    // pugixml's own copy, leaving the original for the U+0000 check (which
    // needs the encoding) and for counting lines.
    const bool inPlace = std::memchr(text.data(), 0, text.size()) == nullptr &&
                         std::memchr(text.data(), '\r', text.size()) == nullptr;
    std::string original;
    if (!inPlace) original = text;
    const std::string_view bytes = inPlace ? std::string_view(text) : std::string_view(original);
    static std::once_flag allocatorSet;
    std::call_once(allocatorSet, [] {
        pugi::set_memory_management_functions(allocateWithinAllowance, deallocateWithinAllowance);
    });

    pugi::xml_document document;
    const unsigned options = pugi::parse_cdata | pugi::parse_eol | pugi::parse_ws_pcdata_single;
    const pugi::xml_parse_result parsed =
        inPlace
            ? document.load_buffer_inplace(text.data(), text.size(), options, pugi::encoding_auto)
            : document.load_buffer(original.data(), original.size(), options, pugi::encoding_auto);
    const bool offsetsAreBytes = parsed.encoding == pugi::encoding_utf8;

    if (!inPlace && holdsNul(bytes, parsed.encoding))
        return problemOf(Kind::Nul, "the document holds U+0000");
    if (auto problem = brokenUnits(bytes, parsed.encoding)) return *problem;
    if (parsed.status == pugi::status_out_of_memory)
        return problemOf(Kind::Size, "the document needs more than " +
                                         std::to_string(plist_limits::MaxXmlParserMemory >> 20) +
                                         " MiB to parse");
    if (!parsed)
        return problemAt(Kind::Parse, parsed.description(), bytes, parsed.offset, offsetsAreBytes);

    pugi::xml_node root = document.document_element();
    TreeWalk walk(bytes, offsetsAreBytes);
    if (std::strcmp(root.name(), "plist") == 0) {
        pugi::xml_node value;
        for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element) {
                if (value)
                    return problemAt(Kind::Parse, "more than one value in <plist>", bytes,
                                     child.offset_debug(), offsetsAreBytes);
                value = child;
            } else if (!isBlank(child.value())) {
                return problemAt(Kind::Parse, "text outside a value", bytes, child.offset_debug(),
                                 offsetsAreBytes);
            }
        }
        if (!value)
            return problemAt(Kind::Parse, "an empty <plist>", bytes, root.offset_debug(),
                             offsetsAreBytes);
        root = value;
    }
    return walk.build(root);
}

} // namespace platform::linux_backend
