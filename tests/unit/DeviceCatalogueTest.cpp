// SPDX-License-Identifier: MIT
// Reading ids from catalogue text, matching devices, and taking what a
// catalogue holds while passing over what it should not.
#include "app/detection/DeviceCatalogue.h"
#include "tests/fakes/FakePlatform.h"

#include <gtest/gtest.h>

using namespace fakes;

namespace {

struct ScanCase {
    const char* text;
    std::optional<std::uint32_t> value;
};

class HexScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(HexScan, ReadsLikeTheOriginalScanner) {
    EXPECT_EQ(scanHexInt(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HexScan,
    ::testing::Values(ScanCase{"0x00AB", 0xAB}, ScanCase{"00ab", 0xAB}, ScanCase{"AB", 0xAB},
                      ScanCase{"ab", 0xAB}, ScanCase{"  \t\n\r0XaB", 0xAB},
                      ScanCase{"AB and a remark", 0xAB},
                      ScanCase{"\xC2\xA0"
                               "ab",
                               0xAB},
                      ScanCase{"\xE2\x80\xA8"
                               "0x1F",
                               0x1F},
                      ScanCase{"0x", 0}, ScanCase{"0xg1", 0}, ScanCase{"FFFFFFFF", 0xFFFFFFFFu},
                      ScanCase{"100000000", 0xFFFFFFFFu},
                      ScanCase{"123456789ABCDEF0123", 0xFFFFFFFFu}, ScanCase{"", std::nullopt},
                      ScanCase{"   ", std::nullopt}, ScanCase{"xyz", std::nullopt},
                      ScanCase{"-12", std::nullopt}, ScanCase{"0x-1", 0}));

TEST(EntryMatch, ComparesVendorThenProductAfterWideningWithZeros) {
    EXPECT_TRUE(entryMatchesDevice({"0x04B8", "0x0E28"}, 0x04B8, 0x0E28));
    EXPECT_TRUE(entryMatchesDevice({"8000", "FFFF"}, 0x8000, 0xFFFF));
    EXPECT_FALSE(entryMatchesDevice({"0E28", "04B8"}, 0x04B8, 0x0E28));
    EXPECT_FALSE(entryMatchesDevice({"104B8", "0E28"}, 0x04B8, 0x0E28));
    EXPECT_FALSE(entryMatchesDevice({"FFFF8000", "FFFF"}, 0x8000, 0xFFFF));
}

TEST(EntryMatch, EntryWithoutTwoReadableIdsMatchesNothingNotEvenZero) {
    EXPECT_FALSE(entryMatchesDevice({std::nullopt, "0"}, 0, 0));
    EXPECT_FALSE(entryMatchesDevice({"0", std::nullopt}, 0, 0));
    EXPECT_FALSE(entryMatchesDevice({"zz", "0"}, 0, 0));
    EXPECT_FALSE(entryMatchesDevice({"", ""}, 0, 0));
    EXPECT_TRUE(entryMatchesDevice({"0", "0"}, 0, 0));
}

TEST(CatalogueContent, TakesEveryKeyInFileOrder) {
    const DeviceCatalogue catalogue = DeviceCatalogue::fromPropertyList(
        dict({{"devices", array({entry("1", "2"), entry("3", "4")})},
              {"application", str("/opt/tool")},
              {"smLaunchAgentPath", array({str("/a"), str("/b")})},
              {"usbMonitorLaunchAgentPath", str("/m")},
              {"somethingElse", str("ignored")}}));
    ASSERT_EQ(catalogue.devices().size(), 2U);
    EXPECT_EQ(catalogue.devices()[1].usbIds()->vid, 3);
    EXPECT_EQ(catalogue.application(), "/opt/tool");
    EXPECT_EQ(catalogue.smLaunchAgentPath(), (std::vector<std::string>{"/a", "/b"}));
    EXPECT_EQ(catalogue.usbMonitorLaunchAgentPath(), "/m");
}

TEST(CatalogueContent, ValuesOfTheWrongTypeArePassedOver) {
    platform::PlistValue number; // any non-string value
    const DeviceCatalogue catalogue = DeviceCatalogue::fromPropertyList(
        dict({{"devices", array({str("not an entry"), dict({{"vid", number}, {"pid", str("1")}}),
                                 entry("5", "6")})},
              {"application", array({})},
              {"smLaunchAgentPath", array({number, str("/only"), array({})})},
              {"usbMonitorLaunchAgentPath", dict({})}}));
    ASSERT_EQ(catalogue.devices().size(), 2U);
    EXPECT_FALSE(catalogue.devices()[0].usbIds().has_value()); // its vid is no string
    EXPECT_FALSE(catalogue.application().has_value());
    EXPECT_EQ(catalogue.smLaunchAgentPath(), (std::vector<std::string>{"/only"}));
    EXPECT_FALSE(catalogue.usbMonitorLaunchAgentPath().has_value());

    const DeviceCatalogue devicesNotArray =
        DeviceCatalogue::fromPropertyList(dict({{"devices", entry("1", "2")}}));
    EXPECT_TRUE(devicesNotArray.devices().empty());
}

TEST(CatalogueLoading, IsReadAfreshAtEveryUseAndEmptyWhenMissing) {
    FakePlatform platform;
    EXPECT_TRUE(loadDeviceCatalogue(platform, "wifiDevices").devices().empty());

    platform.setCatalogue("wifiDevices", devicesCatalogue({entry("1", "2")}));
    EXPECT_EQ(loadDeviceCatalogue(platform, "wifiDevices").devices().size(), 1U);
    platform.setCatalogue("wifiDevices", devicesCatalogue({entry("1", "2"), entry("3", "4")}));
    EXPECT_EQ(loadDeviceCatalogue(platform, "wifiDevices").devices().size(), 2U);
    EXPECT_EQ(platform.plists.reads.size(), 2U);

    platform.setCatalogue("otherDevices", array({}));
    EXPECT_TRUE(loadDeviceCatalogue(platform, "otherDevices").devices().empty());
}

} // namespace
