// Which device each COM button stands for, the one a transfer opens, and the words for a port
// that did not open.
#include <gtest/gtest.h>

#include <cstring>

#include "base/IniFile.h"
#include "channels/CellInput.h"
#include "channels/ChannelCodec.h"
#include "channels/ChannelTable.h"
#include "link/DemoRadio.h"
#include "link/PortChoice.h"
#include "link/PortNames.h"
#include "settings/ProductBand.h"

namespace velmora {
namespace {

const PortDevices kDevices = {"/dev/ttyUSB0", "/dev/ttyS0", "", "/dev/ttyS1"};

TEST(PortNames, MapsButtonsToDevicesUsbFirstStoredNamesWin) {
    const auto S = [](const char* device) { return FoundPort{device, false}; };
    const auto U = [](const char* device) { return FoundPort{device, true}; };
    const std::string radio = "/tmp/radio";
    const struct {
        const char* name;
        std::vector<FoundPort> found;
        StoredPortNames stored;
        PortDevices expected;
    } cases[] = {
        // clang-format off
        {"nothing found", {}, {}, {"", "", "", ""}},
        {"usb adapters ahead of built-in ports, each in the order found",
         {S("/dev/ttyS0"), U("/dev/ttyUSB1"), S("/dev/ttyS1"), U("/dev/ttyACM0")}, {},
         {"/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyS1"}},
        {"more ports than buttons",
         {S("/dev/ttyS0"), S("/dev/ttyS1"), S("/dev/ttyS2"), S("/dev/ttyS3"), U("/dev/ttyUSB0")}, {},
         {"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2"}},
        {"a stored name keeps its button and is not repeated", {U("/dev/ttyUSB0"), U("/dev/ttyUSB1")},
         {std::nullopt, std::nullopt, std::string("/dev/ttyUSB0"), std::nullopt}, {"/dev/ttyUSB1", "", "/dev/ttyUSB0", ""}},
        {"a stored name for a device not found still stands", {S("/dev/ttyS0")},
         {radio, std::nullopt, std::nullopt, std::string("")}, {"/tmp/radio", "/dev/ttyS0", "", ""}},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapPortDevices(c.found, c.stored, false), c.expected) << c.name;
    }
    EXPECT_EQ(MapPortDevices(std::vector{U("/dev/ttyUSB0")}, {radio, {}, {}, {}}, true),
              (PortDevices{"COM1", "COM2", "COM3", "COM4"}));
}

TEST(PortNames, CommandLinePortIsButtonNameOrPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyUSB0"}, {"com2", "/dev/ttyS0"},
        {"Com4", "/dev/ttyS1"},   {"COM3", ""},
        {"COM5", "COM5"},         {"COM0", "COM0"},
        {"COM12", "COM12"},       {"/dev/pts/3", "/dev/pts/3"},
        {"ttyUSB0", "ttyUSB0"},
    };
    for (const auto& [given, expected] : cases) {
        EXPECT_EQ(ResolvePortName(given, kDevices), expected) << given;
    }
}

TEST(PortNames, OpenFailureExplanations) {
    const std::string group = "Add your user to its group ";
    const struct {
        OpenResult result;
        PortFacts facts;
        Language lang;
        std::string expected;
    } cases[] = {
        // clang-format off
        {OpenResult::NotFound, {}, Language::English, "No such device: /dev/ttyUSB0"},
        {OpenResult::NotFound, {}, Language::Chinese, "没有这个设备: /dev/ttyUSB0"},
        {OpenResult::Busy, {}, Language::English, "/dev/ttyUSB0 is in use by another program."},
        {OpenResult::Busy, {"dialout", 812, "minicom", ""}, Language::English, "/dev/ttyUSB0 is in use by minicom (process 812)."},
        {OpenResult::Busy, {"", 1, "", ""}, Language::English, "/dev/ttyUSB0 is in use by ? (process 1)."},
        {OpenResult::NoPermission, {"uucp", 0, "", ""}, Language::English,
         "No permission to use /dev/ttyUSB0. " + group + "uucp: sudo usermod -aG uucp $USER, then log out and back in."},
        {OpenResult::NoPermission, {}, Language::English,
         "No permission to use /dev/ttyUSB0. " + group + "dialout: sudo usermod -aG dialout $USER, then log out and back in."},
        {OpenResult::Failed, {"", 0, "", "Input/output error"}, Language::English, "/dev/ttyUSB0: Input/output error"},
        {OpenResult::Failed, {}, Language::English, "/dev/ttyUSB0"},
        {OpenResult::Ok, {}, Language::English, ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExplainOpenFailure(c.result, "/dev/ttyUSB0", c.facts, c.lang), c.expected);
    }
}

