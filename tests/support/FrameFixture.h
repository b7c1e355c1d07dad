// A main window with a test's own settings, message boxes and file dialogs, for the tests of
// the window's commands.
#pragma once

#include "document/ProgramView.h"
#include "document/TransferCommands.h"
#include "frame/ChildFrame.h"
#include "frame/FileChooser.h"
#include "frame/MainFrame.h"
#include "support/RecordingPrompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace velmora::test {

// File dialogs answered by the test: the path to return, the kind of file picked, and what the
// program proposed and offered.
class ScriptedFileChooser : public FileChooser {
public:
    QString OpenPath(QWidget*, const QString&) override { return openAnswer; }
    QString SavePath(QWidget*, const QString& proposed, const QString&) override {
        proposedSaves.append(proposed);
        return saveAnswer;
    }
    SaveChoice SaveKindPath(QWidget*, const QString& proposed, const QStringList& filters,
                            const QString&) override {
        proposedSaves.append(proposed);
        offeredKinds = filters;
        return {saveAnswer, kind};
    }

    QString openAnswer;
    QString saveAnswer;
    int kind = 0;
    QStringList proposedSaves;
    QStringList offeredKinds;
};

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // Backups and traces of transfers go to a folder of the test's own.
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
        m_app.lang = Language::English;
        m_app.catalog.typeNames = {"VR-100"};
        m_app.catalog.bandLists = {"400-470MHz"};
        m_app.catalog.titleBase = "Velmora";
        m_app.store = &m_store;
        m_app.prompter = &m_prompter;
        m_app.company = "Velmora Radio Tools";
        m_app.appName = "Velmora";
        m_frame = std::make_unique<CMainFrame>(m_app);
        auto chooser = std::make_unique<ScriptedFileChooser>();
        m_chooser = chooser.get();
        m_frame->SetFileChooser(std::move(chooser));
        m_frame->show();
        // Keys and shortcuts reach only the active window.
        QApplication::setActiveWindow(m_frame.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    }

    // Windows closed for good go at the next turn of the event loop.
    static void Settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    QString TempPath(const QString& name) const { return m_dir.filePath(name); }
    void WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile file(TempPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    CProgramView* View() const { return m_frame->ActiveView(); }
    ChannelGridTexts Texts() const { return View()->Channels().Texts(); }
    // Makes the cell current and types over the text its editor opened with, leaving it open.
    void Type(int row, Column column, const char* text) const {
        View()->SetCurrentCell({row, column});
        QTest::keyClicks(View()->Editor(column), text);
    }
    // Types a frequency into a channel's Rx cell and commits it with Enter.
    void TypeRx(int channel, const char* text) const {
        Type(channel, Column::Rx, text);
        QTest::keyClick(View()->Editor(Column::Rx), Qt::Key_Return);
    }
    // One transfer of the active window through its progress dialog, as a user runs it.
    bool RunTransfer(bool write) const {
        TransferCommands* transfer = m_frame->ActiveChildFrame()->Transfer();
        write ? m_frame->OnWrite() : m_frame->OnRead();
        CProcessDlg& dialog = transfer->ProcessDialog();
        if (!dialog.isVisible()) {
            return false;
        }
        dialog.OkButton()->click();
        EXPECT_FALSE(m_frame->Action(ID_PROGRAM_READ)->isEnabled()) << "one transfer at a time";
        QElapsedTimer timer;
        timer.start();
        while (transfer->IsRunning() && timer.elapsed() < 60000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        QApplication::processEvents();
        return !transfer->IsRunning() && !dialog.isVisible();
    }

    QTemporaryDir m_dir;
    AppContext m_app;
    MemoryUserStore m_store;
    RecordingPrompter m_prompter;
    ScriptedFileChooser* m_chooser = nullptr;
    std::unique_ptr<CMainFrame> m_frame;
};

} // namespace velmora::test
