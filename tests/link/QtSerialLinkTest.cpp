// The real-port adapter end to end: the protocol engine over a pseudo-terminal whose other end
// is served by the radio simulator on its own thread.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "link/LinkTestSupport.h"
#include "link/QtSerialLink.h"
#include "link/RadioProtocol.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

class VirtualRadio {
public:
    explicit VirtualRadio(const MemoryImage& memory) : radio_(memory) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master_);
        ::unlockpt(master_);
        path_ = ::ptsname(master_);
        thread_ = std::thread([this] { Serve(); });
    }
    ~VirtualRadio() {
        stop_ = true;
        thread_.join();
        HangUp();
    }
    void HangUp() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }
    const std::string& Path() const { return path_; }
    RadioSimulator& Radio() { return radio_; }

private:
    void Serve() {
        while (!stop_ && master_ >= 0) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 5) <= 0 || !(p.revents & POLLIN)) {
                continue;
            }
            std::uint8_t in[64];
            const ssize_t n = ::read(master_, in, sizeof in);
            if (n <= 0) {
                continue;
            }
            const auto replies = radio_.Feed({in, static_cast<std::size_t>(n)});
            if (replies.empty()) {
                continue;
            }
            // A reply takes at least a byte time on a real line; the program relies on it.
            std::this_thread::sleep_for(2ms);
            std::vector<std::uint8_t> out;
            for (const ReplyByte& r : replies) {
                out.push_back(r.value);
            }
            if (::write(master_, out.data(), out.size()) < 0) {
                return;
            }
        }
    }

    RadioSimulator radio_;
    int master_ = -1;
    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(QtSerialLink, ReadsAndWritesTheRadioOverAPseudoTerminal) {
    VirtualRadio radio(test::Pattern(3));
    QtSerialLink link;
    test::ScriptedUser user;
    MemoryImage image = test::Pattern(8);

    EXPECT_EQ(RunTransfer(link, radio.Path(), TransferDirection::Read, image, user).outcome,
              TransferOutcome::Completed);
    EXPECT_EQ(image, test::Pattern(3));

    image = test::Pattern(9);
    EXPECT_EQ(RunTransfer(link, radio.Path(), TransferDirection::Write, image, user).outcome,
              TransferOutcome::Completed);
    EXPECT_EQ(radio.Radio().Memory()[0x1FF2], test::Pattern(9)[0x1FF2]);
    EXPECT_TRUE(user.messages.empty());
}

TEST(QtSerialLink, OpenFailuresSayWhy) {
    QtSerialLink link;
    EXPECT_EQ(link.Open("/dev/velmora-no-such-port"), OpenResult::NotFound);
    EXPECT_EQ(link.OpenFailureDetail(), "No such device: /dev/velmora-no-such-port");
}

TEST(QtSerialLink, SilentPortTimesOutAndPulledCableIsDisconnected) {
    VirtualRadio radio(test::Pattern(3));
    QtSerialLink link;
    ASSERT_EQ(link.Open(radio.Path()), OpenResult::Ok);
    link.Configure();
    std::uint8_t buf[8];
    std::size_t got = 9;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.Read({buf, 1}, got), IoResult::TimedOut);
    EXPECT_EQ(got, 0u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 590ms);

    radio.HangUp();
    EXPECT_EQ(link.Read({buf, 8}, got), IoResult::Disconnected);
    link.Close();
}

} // namespace
} // namespace velmora
