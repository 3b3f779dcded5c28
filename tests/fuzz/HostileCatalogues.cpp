// SPDX-License-Identifier: MIT
#include "tests/fuzz/HostileCatalogues.h"

#include <cstdio>

namespace hostile {

namespace {

std::string bigEndian(std::uint64_t value, int size) {
    std::string out(static_cast<std::size_t>(size), '\0');
    for (int i = size - 1; i >= 0; --i, value >>= 8)
        out[static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    return out;
}

// A marker with its count, the count following as an integer when large.
std::string marker(unsigned type, std::uint64_t count) {
    if (count < 15) return std::string(1, static_cast<char>((type << 4) | count));
    return std::string(1, static_cast<char>((type << 4) | 0xF)) + "\x13" + bigEndian(count, 8);
}

std::string ascii(const std::string& text) {
    return marker(0x5, text.size()) + text;
}

std::string utf16(const std::u16string& text) {
    std::string out = marker(0x6, text.size());
    for (const char16_t unit : text)
        out += bigEndian(unit, 2);
    return out;
}

std::string refs(const std::vector<std::uint64_t>& list, int refSize) {
    std::string out;
    for (const std::uint64_t ref : list)
        out += bigEndian(ref, refSize);
    return out;
}

// { devices: [ { vid: <vid>, pid: <pid> } ] } with the given key and value
// objects, for the U+0000 classes of the binary form.
std::string oneEntryBinary(const std::string& vidKey, const std::string& vid) {
    // 0 root, 1 "devices", 2 array, 3 entry, 4 vid key, 5 vid, 6 "pid", 7 pid
    return binaryPlist({marker(0xD, 1) + refs({1, 2}, 1), ascii("devices"),
                        marker(0xA, 1) + refs({3}, 1), marker(0xD, 2) + refs({4, 6, 5, 7}, 1),
                        vidKey, vid, ascii("pid"), ascii("0x0E28")},
                       1);
}

std::string nested(const std::string& head, int levels, const std::string& open,
                   const std::string& close) {
    std::string out = head;
    out.reserve(head.size() + static_cast<std::size_t>(levels) * (open.size() + close.size()) + 64);
    for (int i = 0; i < levels; ++i)
        out += open;
    for (int i = 0; i < levels; ++i)
        out += close;
    return out + "</dict></plist>\n";
}

// ASCII text as UTF-16 (unitSize 2) or UTF-32 (4) with a byte-order mark;
// each \x01 in it stands for the code unit `stray`.
std::string toUnits(const std::string& asciiText, std::size_t unitSize, bool littleEndian,
                    char32_t stray = 0) {
    std::string out;
    const auto put = [&](char32_t unit) {
        for (std::size_t i = 0; i < unitSize; ++i) {
            const std::size_t shift = 8 * (littleEndian ? i : unitSize - 1 - i);
            out += static_cast<char>((unit >> shift) & 0xFF);
        }
    };
    put(0xFEFF);
    for (const char c : asciiText)
        put(c == '\x01' ? stray : static_cast<char32_t>(c));
    return out;
}

std::string withCrlf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

} // namespace

std::string binaryPlist(const std::vector<std::string>& objects, int refSize) {
    std::string out = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const std::string& object : objects) {
        offsets.push_back(out.size());
        out += object;
    }
    const std::uint64_t table = out.size();
    const int offsetSize = table < 0x100 ? 1 : table < 0x10000 ? 2 : table < 0x1000000 ? 3 : 4;
    for (const std::uint64_t offset : offsets)
        out += bigEndian(offset, offsetSize);
    out += std::string(6, '\0');
    out += static_cast<char>(offsetSize);
    out += static_cast<char>(refSize);
    out += bigEndian(objects.size(), 8) + bigEndian(0, 8) + bigEndian(table, 8);
    return out;
}

std::string modelsXml(int models) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                      "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                      "<plist version=\"1.0\">\n<dict>\n\t<key>devices</key>\n\t<array>\n";
    char line[160];
    for (int i = 0; i < models; ++i) {
        const unsigned pid = i + 1 == models ? 0x0E28U : 0x1000U + static_cast<unsigned>(i);
        std::snprintf(line, sizeof line,
                      "\t\t<dict>\n\t\t\t<key>vid</key>\n\t\t\t<string>0x04B8</string>\n"
                      "\t\t\t<key>pid</key>\n\t\t\t<string>0x%04X</string>\n\t\t</dict>\n",
                      pid);
        out += line;
    }
    return out + "\t</array>\n</dict>\n</plist>\n";
}

