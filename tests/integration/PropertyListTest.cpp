// SPDX-License-Identifier: MIT
// The catalogue reader on real files: XML and binary property lists written
// by libplist itself, and the broken and hostile files a package may carry.
#include "app/detection/DeviceCatalogue.h"
#include "platform/linux/PlistFileReader.h"
#include "tests/integration/TestFolder.h"

#include <plist/plist.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;
using platform::linux_backend::PlistFileReader;

namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using Node = std::unique_ptr<void, PlistFree>;

class PropertyLists : public ::testing::Test {
protected:
    void SetUp() override { folder_ = freshTestFolder("plist"); }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static Node sampleCatalogue() {
        plist_t root = plist_new_dict();
        plist_t devices = plist_new_array();
        for (const auto& [vid, pid] : {std::pair{"0x04B8", "0x0E28"}, std::pair{"8000", "ffff"}}) {
            plist_t entry = plist_new_dict();
            plist_dict_set_item(entry, "vid", plist_new_string(vid));
            plist_dict_set_item(entry, "pid", plist_new_string(pid));
            plist_dict_set_item(entry, "note", plist_new_uint(7));
            plist_array_append_item(devices, entry);
        }
        plist_dict_set_item(root, "devices", devices);
        // Not ASCII: the binary form holds it as UTF-16, with a surrogate pair.
        plist_dict_set_item(root, "application",
                            plist_new_string("/opt/tool with space/s\xC3\xA9tup \xF0\x9F\x98\x80"));
        plist_t agents = plist_new_array();
        plist_array_append_item(agents, plist_new_string("/a.service"));
        plist_array_append_item(agents, plist_new_bool(1));
        plist_array_append_item(agents, plist_new_string("/b.service"));
        plist_dict_set_item(root, "smLaunchAgentPath", agents);
        plist_dict_set_item(root, "usbMonitorLaunchAgentPath", plist_new_real(1.5));
        return Node(root);
    }

    static std::string xml(const Node& node) {
        char* text = nullptr;
        uint32_t length = 0;
        plist_to_xml(static_cast<plist_t>(node.get()), &text, &length);
        std::string out(text, length);
        plist_to_xml_free(text);
        return out;
    }

    static std::string binary(const Node& node) {
        char* data = nullptr;
        uint32_t length = 0;
        plist_to_bin(static_cast<plist_t>(node.get()), &data, &length);
        std::string out(data, length);
        plist_to_bin_free(data);
        return out;
    }

    static Node nestedArrays(int depth) {
        plist_t inner = plist_new_array();
        for (int level = 1; level < depth; ++level) {
            plist_t outer = plist_new_array();
            plist_array_append_item(outer, inner);
            inner = outer;
        }
        plist_t root = plist_new_dict();
        plist_dict_set_item(root, "devices", inner);
        return Node(root);
    }

    std::optional<DeviceCatalogue> read(const std::string& path) const {
        const platform::Result<platform::PlistDocument> document = reader_.readDictionary(path);
        if (!document) return std::nullopt;
        return DeviceCatalogue::fromPropertyList(document->root());
    }

    fs::path folder_;
    PlistFileReader reader_;
};

TEST_F(PropertyLists, XmlAndBinaryFormsReadAlike) {
    const Node catalogue = sampleCatalogue();
    for (const std::string& path :
         {write("c.plist", xml(catalogue)), write("b.plist", binary(catalogue))}) {
        const std::optional<DeviceCatalogue> read = this->read(path);
        ASSERT_TRUE(read) << path;
        ASSERT_EQ(read->devices().size(), 2U);
        EXPECT_TRUE(entryMatchesDevice(read->devices()[0], 0x04B8, 0x0E28));
        EXPECT_TRUE(entryMatchesDevice(read->devices()[1], 0x8000, 0xFFFF));
        EXPECT_EQ(read->application(), "/opt/tool with space/s\xC3\xA9tup \xF0\x9F\x98\x80");
        EXPECT_EQ(read->smLaunchAgentPath(),
                  (std::vector<std::string>{"/a.service", "/b.service"}));
        EXPECT_FALSE(read->usbMonitorLaunchAgentPath());
    }
}

TEST_F(PropertyLists, TheShippedSamplesAreReadable) {
    for (const char* name : {"wifiDevices.plist", "otherDevices.plist"}) {
        const std::optional<DeviceCatalogue> read =
            this->read(std::string(RUNNETLUME_SOURCE_DIR) + "/resources/" + name);
        ASSERT_TRUE(read) << name;
        EXPECT_FALSE(read->devices().empty());
    }
}

