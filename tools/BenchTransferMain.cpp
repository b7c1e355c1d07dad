// velmora-bench-transfer: how close a read and a write over a real serial port come to the
// time the bytes themselves need on a 9600-baud line. The radio is the paced virtual radio on
// a pseudo-terminal; the program side is the port adapter the program uses. Takes about 35 s.
#include "link/PtyRadio.h"
#include "link/QtSerialLink.h"
#include "link/RadioProtocol.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

using namespace velmora;
using namespace std::chrono;

namespace {

struct SilentUser : TransferHooks {
    void Progress(int, int) override {}
    bool Cancelled() override { return false; }
    PromptAnswer CommunicationErrorPrompt() override { return PromptAnswer::Cancel; }
    void ShowMessage(TextPair text) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.en.size()), text.en.data());
    }
};

// Wake-up 7 and its answer 1, identification request 2 and reply 8, acknowledgement 1 and
// confirmation 1.
constexpr int kHandshakeBytes = 7 + 1 + 2 + 8 + 1 + 1;
constexpr int kReadBytes = kHandshakeBytes + protocol::ReadBlockCount * (4 + 12 + 1 + 1);
constexpr int kWriteBytes = kHandshakeBytes + (protocol::WriteBlockCount - 1) * (4 + 8 + 1) +
                            (4 + static_cast<int>(protocol::BandBlockSize) + 1);

double Seconds(int bytes) {
    return bytes * duration<double>(PtyRadio::ByteTime).count();
}

int Run(TransferDirection direction, PtyRadio& radio, double bound, const char* what) {
    MemoryImage image = NewImage();
    QtSerialLink link;
    SilentUser user;
    const auto start = steady_clock::now();
    const TransferResult result = RunTransfer(link, radio.DevicePath(), direction, image, user);
    const double took = duration<double>(steady_clock::now() - start).count();
    if (result.outcome != TransferOutcome::Completed) {
        std::fprintf(stderr, "%s failed\n", what);
        return 1;
    }
    std::printf("%-6s %8.3f s   bound %8.3f s   ratio %.4f\n", what, took, bound, took / bound);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // The port adapter's notifiers want an application thread.
    QCoreApplication app(argc, argv);
    std::string error;
    PtyRadioOptions options;
    options.paced = true;
    std::unique_ptr<PtyRadio> radio = PtyRadio::Create(NewImage(), options, error);
    if (!radio) {
        std::fprintf(stderr, "velmora-bench-transfer: %s\n", error.c_str());
        return 1;
    }
    radio->Start();
    const double readBound = Seconds(kReadBytes);
    // A write also waits 1 ms between each block's header and its data.
    const double writeBound =
        Seconds(kWriteBytes) + protocol::WriteBlockCount * duration<double>(1ms).count();
    std::printf("9600 baud 8N1 over a pseudo-terminal: read %d bytes, write %d bytes\n", kReadBytes,
                kWriteBytes);
    int failed = Run(TransferDirection::Read, *radio, readBound, "read");
    failed += Run(TransferDirection::Write, *radio, writeBound, "write");
    return failed == 0 ? 0 : 1;
}
