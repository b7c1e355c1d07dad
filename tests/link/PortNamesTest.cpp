// Which device each COM button stands for, the one a transfer opens, and the words for a port
// that did not open.
#include <gtest/gtest.h>

#include <cstring>

#include "link/PortChoice.h"
#include "link/PortNames.h"

namespace velmora {
namespace {

struct MappingCase {
    const char* name;
    std::vector<FoundPort> found;
    StoredPortNames stored;
    PortDevices expected;
};

TEST(PortNames, MapsButtonsToDevicesUsbFirstStoredNamesWin) {
    const std::vector<MappingCase> cases = {
        {"nothing found", {}, {}, {"", "", "", ""}},
        {"usb adapters ahead of built-in ports, each in the order found",
         {{"/dev/ttyS0", false},
          {"/dev/ttyUSB1", true},
          {"/dev/ttyS1", false},
          {"/dev/ttyACM0", true}},
         {},
         {"/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyS1"}},
        {"more ports than buttons",
         {{"/dev/ttyS0", false},
          {"/dev/ttyS1", false},
          {"/dev/ttyS2", false},
          {"/dev/ttyS3", false},
          {"/dev/ttyUSB0", true}},
         {},
         {"/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2"}},
        {"a stored name keeps its button and is not repeated",
         {{"/dev/ttyUSB0", true}, {"/dev/ttyUSB1", true}},
         {std::nullopt, std::nullopt, std::string("/dev/ttyUSB0"), std::nullopt},
         {"/dev/ttyUSB1", "", "/dev/ttyUSB0", ""}},
        {"a stored name for a device not found still stands",
         {{"/dev/ttyS0", false}},
         {std::string("/tmp/radio"), std::nullopt, std::nullopt, std::string("")},
         {"/tmp/radio", "/dev/ttyS0", "", ""}},
    };
    for (const MappingCase& c : cases) {
        EXPECT_EQ(MapPortDevices(c.found, c.stored, false), c.expected) << c.name;
    }
    const std::vector<FoundPort> found = {{"/dev/ttyUSB0", true}};
    EXPECT_EQ(MapPortDevices(found, {std::string("/x"), {}, {}, {}}, true),
              (PortDevices{"COM1", "COM2", "COM3", "COM4"}));
}

TEST(PortNames, StoredChoiceSelectsButtonAndStartingPort) {
    const PortDevices devices = {"/dev/ttyUSB0", "/dev/ttyS0", "", "/dev/ttyS1"};
    struct Case {
        std::optional<std::int32_t> stored;
        int button;
        const char* port;
    };
    const Case cases[] = {
        {std::nullopt, 0, "/dev/ttyUSB0"}, // first start
        {1, 0, "/dev/ttyUSB0"},
        {2, 1, "/dev/ttyS0"},
        {3, 2, "/dev/ttyUSB0"}, // nothing stands for COM3
        {4, 3, "/dev/ttyS1"},
        {0, -1, "/dev/ttyUSB0"},
        {5, -1, "/dev/ttyUSB0"},
        {-1, -1, "/dev/ttyUSB0"},
    };
    for (const Case& c : cases) {
        const int stored = c.stored.value_or(-999);
        EXPECT_EQ(PreselectedButton(c.stored), c.button) << stored;
        EXPECT_EQ(InitialPortName(c.stored, devices), c.port) << stored;
    }
}

TEST(PortNames, CommandLinePortIsButtonNameOrPath) {
    const PortDevices devices = {"/dev/ttyUSB0", "/dev/ttyS0", "", "/dev/ttyS1"};
    const std::pair<const char*, const char*> cases[] = {
        {"COM1", "/dev/ttyUSB0"}, {"com2", "/dev/ttyS0"},
        {"Com4", "/dev/ttyS1"},   {"COM3", ""},
        {"COM5", "COM5"},         {"COM0", "COM0"},
        {"COM12", "COM12"},       {"/dev/pts/3", "/dev/pts/3"},
        {"ttyUSB0", "ttyUSB0"},
    };
    for (const auto& [given, expected] : cases) {
        EXPECT_EQ(ResolvePortName(given, devices), expected) << given;
    }
}

TEST(PortNames, OpenFailureExplanations) {
    struct Case {
        OpenResult result;
        PortFacts facts;
        Language lang;
        const char* expected;
    };
    const Case cases[] = {
        {OpenResult::NotFound, {}, Language::English, "No such device: /dev/ttyUSB0"},
        {OpenResult::NotFound, {}, Language::Chinese, "没有这个设备: /dev/ttyUSB0"},
        {OpenResult::Busy, {}, Language::English, "/dev/ttyUSB0 is in use by another program."},
        {OpenResult::Busy,
         {"dialout", 812, "minicom", ""},
         Language::English,
         "/dev/ttyUSB0 is in use by minicom (process 812)."},
        {OpenResult::Busy,
         {"dialout", 812, "", ""},
         Language::English,
         "/dev/ttyUSB0 is in use by ? (process 812)."},
        {OpenResult::NoPermission,
         {"uucp", 0, "", ""},
         Language::English,
         "No permission to use /dev/ttyUSB0. Add your user to its group uucp: sudo usermod -aG "
         "uucp $USER, then log out and back in."},
        {OpenResult::NoPermission,
         {},
         Language::English,
         "No permission to use /dev/ttyUSB0. Add your user to its group dialout: sudo usermod "
         "-aG dialout $USER, then log out and back in."},
        {OpenResult::Failed,
         {"", 0, "", "Input/output error"},
         Language::English,
         "/dev/ttyUSB0: Input/output error"},
        {OpenResult::Failed, {}, Language::English, "/dev/ttyUSB0"},
        {OpenResult::Ok, {}, Language::English, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExplainOpenFailure(c.result, "/dev/ttyUSB0", c.facts, c.lang), c.expected);
    }
}

TEST(PortNames, LockFilesNameTheirOwner) {
    const std::int32_t binaryPid = 4321;
    std::string binary(4, '\0');
    std::memcpy(binary.data(), &binaryPid, 4);
    const std::pair<std::string, LockOwner> cases[] = {
        {"      1234\n", {1234, ""}}, // UUCP text
        {"1234\nminicom\nhost\n", {1234, "minicom"}},
        {binary, {4321, ""}},
        {"", {0, ""}},
        {"garbage\n", {0, ""}},
        {"-5\n", {0, ""}},
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

// Until the user confirms a choice the stored one stands, falling back to COM1's device; a
// confirmed button without a device names a port that does not exist, so the transfer says so.
TEST(PortChoice, GivesTheDeviceATransferOpens) {
    const PortDevices found = {"/dev/ttyUSB0", "/dev/ttyS0", "", "/dev/ttyS1"};
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
        {0, kNoChoice, "", -1, "/dev/ttyUSB0"},
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
        if (*c.demo != '\0') {
            choice.UseDemoRadio(c.demo);
        }
        if (c.chosen != kNoChoice) {
            choice.Choose(c.chosen);
        }
        EXPECT_EQ(choice.Button(), c.button);
        EXPECT_EQ(choice.DeviceToOpen(found), c.device);
        EXPECT_EQ(choice.HasDemoRadio(), *c.demo != '\0');
        EXPECT_EQ(choice.Devices(found),
                  (PortDevices{*c.demo ? c.demo : "/dev/ttyUSB0", "/dev/ttyS0", "", "/dev/ttyS1"}));
    }
}

} // namespace
} // namespace velmora
