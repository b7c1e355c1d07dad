#include "link/TransferController.h"

#include "link/QtSerialLink.h"
#include "link/TraceFile.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QThread>

#include <condition_variable>
#include <mutex>

namespace velmora {

// Lives as long as whichever needs it longest: the worker, a message box still open on the
// window's thread, or the controller.
struct TransferController::Sync {
    std::mutex mutex;
    std::condition_variable answered;
    bool abandoned = false; // CancelAndWait: nobody waits for answers or results any more
    int asked = 0;
    int answeredCount = 0;
    PromptAnswer answer = PromptAnswer::Cancel;
};

class TransferController::WorkerUser : public TransferHooks {
public:
    WorkerUser(TransferController& controller, std::shared_ptr<Sync> sync, SerialLink& link)
        : controller_(controller), sync_(std::move(sync)), link_(link) {}

    void Progress(int position, int range) override {
        QMetaObject::invokeMethod(
            &controller_,
            [c = &controller_, position, range] { emit c->progress(position, range); },
            Qt::QueuedConnection);
    }
    bool Cancelled() override { return controller_.cancel_; }
    PromptAnswer CommunicationErrorPrompt() override {
        return controller_.AskOnWindowThread(
            sync_, true, std::string(txt::MsgCommunicationError.In(controller_.lang_)));
    }
    void ShowMessage(TextPair text) override {
        std::string shown(text.In(controller_.lang_));
        if (txt::MsgPortOpenFailed.Matches(text.en) && !link_.OpenFailureDetail().empty()) {
            shown += '\n';
            shown += link_.OpenFailureDetail();
        }
        controller_.AskOnWindowThread(sync_, false, shown);
    }

private:
    TransferController& controller_;
    std::shared_ptr<Sync> sync_;
    SerialLink& link_;
};

TransferController::TransferController(QObject* parent) : QObject(parent) {
    qRegisterMetaType<TransferResult>();
    qRegisterMetaType<MemoryImage>();
    SetMessageBoxes(nullptr, QGuiApplication::applicationDisplayName());
}

TransferController::~TransferController() {
    CancelAndWait();
}

void TransferController::SetMessageBoxes(QWidget* owner, const QString& caption) {
    QPointer<QWidget> parent(owner);
    // The texts carry port names from Program.ini and the system: shown as they are, never
    // taken for markup.
    askRetry_ = [parent, caption](const std::string& text) {
        QMessageBox box(QMessageBox::Warning, caption, QString::fromStdString(text),
                        QMessageBox::Retry | QMessageBox::Cancel, parent);
        box.setTextFormat(Qt::PlainText);
        return box.exec() == QMessageBox::Retry ? PromptAnswer::Retry : PromptAnswer::Cancel;
    };
    showText_ = [parent, caption](const std::string& text) {
        QMessageBox box(QMessageBox::Warning, caption, QString::fromStdString(text),
                        QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    };
}

void TransferController::SetPromptHandlers(AskRetry askRetry, ShowText showText) {
    askRetry_ = std::move(askRetry);
    showText_ = std::move(showText);
}

bool TransferController::Start(TransferDirection direction, const std::string& port,
                               const MemoryImage& image) {
    if (running_) {
        return false;
    }
    running_ = true;
    cancel_ = false;
    sync_ = std::make_shared<Sync>();
    std::shared_ptr<Sync> sync = sync_;
    LinkFactory makeLink = makeLink_;
    const Language lang = lang_;
    TraceReport trace{tracePath_, {}};
    thread_ = QThread::create([this, sync, makeLink, lang, direction, port, image, trace] {
        // The port is made, used and destroyed on this thread, as the serial port wants.
        std::unique_ptr<SerialLink> link;
        if (makeLink) {
            link = makeLink();
        } else {
            auto qtLink = std::make_unique<QtSerialLink>();
            qtLink->SetLanguage(lang);
            link = std::move(qtLink);
        }
        MemoryImage work = image;
        WorkerUser user(*this, sync, *link);
        TransferResult result;
        TraceReport report = trace;
        {
            // The trace file is complete and closed before the window hears of the end.
            TraceFile traceFile;
            TraceSink sink;
            if (!report.path.empty() && traceFile.Open(report.path, report.error)) {
                sink = [&traceFile](const TraceEvent& event) { traceFile.Write(event); };
            }
            result = RunTransfer(*link, port, direction, work, user, sink);
        }
        link.reset();
        QMetaObject::invokeMethod(
            this,
            [this, sync, result, work, report] {
                if (!sync->abandoned) {
                    WorkerDone(result, work, report);
                }
            },
            Qt::QueuedConnection);
    });
    thread_->start();
    return true;
}

void TransferController::WorkerDone(const TransferResult& result, const MemoryImage& image,
                                    const TraceReport& trace) {
    if (thread_) {
        thread_->wait();
        delete thread_;
        thread_ = nullptr;
    }
    running_ = false;
    lastTrace_ = trace;
    emit finished(result, image);
}

void TransferController::CancelAndWait() {
    cancel_ = true;
    if (sync_) {
        {
            std::lock_guard lock(sync_->mutex);
            sync_->abandoned = true;
        }
        sync_->answered.notify_all();
    }
    if (thread_) {
        thread_->wait();
        delete thread_;
        thread_ = nullptr;
    }
    running_ = false;
}

// On the worker: hands the question to the window's thread and sleeps until it is answered,
// or until nobody will answer it any more.
PromptAnswer TransferController::AskOnWindowThread(const std::shared_ptr<Sync>& sync,
                                                   bool retryQuestion, const std::string& text) {
    int ticket = 0;
    {
        std::lock_guard lock(sync->mutex);
        if (sync->abandoned) {
            return PromptAnswer::Cancel;
        }
        ticket = ++sync->asked;
    }
    // The handlers are copied: a box's own event loop may see the controller destroyed.
    AskRetry askRetry = askRetry_;
    ShowText showText = showText_;
    QMetaObject::invokeMethod(
        this,
        [sync, retryQuestion, text, askRetry, showText] {
            PromptAnswer answer = PromptAnswer::Cancel;
            if (retryQuestion) {
                answer = askRetry ? askRetry(text) : PromptAnswer::Cancel;
            } else if (showText) {
                showText(text);
            }
            {
                std::lock_guard lock(sync->mutex);
                sync->answer = answer;
                ++sync->answeredCount;
            }
            sync->answered.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(sync->mutex);
    sync->answered.wait(lock, [&] { return sync->abandoned || sync->answeredCount >= ticket; });
    return sync->abandoned ? PromptAnswer::Cancel : sync->answer;
}

} // namespace velmora
