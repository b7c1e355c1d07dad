// The real-port adapter on pseudo-terminals: what a purge keeps (also for a transfer thread held
// up at the worst moment), its first-byte time-out, and a device that goes away mid-transfer.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <thread>

#include "link/LinkTestSupport.h"
#include "link/QtSerialLink.h"
#include "link/RadioProtocol.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

// The far end of a pseudo-terminal, worked by the test itself: each byte arrives when it says.
struct FarEnd {
    FarEnd() {
        ::grantpt(master);
        ::unlockpt(master);
    }
    ~FarEnd() { ::close(master); }
    // Sends the bytes and gives them time to reach the program's input queue.
    void Send(const std::vector<std::uint8_t>& bytes) const {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        std::this_thread::sleep_for(30ms);
    }
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
};

// The handshake purges straight after sending its acknowledgement 0x06, and the radio confirms
// one byte time later. A transfer thread held up between the write and the purge (here 30 ms)
// must not lose that confirmation: what arrived after the write began stays, what was waiting
// before it goes. A purge after a pause or a read drops everything.
TEST(QtSerialLink, APurgeStraightAfterAWriteKeepsTheAnswerToIt) {
    const FarEnd radio;
    QtSerialLink link;
    ASSERT_EQ(link.Open(::ptsname(radio.master)), OpenResult::Ok);
    link.Configure();
    // The byte a one-byte read gets after the purge, or -1 once it has waited 590 ms for one.
    const auto next = [&link] {
        const auto start = std::chrono::steady_clock::now();
        std::uint8_t byte = 0;
        std::size_t got = 0;
        const IoResult result = link.Read({&byte, 1}, got);
        if (result == IoResult::Ok) {
            return int{byte};
        }
        EXPECT_EQ(result, IoResult::TimedOut);
        EXPECT_GE(std::chrono::steady_clock::now() - start, 590ms);
        return -1;
    };
    const std::uint8_t ack = 0x06;
    radio.Send({0x55, 0x56, 0x57});
    ASSERT_EQ(link.Write({&ack, 1}), IoResult::Ok);
    radio.Send({0x06});
    link.Purge();
    EXPECT_EQ(next(), 0x06);

    ASSERT_EQ(link.Write({&ack, 1}), IoResult::Ok);
    radio.Send({0x06});
    link.Sleep(1ms);
    link.Purge();
    EXPECT_EQ(next(), -1) << "after a pause";

    ASSERT_EQ(link.Write({&ack, 1}), IoResult::Ok);
    radio.Send({0x57, 0x00, 0x06});
    EXPECT_EQ(next(), 0x57);
    link.Purge();
    EXPECT_EQ(next(), -1) << "after a read";
}

// The transfer thread notices a device that went away at once, not after its time-outs. (Both
// directions on the simulated link: link_core_test Radio/FaultTest HangUpRead, HangUpWrite.)
TEST(QtSerialLink, TransferEndsWithin100msOfTheDeviceGoingAway) {
    auto radio = test::StartPtyRadio(test::Pattern(5), {RadioFault::HangUpAtBlock, 200});
    ASSERT_TRUE(radio);
    test::ScriptedUser user;
    TransferResult result;
    std::chrono::steady_clock::time_point ended;
    std::thread transfer([&] {
        QtSerialLink link;
        MemoryImage image = test::Pattern(9);
        result = RunTransfer(link, radio->DevicePath(), TransferDirection::Write, image, user);
        ended = std::chrono::steady_clock::now();
    });
    while (!radio->HungUp()) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const auto hungUp = std::chrono::steady_clock::now();
    transfer.join();
    EXPECT_EQ(result.outcome, TransferOutcome::ConnectionLost);
    EXPECT_EQ(user.messages, std::vector<std::string>{std::string(txt::MsgConnectionLost.en)});
    EXPECT_LT(ended - hungUp, 100ms);
}

} // namespace
} // namespace velmora
