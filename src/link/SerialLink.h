// The byte stream the radio protocol talks through.
//
// The protocol is written against this interface only, so the same engine drives a real serial
// port and the simulated radio of the tests. Pauses go through the link too: a simulated link
// turns them into virtual time, and time-out tests take no real time.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace velmora {

enum class OpenResult { Ok, NotFound, Busy, NoPermission, Failed };

enum class IoResult {
    Ok,
    TimedOut,     // the read ended by its time-outs with fewer bytes than asked for
    Disconnected, // the device went away (cable or USB adapter pulled); nothing more will come
    Error,
};

class SerialLink {
public:
    virtual ~SerialLink() = default;

    // Opens the port by its name exactly as given, for exclusive use.
    virtual OpenResult Open(const std::string& name) = 0;
    // 9600 baud, 8 data bits, no parity, 1 stop bit, binary; driver queues of 1024 bytes in and
    // 512 out; reads end 30 ms after a byte when no further byte follows, or after 500 ms for
    // each byte asked for plus 90 ms.
    virtual bool Configure() = 0;
    // Drops everything pending in both directions (before each wake-up string).
    virtual void PurgeAll() = 0;
    // Drops unread input. Writes are complete when they return, so there is never output left
    // to drop, and the byte just written always reaches the radio. Straight after a write (no
    // other call between) it drops only what was waiting before the write: whatever came since
    // is the radio's answer to it, however long the calling thread was held up.
    virtual void Purge() = 0;
    // Returns once the bytes have been handed to the port.
    virtual IoResult Write(std::span<const std::uint8_t> bytes) = 0;
    // Returns as soon as all of buf is filled, or with what arrived by the time-outs (maybe
    // nothing): `got` always tells how many bytes are valid.
    virtual IoResult Read(std::span<std::uint8_t> buf, std::size_t& got) = 0;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
    virtual void Close() = 0;

    // Why the last Open failed, in words the user can act on; empty when there is nothing to add.
    virtual std::string OpenFailureDetail() const { return {}; }
    // The link's clock, for the traffic trace. A simulated link answers with its virtual time.
    virtual std::chrono::microseconds Now() const {
        return std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
};

} // namespace velmora
