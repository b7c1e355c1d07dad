// A virtual radio on a pseudo-terminal: the program opens the terminal's device like a cable
// adapter, and a RadioSimulator answers on the other side. It serves the velmora-radio-sim
// tool, the window program's demo mode, the end-to-end tests and the transfer benchmark.
//
// Paced, it keeps the line's own speed: 9600 baud 8N1 carries one byte per 1.04 ms in each
// direction, so a byte from the program reaches the radio no sooner than that after the one
// before, and the radio's answer takes the same per byte on the way back.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "image/MemoryImage.h"
#include "link/RadioSimulator.h"

namespace velmora {

struct PtyRadioOptions {
    bool paced = false;
    RadioBehaviour behaviour;
    // Called on the serving thread after the radio took the last block of a write.
    std::function<void(const MemoryImage&)> onWriteComplete;
};

class PtyRadio {
public:
    // One byte on the line at 9600 baud, 8N1: 10 bit times.
    static constexpr std::chrono::nanoseconds ByteTime{1'041'667};

    // Makes the pseudo-terminal; empty (and `error` says why) when the system refuses one.
    static std::unique_ptr<PtyRadio> Create(const MemoryImage& memory,
                                            const PtyRadioOptions& options, std::string& error);
    ~PtyRadio();
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    // The device the program opens ("/dev/pts/3").
    const std::string& DevicePath() const { return path_; }

    // Serves on the calling thread until Stop() or a hang-up fault.
    void Run();
    // Serves on a thread of its own.
    void Start();
    // Ends the serving (from any thread) and waits for a thread started by Start().
    void Stop();
    // The device goes away now, as when a USB adapter is pulled out.
    void HangUp();

    bool HungUp() const { return hungUp_; }
    MemoryImage Memory() const;
    int WritesCompleted() const { return writesCompleted_; }
    int ReadBlocksSent() const;
    // Every byte the program has sent so far, a wake-up's first included.
    long BytesReceived() const { return bytesReceived_; }

private:
    PtyRadio(int master, int slave, std::string path, const MemoryImage& memory,
             const PtyRadioOptions& options);
    void Serve(std::uint8_t byte, std::chrono::steady_clock::time_point arrived);
    void Send(const std::vector<ReplyByte>& replies, std::chrono::steady_clock::time_point after);
    void CloseDevice();

    int master_ = -1;
    // The radio's own hold on the terminal: without it the master side would report a hang-up
    // each time the program closes the port between two transfers.
    int slave_ = -1;
    std::string path_;
    PtyRadioOptions options_;
    mutable std::mutex mutex_; // guards radio_
    RadioSimulator radio_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> hungUp_{false};
    std::atomic<bool> hangUpRequested_{false};
    std::atomic<int> writesCompleted_{0};
    std::atomic<long> bytesReceived_{0};
    int wakeUpsSeen_ = 0;
    int storedAtWakeUp_ = 0;
    std::chrono::steady_clock::time_point rxFree_{};
    std::chrono::steady_clock::time_point txFree_{};
    std::thread thread_;
};

// The radio of the window program's demo mode: a small club's channel list, unpaced, served on
// its own thread. Empty when no pseudo-terminal could be made; devicePath is set otherwise.
std::unique_ptr<PtyRadio> StartDemoRadio(std::string& devicePath);

} // namespace velmora
