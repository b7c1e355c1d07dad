// A real serial port (a USB cable adapter, or a pseudo-terminal of the virtual radio), used
// blocking on the thread that runs the transfer.
#pragma once

#include <QSerialPort>

#include "base/Texts.h"
#include "link/SerialLink.h"

namespace velmora {

class QtSerialLink : public SerialLink {
public:
    OpenResult Open(const std::string& name) override;
    bool Configure() override;
    void PurgeAll() override;
    void Purge() override;
    IoResult Write(std::span<const std::uint8_t> bytes) override;
    IoResult Read(std::span<std::uint8_t> buf, std::size_t& got) override;
    void Sleep(std::chrono::milliseconds duration) override;
    void Close() override;
    std::string OpenFailureDetail() const override { return detail_; }
    // The language of OpenFailureDetail.
    void SetLanguage(Language lang) { lang_ = lang; }

private:
    bool HungUp();
    // Input not read yet: in Qt's buffer and in the driver's queue.
    std::size_t Waiting();
    // Reads and drops the `count` oldest bytes of input (fewer when fewer are there).
    void Discard(std::size_t count);

    QSerialPort port_;
    // The input that was waiting when the last write began, while nothing but that write has
    // happened since; -1 otherwise. A purge straight after a write drops only that much.
    long waitingAtWrite_ = -1;
    std::string detail_;
    Language lang_ = Language::English;
};

} // namespace velmora
