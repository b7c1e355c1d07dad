#include "link/QtSerialLink.h"

#include "link/PortProbe.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

namespace velmora {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

int Millis(Clock::duration d) {
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(d).count());
}

} // namespace

OpenResult QtSerialLink::Open(const std::string& name) {
    detail_.clear();
    waitingAtWrite_ = -1;
    port_.setPortName(QString::fromStdString(name));
    if (port_.open(QIODevice::ReadWrite)) {
        return OpenResult::Ok;
    }
    // Qt's own rule: a name that is not a path is a device under /dev.
    const std::string device = name.starts_with('/') ? name : "/dev/" + name;
    OpenResult result = OpenResult::Failed;
    switch (port_.error()) {
    case QSerialPort::DeviceNotFoundError:
        result = OpenResult::NotFound;
        break;
    case QSerialPort::PermissionError:
        // Qt reports a port held by someone else (its lock file, or an exclusive open) as a
        // permission error too; only the device's own mode tells the two apart.
        result = ::access(device.c_str(), R_OK | W_OK) != 0 ? OpenResult::NoPermission
                                                            : OpenResult::Busy;
        break;
    default:
        break;
    }
    detail_ = ExplainOpenFailure(result, device,
                                 ProbePort(device, port_.errorString().toStdString()), lang_);
    return result;
}

bool QtSerialLink::Configure() {
    waitingAtWrite_ = -1;
    bool ok = port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
              port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
              port_.setFlowControl(QSerialPort::NoFlowControl);
    // The driver queues of 1024 and 512 bytes have no POSIX counterpart; the kernel's are larger.
    // USB adapters otherwise hold received bytes up to 16 ms, which eats into the 30 ms gap that
    // ends a read; low latency hands each byte over at once. Pseudo-terminals do not have it.
    const int fd = static_cast<int>(port_.handle());
    serial_struct serial{};
    if (fd >= 0 && ::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
    return ok;
}

void QtSerialLink::PurgeAll() {
    waitingAtWrite_ = -1;
    port_.clear(QSerialPort::AllDirections);
}

// Input only: the output has been drained by the write before it, and flushing output right
// after a write can throw away the byte just written.
//
// Straight after a write, only what was waiting before the write is dropped. The handshake
// purges right after sending its acknowledgement, and the radio confirms it one byte time
// later; a write is complete here only once its byte has left (tcdrain), so that one byte time
// is all the margin there is. A transfer thread held up for a millisecond between the write and
// the purge (a busy machine) would otherwise throw away the confirmation, and the user would
// get "Communication Error" from a radio that answered. Whatever came after the write began
// can only be the radio's answer to it, so it stays.
void QtSerialLink::Purge() {
    const long stale = waitingAtWrite_;
    waitingAtWrite_ = -1;
    if (stale < 0) {
        port_.clear(QSerialPort::Input);
    } else {
        Discard(static_cast<std::size_t>(stale));
    }
}

std::size_t QtSerialLink::Waiting() {
    int queued = 0;
    if (::ioctl(static_cast<int>(port_.handle()), FIONREAD, &queued) != 0 || queued < 0) {
        queued = 0;
    }
    return static_cast<std::size_t>(port_.bytesAvailable()) + static_cast<std::size_t>(queued);
}

void QtSerialLink::Discard(std::size_t count) {
    char sink[256];
    // Qt's buffer holds the older bytes; the driver's queue the newer ones.
    while (count > 0 && port_.bytesAvailable() > 0) {
        const qint64 n = port_.read(sink, static_cast<qint64>(std::min(count, sizeof sink)));
        if (n <= 0) {
            return;
        }
        count -= static_cast<std::size_t>(n);
    }
    const int fd = static_cast<int>(port_.handle());
    while (count > 0) {
        const ssize_t n = ::read(fd, sink, std::min(count, sizeof sink)); // non-blocking
        if (n <= 0) {
            return;
        }
        count -= static_cast<std::size_t>(n);
    }
}

IoResult QtSerialLink::Write(std::span<const std::uint8_t> bytes) {
    waitingAtWrite_ = -1;
    if (!port_.isOpen()) {
        return IoResult::Error;
    }
    const std::size_t waiting = Waiting();
    const qint64 size = static_cast<qint64>(bytes.size());
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        return HungUp() ? IoResult::Disconnected : IoResult::Error;
    }
    const auto deadline = Clock::now() + 50ms * static_cast<long>(bytes.size()) + 50ms;
    while (port_.bytesToWrite() > 0) {
        const auto left = deadline - Clock::now();
        if (left <= 0ms || !port_.waitForBytesWritten(std::max(1, Millis(left)))) {
            return HungUp() ? IoResult::Disconnected : IoResult::Error;
        }
    }
    // Complete when it returns: the bytes have left the kernel's queue too.
    ::tcdrain(static_cast<int>(port_.handle()));
    waitingAtWrite_ = static_cast<long>(waiting);
    return IoResult::Ok;
}

IoResult QtSerialLink::Read(std::span<std::uint8_t> buf, std::size_t& got) {
    got = 0;
    waitingAtWrite_ = -1;
    if (!port_.isOpen()) {
        return IoResult::Error;
    }
    const auto deadline = Clock::now() + 500ms * static_cast<long>(buf.size()) + 90ms;
    auto lastByte = Clock::now();
    while (got < buf.size()) {
        if (port_.bytesAvailable() > 0) {
            const qint64 n = port_.read(reinterpret_cast<char*>(buf.data() + got),
                                        static_cast<qint64>(buf.size() - got));
            if (n < 0) {
                return HungUp() ? IoResult::Disconnected : IoResult::Error;
            }
            got += static_cast<std::size_t>(n);
            lastByte = Clock::now();
            continue;
        }
        const auto limit = got == 0 ? deadline : std::min(deadline, lastByte + 30ms);
        const auto left = limit - Clock::now();
        if (left <= 0ms) {
            return IoResult::TimedOut;
        }
        if (!port_.waitForReadyRead(std::max(1, Millis(left)))) {
            if (HungUp()) {
                return IoResult::Disconnected;
            }
            if (port_.error() != QSerialPort::TimeoutError &&
                port_.error() != QSerialPort::NoError) {
                return IoResult::Error;
            }
        }
    }
    return IoResult::Ok;
}

// The device went away: the adapter was pulled, or the far end of a pseudo-terminal closed.
bool QtSerialLink::HungUp() {
    if (port_.error() == QSerialPort::ResourceError) {
        return true;
    }
    pollfd p{static_cast<int>(port_.handle()), POLLIN, 0};
    return p.fd >= 0 && ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

// After a pause, a purge is the clearing ahead of the next write (as between the bytes of the
// wake-up string) and drops all input, as always.
void QtSerialLink::Sleep(std::chrono::milliseconds duration) {
    waitingAtWrite_ = -1;
    std::this_thread::sleep_for(duration);
}

void QtSerialLink::Close() {
    waitingAtWrite_ = -1;
    if (port_.isOpen()) {
        port_.close();
    }
}

} // namespace velmora
