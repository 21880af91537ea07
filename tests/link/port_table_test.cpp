#include "link/port_table.h"

#include <gtest/gtest.h>

using namespace qv;

struct OverrideCase {
    const char* name;
    const char* text;
    int port; // 0: refused
    const char* device;
};

class PortOverride : public ::testing::TestWithParam<OverrideCase> {};

TEST_P(PortOverride, ParsesComNEqualsDevice) {
    const auto& c = GetParam();
    const auto entry = PortTable::parseOverride(c.text);
    if (c.port == 0) {
        EXPECT_FALSE(entry.has_value());
        return;
    }
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->first, c.port);
    EXPECT_EQ(entry->second, c.device);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortOverride,
    ::testing::Values(OverrideCase{"FirstPort", "COM1=/dev/pts/3", 1, "/dev/pts/3"},
                      OverrideCase{"LastPort", "COM16=/dev/ttyUSB4", 16, "/dev/ttyUSB4"},
                      OverrideCase{"LowerCaseName", "com2=/dev/ttyS1", 2, "/dev/ttyS1"},
                      OverrideCase{"EqualsSignInTheDevice", "COM3=/tmp/a=b", 3, "/tmp/a=b"},
                      OverrideCase{"PortZero", "COM0=/dev/x", 0, ""},
                      OverrideCase{"LeadingZero", "COM01=/dev/x", 0, ""},
                      OverrideCase{"BeyondTheList", "COM17=/dev/x", 0, ""},
                      OverrideCase{"NoDevice", "COM1=", 0, ""},
                      OverrideCase{"NoEqualsSign", "COM1", 0, ""},
                      OverrideCase{"NotACom", "LPT1=/dev/x", 0, ""},
                      OverrideCase{"NoNumber", "COM=/dev/x", 0, ""},
                      OverrideCase{"Letters", "COM1a=/dev/x", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PortTable, PutsUsbAdaptersAndAcmDevicesBeforeTheBuiltInPorts) {
    PortTable t;
    t.assign({{"/dev/ttyS10", false},
              {"/dev/ttyS2", false},
              {"/dev/ttyACM0", true},
              {"/dev/ttyUSB10", true},
              {"/dev/ttyUSB2", true},
              {"/dev/ttyAMA0", false},
              {"/dev/rfcomm0", true}});
    const std::vector<std::string> expected = {"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0",
                                               "/dev/rfcomm0", "/dev/ttyAMA0",  "/dev/ttyS2",
                                               "/dev/ttyS10"};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(t.device(static_cast<int>(i) + 1), expected[i]) << "COM" << i + 1;
    EXPECT_EQ(t.device(8), "");
    EXPECT_EQ(t.describe(8), "no device");
}

TEST(PortTable, APinnedEntryKeepsItsDeviceAndTheOthersFillTheRest) {
    PortTable t;
    t.setOverride(1, "/dev/pts/3");
    t.setOverride(3, "/dev/ttyUSB1");
    t.assign({{"/dev/ttyUSB0", true}, {"/dev/ttyUSB1", true}, {"/dev/ttyS0", false}});
    EXPECT_EQ(t.device(1), "/dev/pts/3");
    EXPECT_EQ(t.device(2), "/dev/ttyUSB0");
    EXPECT_EQ(t.device(3), "/dev/ttyUSB1");
    EXPECT_EQ(t.device(4), "/dev/ttyS0"); // ttyUSB1 is not listed twice
    EXPECT_EQ(t.describe(1), "/dev/pts/3 (from --port)");
    EXPECT_EQ(t.describe(2), "/dev/ttyUSB0");
    EXPECT_TRUE(t.pinned(3));
    EXPECT_FALSE(t.pinned(4));
}

TEST(PortTable, TakesNoMoreThanSixteenDevicesAndRefusesOtherNumbers) {
    PortTable t;
    std::vector<SerialDevice> many;
    for (int i = 0; i < 20; ++i)
        many.push_back({"/dev/ttyS" + std::to_string(i), false});
    t.assign(many);
    EXPECT_EQ(t.device(16), "/dev/ttyS15");
    EXPECT_EQ(t.device(0), "");
    EXPECT_EQ(t.device(17), "");
    t.setOverride(17, "/dev/x");
    EXPECT_EQ(t.device(17), "");
}

TEST(PortTable, ReportsWhetherAScanMovedAnEntry) {
    PortTable t;
    EXPECT_TRUE(t.assign({{"/dev/ttyS0", false}}));
    EXPECT_FALSE(t.assign({{"/dev/ttyS0", false}}));
    EXPECT_TRUE(t.assign({{"/dev/ttyUSB0", true}, {"/dev/ttyS0", false}}));
    EXPECT_TRUE(t.assign({}));
}