TEST(PortNames, LockFilesNameTheirOwner) {
    const std::int32_t binaryPid = 4321;
    std::string binary(4, '\0');
    std::memcpy(binary.data(), &binaryPid, 4);
    const std::pair<std::string, LockOwner> cases[] = {
        {"      1234\n", {1234, ""}}, // UUCP text
        {"     77\n", {77, ""}},      {"1234\nminicom\nhost\n", {1234, "minicom"}},
        {binary, {4321, ""}},         {"", {0, ""}},
        {"garbage\n", {0, ""}},       {"-5\n", {0, ""}},
    };
    for (const auto& [content, expected] : cases) {
        const LockOwner owner = ParseLockFile(content);
        EXPECT_EQ(owner.pid, expected.pid) << content;
        EXPECT_EQ(owner.program, expected.program) << content;
    }
    EXPECT_EQ(LockFileName("/dev/ttyUSB0"), "LCK..ttyUSB0");
    EXPECT_EQ(LockFileName("/dev/pts/3"), "LCK..pts_3");
    EXPECT_EQ(LockFileName("/tmp/radio"), "LCK.._tmp_radio");
}

TEST(PortNames, LatencyHintOnlyAboveOneMillisecond) {
    EXPECT_EQ(LatencyHint("/dev/ttyUSB0", 1, Language::English), "");
    EXPECT_EQ(LatencyHint("/dev/ttyUSB0", 0, Language::English), "");
    EXPECT_EQ(LatencyHint("/dev/ttyUSB0", 2, Language::English).substr(0, 40),
              "/dev/ttyUSB0 holds received bytes for 2 ");
    EXPECT_EQ(LatencyHint("/dev/ttyUSB0", 16, Language::English),
              "/dev/ttyUSB0 holds received bytes for 16 ms (latency_timer), which slows every "
              "transfer. A udev rule sets it to 1 ms: ACTION==\"add\", "
              "SUBSYSTEM==\"usb-serial\", DRIVER==\"ftdi_sio\", ATTR{latency_timer}=\"1\"");
}

// The stored "com" value selects a button (missing: COM1; outside 1..4: none) and, until the
// user confirms a choice, its device, falling back to COM1's. A confirmed button without a
// device, or none, names a port that does not exist, so the transfer says it cannot open it.
TEST(PortChoice, GivesTheDeviceATransferOpens) {
    constexpr int kNoChoice = -9;
    const struct {
        std::optional<std::int32_t> stored;
        int chosen; // Choose(chosen) unless kNoChoice
        const char* demo;
        int button;
        const char* device;
    } cases[] = {
        {std::nullopt, kNoChoice, "", 0, "/dev/ttyUSB0"},
        {2, kNoChoice, "", 1, "/dev/ttyS0"},
        {3, kNoChoice, "", 2, "/dev/ttyUSB0"},
        {4, kNoChoice, "", 3, "/dev/ttyS1"},
        {0, kNoChoice, "", -1, "/dev/ttyUSB0"},
        {5, kNoChoice, "", -1, "/dev/ttyUSB0"},
        {3, 2, "", 2, "com3"},
        {1, 3, "", 3, "/dev/ttyS1"},
        {1, -1, "", -1, "com0"},
        {1, 4, "", -1, "com0"},
        {3, kNoChoice, "/dev/pts/7", 0, "/dev/pts/7"},
        {2, 3, "/dev/pts/7", 3, "/dev/ttyS1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.stored.value_or(-99)) + " " + std::to_string(c.chosen));
        PortChoice choice(c.stored);
        if (*c.demo) {
            choice.UseDemoRadio(c.demo);
        }
        if (c.chosen != kNoChoice) {
            choice.Choose(c.chosen);
        }
        EXPECT_EQ(choice.Button(), c.button);
        EXPECT_EQ(choice.DeviceToOpen(kDevices), c.device);
        EXPECT_EQ(choice.HasDemoRadio(), *c.demo != '\0');
        EXPECT_EQ(choice.Devices(kDevices),
                  (PortDevices{*c.demo ? c.demo : "/dev/ttyUSB0", "/dev/ttyS0", "", "/dev/ttyS1"}));
    }
    // The demo radio's club list starts at channel 0.
    EXPECT_EQ(DecodeChannel(DemoRadioMemory(), 0, Language::English)[7], "CALL");
}

// The demo radio names a type and band of the shipped Program.ini that hold every channel of
// its list, so a first read shows the list without a frequency refused as out of band.
TEST(DemoRadioTest, ItsChannelsLieInTheBandItsMemoryNames) {
    CIniFile ini;
    ASSERT_TRUE(ini.Load(VELMORA_TEST_DATA "/../../config/Program.ini", false, true));
    const ProductCatalog catalog =
        LoadProductCatalog([&](std::string_view section,
                               std::string_view key) { return ini.GetValue(section, key, ""); },
                           "English");
    const MemoryImage memory = DemoRadioMemory();
    const std::vector<std::string> bands = BandsOfType(catalog, memory[offset::TypeIndex]);
    ASSERT_LT(memory[offset::BandIndex], bands.size());
    const BandLimits band = BandLimitsFor(bands[memory[offset::BandIndex]]);
    for (int channel = 0; channel < kChannelCount; ++channel) {
        for (const std::string& text : {DecodeChannel(memory, channel, Language::English)[0],
                                        DecodeChannel(memory, channel, Language::English)[1]}) {
            if (const std::optional<std::int32_t> f = ParseFrequencyText(text)) {
                EXPECT_GE(*f, band.low) << channel;
                EXPECT_LE(*f, band.high) << channel;
            }
        }
    }
}

} // namespace
} // namespace velmora