std::vector<Sample> samples(const Scale& scale) {
    const std::string devices = "<plist version=\"1.0\"><dict><key>devices</key>";
    const std::string oneEntry =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">"
        "\n<dict>\n<key>devices</key>\n<array>\n<dict>\n<key>vid</key>"
        "<string>0x04B8</string>\n<key>pid</key><string>0x0E28</string>"
        "\n</dict>\n</array>\n</dict>\n</plist>\n";
    std::vector<Sample> out;

    // U+0000 in a string or key, in each form and each way of writing it.
    out.push_back({"nul-xml-reference",
                   devices + "<array><dict><key>vid</key><string>0x04B8&#0;</string><key>pid</key>"
                             "<string>0x0E28</string></dict></array></dict></plist>",
                   false});
    out.push_back({"nul-xml-raw-key",
                   devices + "<array><dict><key>v" + std::string(1, '\0') +
                       "id</key><string>0x04B8</string><key>pid</key><string>0x0E28</string>"
                       "</dict></array></dict></plist>",
                   false});
    out.push_back(
        {"nul-binary-ascii", oneEntryBinary(ascii("vid"), ascii(std::string("4B8\0", 4))), false});
    out.push_back({"nul-binary-utf16",
                   oneEntryBinary(ascii("vid"), utf16(std::u16string(u"4B8\0", 4))), false});
    out.push_back(
        {"nul-binary-key", oneEntryBinary(ascii(std::string("vid\0", 4)), ascii("4B8")), false});

    // Nesting behind markup that a lexer of its own once misread.
    out.push_back({"deep-xml-quoted-declaration",
                   nested("<?xml version=\"1.0\" note=\"?>\"?>" + devices, scale.levels, "<array>",
                          "</array>"),
                   false});
    out.push_back({"deep-xml-doctype-subset",
                   nested("<!DOCTYPE plist [ <!ENTITY e \"<array>\"> <!-- > --> ]>" + devices,
                          scale.levels, "<array>", "</array>"),
                   false});
    out.push_back({"deep-xml-quoted-attribute",
                   nested(devices, scale.levels * 3 / 4, "<array a=\">\">", "</array>"), false});
    std::string closers;
    for (int i = 0; i < 100; ++i)
        closers += "</array>";
    out.push_back({"deep-xml-closing-first",
                   nested(closers + devices, scale.levels, "<array>", "</array>"), false});

    // One large string referred to again and again.
    {
        std::vector<std::uint64_t> many(static_cast<std::size_t>(scale.copies), 3);
        out.push_back({"expanding-binary-shared-string",
                       binaryPlist({marker(0xD, 1) + refs({1, 2}, 4), ascii("devices"),
                                    marker(0xA, many.size()) + refs(many, 4),
                                    ascii(std::string(scale.sharedStringBytes, 'x'))},
                                   4),
                       false});
    }
    // Deep nesting and a cycle through references.
    {
        std::vector<std::string> chain{marker(0xD, 1) + refs({1, 2}, 4), ascii("devices")};
        for (int i = 0; i < scale.levels; ++i)
            chain.push_back(marker(0xA, 1) + refs({static_cast<std::uint64_t>(i) + 3}, 4));
        chain.push_back(marker(0xA, 0));
        out.push_back({"deep-binary", binaryPlist(chain, 4), false});
        out.push_back({"cycle-binary",
                       binaryPlist({marker(0xD, 1) + refs({1, 2}, 1), ascii("devices"),
                                    marker(0xA, 1) + refs({2}, 1)},
                                   1),
                       false});
    }

    // As many small values as the reader takes, each a node of the tree it
    // hands on: in text, as strings too long to be stored inline, and as
    // references to one string. The printer's entry comes last.
    {
        const auto values = static_cast<std::size_t>(scale.values);
        std::string wide = devices + "<array>";
        std::string wideLong = wide;
        for (std::size_t i = 0; i < values; ++i)
            wide += "<string>1</string>";
        for (std::size_t i = 0; i < values / 2; ++i)
            wideLong += "<string>a string of 24 bytes...</string>";
        const std::string printer = "<dict><key>vid</key><string>0x04B8</string><key>pid</key>"
                                    "<string>0x0E28</string></dict></array></dict></plist>";
        out.push_back({"readable-wide-xml-small-values", wide + printer, true});
        out.push_back({"readable-wide-xml-long-strings", wideLong + printer, true});
        // 0 root, 1 "devices", 2 the array, 3 the shared string, 4 the entry.
        std::vector<std::uint64_t> items(values, 3);
        items.push_back(4);
        out.push_back({"readable-wide-binary-shared-values",
                       binaryPlist({marker(0xD, 1) + refs({1, 2}, 4), ascii("devices"),
                                    marker(0xA, items.size()) + refs(items, 4), ascii("1"),
                                    marker(0xD, 2) + refs({5, 6, 7, 8}, 4), ascii("vid"),
                                    ascii("pid"), ascii("0x04B8"), ascii("0x0E28")},
                                   4),
                       true});
    }

    // What packagers' tools write, read like plain UTF-8.
    out.push_back({"readable-utf8-bom", "\xEF\xBB\xBF" + oneEntry, true});
    out.push_back({"readable-utf16le-bom", toUnits(oneEntry, 2, true), true});
    out.push_back({"readable-utf16be-bom", toUnits(oneEntry, 2, false), true});
    // A code unit that is no character, right after the id's digits: dropped,
    // it would leave an id that matches.
    std::string stray = oneEntry;
    stray.replace(stray.find("0x04B8") + 6, 0, "\x01");
    out.push_back({"encoding-utf16le-lone-high-surrogate", toUnits(stray, 2, true, 0xD800), false});
    out.push_back({"encoding-utf16be-lone-low-surrogate", toUnits(stray, 2, false, 0xDC00), false});
    out.push_back({"encoding-utf32le-beyond-unicode", toUnits(stray, 4, true, 0x110000), false});
    out.push_back({"readable-utf32le-bom", toUnits(oneEntry, 4, true), true});
    out.push_back({"readable-crlf", withCrlf(oneEntry), true});
    out.push_back({"readable-models-xml", modelsXml(scale.models), true});
    {
        // 0 root, 1 "devices", 2 the array, then the entries, then their texts.
        const auto n = static_cast<std::uint64_t>(scale.models);
        const std::uint64_t vidKey = 3 + n, pidKey = vidKey + 1, vid = vidKey + 2;
        std::vector<std::uint64_t> entries;
        for (std::uint64_t i = 0; i < n; ++i)
            entries.push_back(3 + i);
        std::vector<std::string> objects{marker(0xD, 1) + refs({1, 2}, 4), ascii("devices"),
                                         marker(0xA, n) + refs(entries, 4)};
        for (std::uint64_t i = 0; i < n; ++i)
            objects.push_back(marker(0xD, 2) + refs({vidKey, pidKey, vid, vid + 1 + i}, 4));
        objects.push_back(ascii("vid"));
        objects.push_back(ascii("pid"));
        objects.push_back(ascii("0x04B8"));
        char pid[8];
        for (std::uint64_t i = 0; i < n; ++i) {
            std::snprintf(pid, sizeof pid, "0x%04X",
                          i + 1 == n ? 0x0E28U : 0x1000U + static_cast<unsigned>(i));
            objects.push_back(ascii(pid));
        }
        out.push_back({"readable-models-binary", binaryPlist(objects, 4), true});
    }
    return out;
}

} // namespace hostile
