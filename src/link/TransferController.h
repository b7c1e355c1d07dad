// Runs a radio transfer on a worker thread so that the windows stay live the whole time.
//
// The engine (RunTransfer) is plain blocking code; here it gets a thread of its own and a port
// opened on that thread. Progress comes back to the window as queued signals; the questions
// and messages of a transfer are shown on the window's thread while the worker waits for the
// answer. Cancel is a flag the engine looks at after every block.
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "base/Texts.h"
#include "image/MemoryImage.h"
#include "link/RadioProtocol.h"

class QThread;
class QWidget;

Q_DECLARE_METATYPE(velmora::TransferResult)
Q_DECLARE_METATYPE(velmora::MemoryImage)

namespace velmora {

class TransferController : public QObject {
    Q_OBJECT
public:
    // Makes the port on the worker thread; the program's is a QtSerialLink.
    using LinkFactory = std::function<std::unique_ptr<SerialLink>()>;
    // Shown on the window's thread: the Retry/Cancel question, and an OK message (its text,
    // with the reason a port did not open on a second line).
    using AskRetry = std::function<PromptAnswer(const std::string&)>;
    using ShowText = std::function<void(const std::string&)>;

    explicit TransferController(QObject* parent = nullptr);
    // Cancels a running transfer and waits for it.
    ~TransferController() override;

    void SetLanguage(Language lang) { lang_ = lang; }
    void SetLinkFactory(LinkFactory factory) { makeLink_ = std::move(factory); }
    // Message boxes owned by `owner` with the program's caption (the defaults), or other
    // handlers (tests, the demo).
    void SetMessageBoxes(QWidget* owner, const QString& caption);
    void SetPromptHandlers(AskRetry askRetry, ShowText showText);

    // Starts moving `image` (a write sends it; a read starts from it) through `port`. False
    // when a transfer is already running.
    bool Start(TransferDirection direction, const std::string& port, const MemoryImage& image);
    // Every byte of the transfers started from now on goes to this file, with its time and
    // direction (empty: none). Help for the user who has to tell us why a radio will not talk.
    void SetTracePath(std::string path) { tracePath_ = std::move(path); }
    struct TraceReport {
        std::string path;  // empty when no trace was asked for
        std::string error; // why the file could not be written; empty when it was
    };
    // The trace of the transfer that ended last; valid from its finished() on.
    const TraceReport& LastTrace() const { return lastTrace_; }
    bool IsRunning() const { return running_; }
    // The progress dialog's Cancel: the transfer ends at its next look at the flag.
    void Cancel() { cancel_ = true; }
    // For a closing document or main window: cancels, answers any waiting question with
    // Cancel, and returns once the worker has ended and the port is closed. No finished()
    // follows.
    void CancelAndWait();

signals:
    void progress(int position, int range);
    // Every transfer ends with this, whatever its outcome. readImage is the memory read when
    // a read completed, and the image as it was otherwise.
    void finished(velmora::TransferResult result, velmora::MemoryImage readImage);

private:
    struct Sync; // what the worker and the window share for one transfer
    class WorkerUser;
    friend class WorkerUser;

    PromptAnswer AskOnWindowThread(const std::shared_ptr<Sync>& sync, bool retryQuestion,
                                   const std::string& text);
    void WorkerDone(const TransferResult& result, const MemoryImage& image,
                    const TraceReport& trace);

    Language lang_ = Language::English;
    LinkFactory makeLink_;
    AskRetry askRetry_;
    ShowText showText_;
    QThread* thread_ = nullptr;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> running_{false};
    std::shared_ptr<Sync> sync_;
    std::string tracePath_;
    TraceReport lastTrace_;
};

} // namespace velmora