TEST_F(PropertyLists, MissingEmptyGarbageAndWrongRootAreUnreadable) {
    EXPECT_FALSE(read((folder_ / "absent.plist").string()));
    EXPECT_FALSE(read(write("empty.plist", "")));
    EXPECT_FALSE(read(write("text.plist", "not a property list at all\n")));
    EXPECT_FALSE(read(write("bplist.plist", std::string("bplist00\xff\xfe\x00\x01garbage", 19))));
    EXPECT_FALSE(read(folder_.string())); // a folder

    plist_t list = plist_new_array();
    plist_array_append_item(list, plist_new_string("x"));
    const Node array(list);
    EXPECT_FALSE(read(write("array.plist", xml(array))));
    EXPECT_FALSE(read(write("array.bplist", binary(array))));
}

// Every way XML may spell a text, as the tree holds it, and the texts that
// make the file unreadable (nothing expected).
TEST_F(PropertyLists, XmlTextsReadAsTheirCharactersInEveryForm) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"<string>/opt/setup</string>", "/opt/setup"},
        {"<string/>", ""},
        {"<string> </string>", " "},
        {"<string>a&amp;b&lt;&#x41;&#66;&gt;</string>", "a&b<AB>"},
        {"<string>&#x10FFFF;&#128512;</string>", "\xF4\x8F\xBF\xBF\xF0\x9F\x98\x80"},
        {"<string><![CDATA[x<y]]></string>", "x<y"},
        {"<string>a<![CDATA[&b]]>c&amp;</string>", "a&bc&"},
        {"<string>&#0;</string>", std::nullopt},
        {"<string>&bogus;</string>", std::nullopt},
        {"<string>&#xD800;</string>", std::nullopt},
        {"<string>a<b/></string>", std::nullopt},
        {"<array>text<string/></array>", std::nullopt},
        {"<string>x</string><key>devices</key><array/>text", std::nullopt},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        const std::optional<DeviceCatalogue> read = this->read(
            write("text.plist", "<plist><dict><key>application</key>" + value + "</dict></plist>"));
        ASSERT_EQ(read.has_value(), expected.has_value());
        if (expected) {
            EXPECT_EQ(read->application(), *expected);
        }
    }
    EXPECT_FALSE(read(write("outside.plist", "<plist>text<dict/></plist>")));
}

TEST_F(PropertyLists, EveryTruncationIsUnreadableOrHarmless) {
    const Node catalogue = sampleCatalogue();
    for (const std::string& whole : {xml(catalogue), binary(catalogue)}) {
        for (std::size_t cut = 0; cut < whole.size(); ++cut) {
            // Each cut must come back without crashing; a cut that still
            // parses may only yield entries of the original.
            const std::optional<DeviceCatalogue> read =
                this->read(write("cut.plist", whole.substr(0, cut)));
            if (read) {
                EXPECT_LE(read->devices().size(), 2U);
            }
        }
    }
}

TEST_F(PropertyLists, DeepNestingIsRefusedBeforeTheParserSeesIt) {
    const Node deep = nestedArrays(100'000);
    const std::string bin = binary(deep);
    EXPECT_LT(bin.size(), 1'000'000U);
    EXPECT_FALSE(read(write("deep.bplist", bin)));

    std::string deepXml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>devices</key>";
    for (int i = 0; i < 200'000; ++i)
        deepXml += "<array>";
    EXPECT_FALSE(read(write("deep.plist", deepXml)));

    // Comments cannot hide the nesting from the count.
    std::string hidden = "<plist><dict><key>devices</key>";
    for (int i = 0; i < 100; ++i)
        hidden += "<array><!-- </array> -->";
    EXPECT_FALSE(read(write("hidden.plist", hidden)));

    EXPECT_TRUE(read(write("fine.plist", xml(nestedArrays(40)))));
    EXPECT_TRUE(read(write("fine.bplist", binary(nestedArrays(40)))));
}

TEST_F(PropertyLists, BinaryReferenceCycleIsRefused) {
    // bplist00, object 0: array of one reference to itself.
    std::string data = "bplist00";
    data += std::string("\xA1\x00", 2); // object 0 at offset 8
    const std::size_t offsetTable = data.size();
    data += '\x08'; // offset of object 0
    std::string trailer(32, '\0');
    trailer[6] = 1;                               // offset size
    trailer[7] = 1;                               // reference size
    trailer[15] = 1;                              // one object
    trailer[31] = static_cast<char>(offsetTable); // offset table position
    data += trailer;
    EXPECT_FALSE(read(write("cycle.bplist", data)));
}

TEST_F(PropertyLists, OversizedFileIsRefused) {
    std::string big = xml(sampleCatalogue());
    big.insert(big.find("<dict>"), std::string(PlistFileReader::MaxFileSize, ' '));
    EXPECT_FALSE(read(write("big.plist", big)));
}

} // namespace
