#include "link/PtyRadio.h"

#include "link/DemoRadio.h"
#include "link/RadioProtocol.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace velmora {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// Writes everything, as the line would carry it; false when the terminal is gone.
bool WriteAll(int fd, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::unique_ptr<PtyRadio> PtyRadio::Create(const MemoryImage& memory,
                                           const PtyRadioOptions& options, std::string& error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = std::string("cannot make a pseudo-terminal: ") + std::strerror(errno);
        return nullptr;
    }
    char name[128] = {};
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
        error = std::string("cannot set up the pseudo-terminal: ") + std::strerror(errno);
        ::close(master);
        return nullptr;
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        ::close(master);
        return nullptr;
    }
    // Raw from the start: a terminal's echo would send the program's bytes straight back.
    termios mode{};
    if (::tcgetattr(slave, &mode) == 0) {
        ::cfmakeraw(&mode);
        ::tcsetattr(slave, TCSANOW, &mode);
    }
    return std::unique_ptr<PtyRadio>(new PtyRadio(master, slave, name, memory, options));
}

PtyRadio::PtyRadio(int master, int slave, std::string path, const MemoryImage& memory,
                   const PtyRadioOptions& options)
    : master_(master), slave_(slave), path_(std::move(path)), options_(options), radio_(memory) {
    radio_.SetBehaviour(options.behaviour);
}

PtyRadio::~PtyRadio() {
    Stop();
    CloseDevice();
}

void PtyRadio::Start() {
    if (!thread_.joinable()) {
        thread_ = std::thread([this] { Run(); });
    }
}

void PtyRadio::Stop() {
    stop_ = true;
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        thread_.join();
    }
}

void PtyRadio::HangUp() {
    if (thread_.joinable()) {
        hangUpRequested_ = true;
    } else {
        CloseDevice();
        hungUp_ = true;
    }
}

MemoryImage PtyRadio::Memory() const {
    std::lock_guard lock(mutex_);
    return radio_.Memory();
}

int PtyRadio::ReadBlocksSent() const {
    std::lock_guard lock(mutex_);
    return radio_.ReadBlocksSent();
}

void PtyRadio::CloseDevice() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
}

void PtyRadio::Run() {
    if (options_.paced) {
        // Sleeps of a byte time must end on time; the default slack of 50 us would add up.
        ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    }
    std::uint8_t in[256];
    while (!stop_ && !hungUp_) {
        if (hangUpRequested_) {
            CloseDevice();
            hungUp_ = true;
            return;
        }
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) {
            continue;
        }
        if (!(p.revents & POLLIN)) {
            std::this_thread::sleep_for(5ms);
            continue;
        }
        const ssize_t n = ::read(master_, in, sizeof in);
        if (n <= 0) {
            if (n < 0 && errno != EINTR && errno != EAGAIN) {
                std::this_thread::sleep_for(5ms);
            }
            continue;
        }
        const Clock::time_point readAt = Clock::now();
        for (ssize_t i = 0; i < n && !hungUp_ && !stop_; ++i) {
            Serve(in[i], readAt);
        }
    }
}

void PtyRadio::Serve(std::uint8_t byte, Clock::time_point readAt) {
    ++bytesReceived_;
    Clock::time_point arrived = readAt;
    if (options_.paced) {
        arrived = std::max(readAt, rxFree_) + std::chrono::duration_cast<Clock::duration>(ByteTime);
        rxFree_ = arrived;
        std::this_thread::sleep_until(arrived);
    }
    std::vector<ReplyByte> replies;
    bool writeDone = false;
    MemoryImage written{};
    {
        std::lock_guard lock(mutex_);
        replies = radio_.Feed({&byte, 1});
        if (radio_.HungUp()) {
            CloseDevice();
            hungUp_ = true;
            return;
        }
        // A write always ends with its 923rd block, the band bytes; then the radio holds the
        // whole new memory.
        if (radio_.WakeUps() != wakeUpsSeen_) {
            wakeUpsSeen_ = radio_.WakeUps();
            storedAtWakeUp_ = radio_.WriteBlocksStored();
        }
        if (radio_.WriteBlocksStored() - storedAtWakeUp_ == protocol::WriteBlockCount) {
            storedAtWakeUp_ = radio_.WriteBlocksStored();
            writeDone = true;
            written = radio_.Memory();
        }
    }
    if (!replies.empty()) {
        Send(replies, arrived);
    }
    if (writeDone) {
        ++writesCompleted_;
        if (options_.onWriteComplete) {
            options_.onWriteComplete(written);
        }
    }
}

void PtyRadio::Send(const std::vector<ReplyByte>& replies, Clock::time_point after) {
    const auto byteTime = std::chrono::duration_cast<Clock::duration>(ByteTime);
    if (options_.paced) {
        for (const ReplyByte& reply : replies) {
            // The byte is complete at the far end one byte time after it starts.
            // Timed from the line's own schedule, not from when this thread woke: a late
            // wake-up must not push every later byte back as well.
            const Clock::time_point done = std::max(txFree_, after) + reply.delay + byteTime;
            std::this_thread::sleep_until(done);
            txFree_ = done;
            if (!WriteAll(master_, &reply.value, 1)) {
                return;
            }
        }
        return;
    }
    // Unpaced, an answer still never comes back sooner than one byte time: the program clears
    // its input right after some of its writes, as it may on a real line.
    std::this_thread::sleep_until(after + byteTime);
    std::vector<std::uint8_t> pending;
    for (const ReplyByte& reply : replies) {
        if (reply.delay > 0us) {
            if (!WriteAll(master_, pending.data(), pending.size())) {
                return;
            }
            pending.clear();
            std::this_thread::sleep_for(reply.delay);
        }
        pending.push_back(reply.value);
    }
    WriteAll(master_, pending.data(), pending.size());
}

std::unique_ptr<PtyRadio> StartDemoRadio(std::string& devicePath) {
    std::string error;
    std::unique_ptr<PtyRadio> radio = PtyRadio::Create(DemoRadioMemory(), {}, error);
    if (radio) {
        devicePath = radio->DevicePath();
        radio->Start();
    }
    return radio;
}

} // namespace velmora
