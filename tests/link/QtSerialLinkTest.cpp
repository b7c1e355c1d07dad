// The real-port adapter on pseudo-terminals: what a purge keeps (also for a transfer thread held
// up at the worst moment), its first-byte time-out, and a device that goes away mid-transfer.
#include <gtest/gtest.h>

#include <QCoreApplication>

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

// The far end of a pseudo-terminal, worked by the test itself: each byte arrives exactly when
// the test says, as from a radio whose answer beats the program's next call.
class FarEnd {
public:
    FarEnd() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master_);
        ::unlockpt(master_);
        path_ = ::ptsname(master_);
    }
    ~FarEnd() { ::close(master_); }
    const std::string& Path() const { return path_; }
    // Sends the bytes and gives them time to reach the program's input queue.
    void Send(std::vector<std::uint8_t> bytes) {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        std::this_thread::sleep_for(30ms);
    }

private:
    int master_ = -1;
    std::string path_;
};

// The handshake purges straight after sending its acknowledgement 0x06, and the radio confirms
// one byte time later. A transfer thread held up between the write and the purge (here for the
// 30 ms the test takes to send) must not lose that confirmation: what arrived after the write began
// is the radio's answer and stays; what was waiting before it goes. A purge after a pause or a read
// drops everything, as before. A one-byte read that gets nothing waits 590 ms for it.
TEST(QtSerialLink, APurgeStraightAfterAWriteKeepsTheAnswerToIt) {
    enum class Between { Nothing, Pause, Read };
    const struct {
        const char* what;
        std::vector<std::uint8_t> before; // waiting before the write
        Between between;                  // what the program does between the write and purge
        std::vector<std::uint8_t> after;  // the answer, in before the purge
        std::vector<std::uint8_t> read;   // what the program reads after the purge
    } cases[] = {
        {"answer kept", {}, Between::Nothing, {0x06}, {0x06}},
        {"stale bytes dropped, answer kept", {0x55, 0x56, 0x57}, Between::Nothing, {0x06}, {0x06}},
        {"nothing came", {0x55}, Between::Nothing, {}, {}},
        {"after a pause everything goes", {0x55}, Between::Pause, {0x06}, {}},
        {"after a read everything goes", {}, Between::Read, {0x57, 0x00, 0x01, 0x06}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FarEnd radio;
        QtSerialLink link;
        ASSERT_EQ(link.Open(radio.Path()), OpenResult::Ok);
        link.Configure();
        radio.Send(c.before);
        const std::uint8_t ack = 0x06;
        ASSERT_EQ(link.Write({&ack, 1}), IoResult::Ok);
        radio.Send(c.after);
        std::uint8_t buf[2] = {};
        std::size_t got = 0;
        if (c.between == Between::Pause) {
            link.Sleep(1ms);
        } else if (c.between == Between::Read) {
            ASSERT_EQ(link.Read(buf, got), IoResult::Ok);
        }
        link.Purge();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(link.Read({buf, 1}, got), c.read.empty() ? IoResult::TimedOut : IoResult::Ok);
        EXPECT_EQ(std::vector<std::uint8_t>(buf, buf + got), c.read);
        if (c.read.empty()) {
            EXPECT_GE(std::chrono::steady_clock::now() - start, 590ms);
        }
        link.Close();
    }
}

// The transfer thread notices a device that went away at once, not after its time-outs.
TEST(QtSerialLink, TransferEndsWithin100msOfTheDeviceGoingAway) {
    const struct {
        TransferDirection direction;
        bool byFault; // the radio's hang-up fault, or the device closed from outside
    } cases[] = {{TransferDirection::Write, true}, {TransferDirection::Read, false}};
    for (const auto& c : cases) {
        auto radio = test::StartPtyRadio(test::Pattern(5),
                                         c.byFault ? RadioBehaviour{RadioFault::HangUpAtBlock, 200}
                                                   : RadioBehaviour{});
        ASSERT_TRUE(radio);
        test::ScriptedUser user;
        TransferResult result;
        std::chrono::steady_clock::time_point ended;
        std::thread transfer([&] {
            QtSerialLink link;
            MemoryImage image = test::Pattern(9);
            result = RunTransfer(link, radio->DevicePath(), c.direction, image, user);
            ended = std::chrono::steady_clock::now();
        });
        if (!c.byFault) {
            while (radio->ReadBlocksSent() < 200) {
                std::this_thread::sleep_for(1ms);
            }
            radio->HangUp();
        }
        while (!radio->HungUp()) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        const auto hungUp = std::chrono::steady_clock::now();
        transfer.join();
        EXPECT_EQ(result.outcome, TransferOutcome::ConnectionLost);
        EXPECT_EQ(user.messages, std::vector<std::string>{std::string(txt::MsgConnectionLost.en)});
        EXPECT_LT(ended - hungUp, 100ms);
    }
}

} // namespace
} // namespace velmora

// The port adapter wants an application thread for its notifiers.
int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
