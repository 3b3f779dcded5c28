// SPDX-License-Identifier: MIT
#include "platform/linux/XmlPlistParser.h"

#include "platform/Text.h"

#include "platform/linux/PlistTreeBuilder.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

namespace platform::linux_backend {

namespace {

using Kind = PlistProblem::Kind;

// pugixml takes its allocator process-wide and parses without a bound of its
// own: a 4 MiB file of "<a>" is 1.4 million nodes of 64 bytes. While a read
// parses on a thread, pugixml's memory comes from that read's arena and all
// it takes is counted (the arena gives nothing back before the read ends);
// outside a read it comes from the heap.
thread_local ReadArena* tArena = nullptr;
thread_local std::size_t tXmlMemoryInUse = 0;

struct alignas(std::max_align_t) AllocationHeader {
    std::size_t size;
    bool inArena;
};

void* allocateWithinAllowance(std::size_t size) {
    if (size > plist_limits::MaxXmlParserMemory - tXmlMemoryInUse) return nullptr;
    void* block = nullptr;
    try {
        block = tArena != nullptr ? tArena->allocate(sizeof(AllocationHeader) + size)
                                  : std::malloc(sizeof(AllocationHeader) + size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (block == nullptr) return nullptr;
    *static_cast<AllocationHeader*>(block) = {size, tArena != nullptr};
    tXmlMemoryInUse += size;
    return static_cast<AllocationHeader*>(block) + 1;
}

void deallocateWithinAllowance(void* memory) {
    if (memory == nullptr) return;
    AllocationHeader* header = static_cast<AllocationHeader*>(memory) - 1;
    if (header->inArena) return;
    tXmlMemoryInUse -= header->size;
    std::free(header);
}

// pugixml's memory for the time of one parse on this thread.
class ParserMemory {
public:
    explicit ParserMemory(ReadArena& arena) {
        static std::once_flag allocatorSet;
        std::call_once(allocatorSet, [] {
            pugi::set_memory_management_functions(allocateWithinAllowance,
                                                  deallocateWithinAllowance);
        });
        tArena = &arena;
        tXmlMemoryInUse = 0;
    }
    ~ParserMemory() {
        tArena = nullptr;
        tXmlMemoryInUse = 0;
    }
    ParserMemory(const ParserMemory&) = delete;
    ParserMemory& operator=(const ParserMemory&) = delete;
};

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

// The text's code units, judged in the encoding pugixml detected, before it
// turns them into UTF-8. XML forbids U+0000 anywhere, so one unit of zero
// (not in a byte-order mark) makes the whole document unreadable. And
// pugixml drops UTF-16 and UTF-32 units that are no character (a lone
// surrogate, a value past U+10FFFF): the text would change silently, where
// the same string as UTF-8 or in a binary list is refused.
std::optional<PlistProblem> brokenUnits(std::string_view bytes, pugi::xml_encoding encoding) {
    const bool utf16 = encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf16_be;
    const bool utf32 = encoding == pugi::encoding_utf32_le || encoding == pugi::encoding_utf32_be;
    const bool little = encoding == pugi::encoding_utf16_le || encoding == pugi::encoding_utf32_le;
    const std::size_t size = utf16 ? 2 : utf32 ? 4 : 1;
    const auto unitAt = [&](std::size_t at) {
        char32_t unit = 0;
        for (std::size_t i = 0; i < size; ++i)
            unit |= char32_t{static_cast<unsigned char>(bytes[at + i])}
                    << (8 * (little ? i : size - 1 - i));
        return unit;
    };
    for (std::size_t at = 0; at + size <= bytes.size(); at += size) {
        const char32_t unit = unitAt(at);
        if (unit == 0) return problemOf(Kind::Nul, "the document holds U+0000");
        if (size == 1) continue;
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

// Character data with its references resolved, written at out: the five
// predefined entities and numeric references. A reference is never shorter
// than what it stands for, so the text as written is room enough. pugixml's
// own decoding is off because it turns "&#0;" into an end of string and
// keeps unknown entities as text.
std::optional<PlistProblem> appendDecoded(char*& out, std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t amp = text.find('&', at);
        const std::string_view run = text.substr(at, amp - at);
        out = std::copy(run.begin(), run.end(), out);
        if (amp == std::string_view::npos) break;
        const std::size_t semi = text.find(';', amp);
        if (semi == std::string_view::npos)
            return problemOf(Kind::Parse, "an unterminated character reference");
        const std::string_view name = text.substr(amp + 1, semi - amp - 1);
        at = semi + 1;
        if (name == "lt")
            *out++ = '<';
        else if (name == "gt")
            *out++ = '>';
        else if (name == "amp")
            *out++ = '&';
        else if (name == "quot")
            *out++ = '"';
        else if (name == "apos")
            *out++ = '\'';
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
            out = writeUtf8(out, cp);
        } else {
            return problemOf(Kind::Parse, "an unknown entity &" + std::string(name) + ";");
        }
    }
    return std::nullopt;
}

// An element's name against a known one, without a call per comparison.
bool named(const char* name, std::string_view expected) {
    for (const char c : expected)
        if (*name++ != c) return false;
    return *name == '\0';
}

bool isBlank(const char* text) {
    for (; *text != '\0'; ++text)
        if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r') return false;
    return true;
}

class TreeWalk {
public:
    TreeWalk(ReadArena& arena, std::string_view bytes, bool offsetsAreBytes)
        : arena_(arena), bytes_(bytes), offsetsAreBytes_(offsetsAreBytes) {}

    Outcome<PlistValue> build(pugi::xml_node rootElement);

private:
    PlistProblem at(pugi::xml_node node, Kind kind, std::string message) const {
        return problemAt(kind, std::move(message), bytes_, node.offset_debug(), offsetsAreBytes_);
    }
    PlistProblem at(pugi::xml_node node, PlistProblem problem) const {
        return at(node, problem.kind, std::move(problem.message));
    }
    std::optional<PlistProblem> textOf(pugi::xml_node element, std::string_view& out);
    std::optional<PlistProblem> leaf(pugi::xml_node element, const char* name, PlistValue& value);
    std::optional<PlistProblem> value(pugi::xml_node element, PlistValue& out, int depth);
    std::optional<PlistProblem> container(pugi::xml_node element, bool dictionary, PlistValue& out,
                                          int depth);

    ReadArena& arena_;
    std::string_view bytes_;
    bool offsetsAreBytes_;
    PlistTreeBudget budget_;
};

// An element's text. Its first run of characters is held by the element
// itself; what follows a CDATA section comes as further children.
std::optional<PlistProblem> TreeWalk::textOf(pugi::xml_node element, std::string_view& out) {
    const std::string_view run = element.value();
    const pugi::xml_node first = element.first_child();
    if (!first && run.find('&') == std::string_view::npos) {
        // Most texts: one run without a reference, taken where it lies.
        out = run;
    } else {
        std::size_t room = run.size();
        for (pugi::xml_node child = first; child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element)
                return at(child, Kind::Parse,
                          std::string("an element <") + child.name() + "> inside <" +
                              element.name() + ">");
            room += std::strlen(child.value());
        }
        char* const start = static_cast<char*>(arena_.allocate(room, 1));
        char* end = start;
        if (auto problem = appendDecoded(end, run)) return at(element, *problem);
        for (pugi::xml_node child = first; child; child = child.next_sibling()) {
            if (child.type() == pugi::node_pcdata) {
                if (auto problem = appendDecoded(end, child.value())) return at(child, *problem);
            } else if (child.type() == pugi::node_cdata) {
                const std::string_view text = child.value();
                end = std::copy(text.begin(), text.end(), end);
            }
        }
        out = std::string_view(start, static_cast<std::size_t>(end - start));
    }
    if (auto problem = budget_.addText(out)) return at(element, *problem);
    return std::nullopt;
}

std::optional<PlistProblem> TreeWalk::leaf(pugi::xml_node element, const char* name,
                                           PlistValue& value) {
    if (named(name, "string")) {
        value.kind = PlistValue::Kind::String;
        return textOf(element, value.string);
    }
    static constexpr std::string_view others[] = {"integer", "real", "true",
                                                  "false",   "date", "data"};
    if (std::any_of(std::begin(others), std::end(others),
                    [name](std::string_view other) { return named(name, other); })) {
        value.kind = PlistValue::Kind::Other;
        return std::nullopt;
    }
    if (named(name, "key")) return at(element, Kind::Parse, "a <key> where a value belongs");
    return at(element, Kind::Parse, "an unknown element <" + std::string(name) + ">");
}

std::optional<PlistProblem> TreeWalk::value(pugi::xml_node element, PlistValue& out, int depth) {
    const char* const name = element.name();
    const bool dictionary = named(name, "dict");
    if (dictionary || named(name, "array")) return container(element, dictionary, out, depth);
    return leaf(element, name, out);
}

// An array or dictionary, given room for all its values at once. Nested no
// deeper than MaxDepth, so the recursion is bounded.
std::optional<PlistProblem> TreeWalk::container(pugi::xml_node element, bool dictionary,
                                                PlistValue& out, int depth) {
    if (depth > plist_limits::MaxDepth)
        return at(element, Kind::Depth,
                  "containers nested deeper than " + std::to_string(plist_limits::MaxDepth));
    if (!isBlank(element.value()))
        return at(element, Kind::Parse, "text outside a <string> or <key>");
    out.kind = dictionary ? PlistValue::Kind::Dictionary : PlistValue::Kind::Array;
    std::size_t elements = 0;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        elements += child.type() == pugi::node_element ? 1 : 0;
    // A dictionary's elements are pairs; a missing value is found on the way.
    const std::size_t values = dictionary ? (elements + 1) / 2 : elements;
    if (auto problem = budget_.roomFor(values)) return at(element, *problem);
    PlistValue* const items = arena_.allocateArray<PlistValue>(values).data();
    std::string_view* const keys =
        dictionary ? arena_.allocateArray<std::string_view>(values).data() : nullptr;
    std::size_t filled = 0;
    bool awaitingKey = true;
    for (pugi::xml_node node = element.first_child(); node; node = node.next_sibling()) {
        const pugi::xml_node_type type = node.type();
        if (type == pugi::node_pcdata || type == pugi::node_cdata) {
            if (isBlank(node.value())) continue;
            return at(node, Kind::Parse, "text outside a <string> or <key>");
        }
        if (type != pugi::node_element) continue;
        if (dictionary && awaitingKey) {
            if (!named(node.name(), "key"))
                return at(node, Kind::Parse,
                          std::string("a <") + node.name() + "> where a <key> belongs");
            awaitingKey = false;
            if (auto problem = textOf(node, keys[filled])) return problem;
            continue;
        }
        if (auto problem = budget_.addValue()) return at(node, *problem);
        awaitingKey = true;
        if (auto problem = value(node, items[filled++], depth + 1)) return problem;
    }
    if (dictionary && !awaitingKey) return problemOf(Kind::Parse, "a <key> without a value");
    out.items = {items, filled};
    if (dictionary) out.keys = {keys, filled};
    return std::nullopt;
}

Outcome<PlistValue> TreeWalk::build(pugi::xml_node rootElement) {
    PlistValue root;
    if (auto problem = budget_.addValue()) return at(rootElement, *problem);
    if (auto problem = value(rootElement, root, 1)) return *problem;
    return root;
}

} // namespace

Outcome<PlistValue> parseXmlPropertyList(std::span<char> text, ReadArena& arena) {
    // Text without a zero byte is UTF-8 or Latin-1 and is parsed where it
    // lies. In place pugixml ends names and texts with zeros but moves no
    // line feed as long as there is no carriage return to fold, so lines and
    // columns of problems still count right. Anything else is parsed from
    // pugixml's own copy, leaving the original for the U+0000 check (which
    // needs the encoding) and for counting lines.
    const std::string_view bytes(text.data(), text.size());
    const bool inPlace = std::memchr(text.data(), 0, text.size()) == nullptr &&
                         std::memchr(text.data(), '\r', text.size()) == nullptr;
    const ParserMemory memory(arena);
    pugi::xml_document document;
    // Texts stay in their elements: half the nodes of a property list.
    const unsigned options = pugi::parse_cdata | pugi::parse_eol | pugi::parse_ws_pcdata_single |
                             pugi::parse_embed_pcdata;
    const pugi::xml_parse_result parsed =
        inPlace
            ? document.load_buffer_inplace(text.data(), text.size(), options, pugi::encoding_auto)
            : document.load_buffer(text.data(), text.size(), options, pugi::encoding_auto);
    const bool offsetsAreBytes = parsed.encoding == pugi::encoding_utf8;

    // Parsed in place, the text has no zero (pugixml has written its own
    // since) and is UTF-8 or Latin-1, which have no units to judge.
    if (!inPlace)
        if (auto problem = brokenUnits(bytes, parsed.encoding)) return *problem;
    if (parsed.status == pugi::status_out_of_memory)
        return problemOf(Kind::Size, "the document needs more than " +
                                         std::to_string(plist_limits::MaxXmlParserMemory >> 20) +
                                         " MiB to parse");
    if (!parsed)
        return problemAt(Kind::Parse, parsed.description(), bytes, parsed.offset, offsetsAreBytes);

    pugi::xml_node root = document.document_element();
    TreeWalk walk(arena, bytes, offsetsAreBytes);
    if (named(root.name(), "plist")) {
        if (!isBlank(root.value()))
            return problemAt(Kind::Parse, "text outside a value", bytes, root.offset_debug(),
                             offsetsAreBytes);
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
