// SPDX-License-Identifier: MIT
// Every class of catalogue that once crashed, hung or bloated the reader, at
// full size, read from real files: each ends as the printer found or as an
// unreadable (empty) catalogue.
#include "app/detection/DeviceCatalogue.h"
#include "platform/linux/PlistFileReader.h"
#include "tests/fuzz/HostileCatalogues.h"
#include "tests/integration/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;
using platform::linux_backend::PlistFileReader;
using platform::linux_backend::PlistProblem;
using platform::linux_backend::readPropertyListFile;

namespace {

class HostileCatalogues : public ::testing::Test {
protected:
    static void SetUpTestSuite() { samples_ = hostile::samples(hostile::FullSize); }
    void SetUp() override { folder_ = freshTestFolder("hostile"); }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const hostile::Sample& sample) const {
        const fs::path path = folder_ / sample.name;
        std::ofstream(path, std::ios::binary) << sample.bytes;
        return path;
    }

    static std::vector<hostile::Sample> samples_;
    fs::path folder_;
};

std::vector<hostile::Sample> HostileCatalogues::samples_;

TEST_F(HostileCatalogues, EachClassIsFoundOrUnreadableNeverHalfRead) {
    for (const hostile::Sample& sample : samples_) {
        SCOPED_TRACE(sample.name);
        EXPECT_LE(sample.bytes.size(), PlistFileReader::MaxFileSize);
        const auto root = readPropertyListFile(write(sample));
        if (!sample.readable) {
            ASSERT_FALSE(root);
            continue;
        }
        ASSERT_TRUE(root) << root.failure().message;
        const DeviceCatalogue catalogue = DeviceCatalogue::fromPropertyList(root.value().root());
        bool found = false;
        for (const CatalogueEntry& entry : catalogue.devices())
            found = found || entryMatchesDevice(entry, 0x04B8, 0x0E28);
        EXPECT_TRUE(found);
    }
}

TEST_F(HostileCatalogues, ProblemsNameTheirKind) {
    const std::map<std::string, PlistProblem::Kind> expected = {
        {"nul-xml-reference", PlistProblem::Kind::Nul},
        {"nul-xml-raw-key", PlistProblem::Kind::Nul},
        {"nul-binary-ascii", PlistProblem::Kind::Nul},
        {"nul-binary-utf16", PlistProblem::Kind::Nul},
        {"nul-binary-key", PlistProblem::Kind::Nul},
        {"deep-xml-doctype-subset", PlistProblem::Kind::Depth},
        {"deep-xml-quoted-attribute", PlistProblem::Kind::Depth},
        {"expanding-binary-shared-string", PlistProblem::Kind::Size},
        {"deep-binary", PlistProblem::Kind::Depth},
        {"cycle-binary", PlistProblem::Kind::Depth},
    };
    for (const hostile::Sample& sample : samples_) {
        const auto kind = expected.find(sample.name);
        if (kind == expected.end()) continue;
        const auto root = readPropertyListFile(write(sample));
        ASSERT_FALSE(root) << sample.name;
        EXPECT_EQ(root.failure().kind, kind->second)
            << sample.name << ": " << root.failure().message;
    }
}

} // namespace
