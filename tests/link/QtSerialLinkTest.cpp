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
    std::vector<std::uint8_t> Received() {
        std::vector<std::uint8_t> bytes;
        pollfd p{master_, POLLIN, 0};
        while (::poll(&p, 1, 100) > 0 && (p.revents & POLLIN)) {
            std::uint8_t byte = 0;
            if (::read(master_, &byte, 1) != 1) {
                break;
            }
            bytes.push_back(byte);
        }
        return bytes;
    }

private:
    int master_ = -1;
    std::string path_;
};

// The handshake purges straight after sending its acknowledgement 0x06, and the radio confirms
// one byte time later. A transfer thread held up between the write and the purge must not lose
// that confirmation: what arrived after the write began is the radio's answer and stays; what
// was waiting before it goes. A purge after a pause or a read drops everything, as before.
TEST(QtSerialLink, APurgeStraightAfterAWriteKeepsTheAnswerToIt) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> before; // waiting before the write
        bool pause;                       // a pause between the write and the purge
        std::vector<std::uint8_t> after;  // the answer, in before the purge
        std::vector<std::uint8_t> read;   // what the program reads after the purge
    };
    const Case cases[] = {
        {"answer kept", {}, false, {0x06}, {0x06}},
        {"stale bytes dropped, answer kept", {0x55, 0x56, 0x57}, false, {0x06}, {0x06}},
        {"nothing came", {0x55}, false, {}, {}},
        {"after a pause everything goes", {0x55}, true, {0x06}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FarEnd radio;
        QtSerialLink link;
        ASSERT_EQ(link.Open(radio.Path()), OpenResult::Ok);
        link.Configure();
        radio.Send(c.before);
        const std::uint8_t ack = 0x06;
        ASSERT_EQ(link.Write({&ack, 1}), IoResult::Ok);
        EXPECT_EQ(radio.Received(), std::vector<std::uint8_t>{0x06});
        radio.Send(c.after);
        if (c.pause) {
            link.Sleep(1ms);
        }
        link.Purge();
        std::uint8_t buf[2] = {};
        std::size_t got = 0;
        link.Read({buf, 2}, got);
        EXPECT_EQ(std::vector<std::uint8_t>(buf, buf + got), c.read);
        link.Close();
    }
}

// The port as a transfer thread sees it when the machine holds the thread up for a moment right
// after it sent the identification acknowledgement (its first lone 0x06), before its next call.
class HeldUpLink : public SerialLink {
public:
    explicit HeldUpLink(SerialLink& inner) : inner_(inner) {}
    OpenResult Open(const std::string& name) override { return inner_.Open(name); }
    bool Configure() override { return inner_.Configure(); }
    void PurgeAll() override { inner_.PurgeAll(); }
    void Purge() override { inner_.Purge(); }
    IoResult Write(std::span<const std::uint8_t> bytes) override {
        const IoResult result = inner_.Write(bytes);
        if (!heldUp_ && bytes.size() == 1 && bytes[0] == 0x06) {
            heldUp_ = true;
            std::this_thread::sleep_for(20ms);
        }
        return result;
    }
    IoResult Read(std::span<std::uint8_t> buf, std::size_t& got) override {
        return inner_.Read(buf, got);
    }
    void Sleep(std::chrono::milliseconds d) override { inner_.Sleep(d); }
    void Close() override { inner_.Close(); }

private:
    SerialLink& inner_;
    bool heldUp_ = false;
};

TEST(QtSerialLink, AThreadHeldUpAfterTheIdentificationAcknowledgementStillReads) {
    VirtualRadio radio(test::Pattern(4));
    QtSerialLink port;
    HeldUpLink link(port);
    test::ScriptedUser user;
    MemoryImage image = test::Pattern(8);
    const TransferResult result =
        RunTransfer(link, radio.Path(), TransferDirection::Read, image, user);
    EXPECT_EQ(result.outcome, TransferOutcome::Completed);
    EXPECT_EQ(result.prompts, 0) << "the radio's confirmation was thrown away";
    EXPECT_EQ(image, test::Pattern(4));
}

TEST(QtSerialLink, APurgeAfterAReadDropsEverything) {
    FarEnd radio;
    QtSerialLink link;
    ASSERT_EQ(link.Open(radio.Path()), OpenResult::Ok);
    link.Configure();
    const std::uint8_t header[4] = {0x52, 0x00, 0x00, 0x08};
    ASSERT_EQ(link.Write(header), IoResult::Ok);
    radio.Send({0x57, 0x00, 0x00, 0x08, 1, 2});
    std::uint8_t buf[2] = {};
    std::size_t got = 0;
    EXPECT_EQ(link.Read({buf, 2}, got), IoResult::Ok);
    EXPECT_EQ(got, 2u);
    link.Purge();
    EXPECT_EQ(link.Read({buf, 1}, got), IoResult::TimedOut);
    EXPECT_EQ(got, 0u);
    link.Close();
}

} // namespace
} // namespace velmora
