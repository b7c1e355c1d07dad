// Channel exchange in the window program: import/export through the File menu handlers, Copy
// and Paste with a spreadsheet's text, undo and redo of grid edits, backups and traces of
// transfers with the demo radio.
#include "channels/ChirpCsv.h"
#include "channels/CsvChannels.h"
#include "channels/GridTable.h"
#include "document/ProgramView.h"
#include "document/TransferCommands.h"
#include "frame/BackupListDlg.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "image/DataFile.h"
#include "link/BackupFolder.h"
#include "link/BackupStore.h"
#include "support/RecordingPrompter.h"
#include "support/ScriptedFileChooser.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <set>

namespace velmora {
namespace {

// Export asks for the file kind as well.
class KindChooser : public test::ScriptedFileChooser {
public:
    SaveChoice SaveKindPath(QWidget*, const QString& proposed, const QStringList& filters,
                            const QString&) override {
        proposedSaves.append(proposed);
        offeredKinds = filters;
        return {saveAnswer, kind};
    }
    int kind = 0;
    QStringList offeredKinds;
};

const ChannelTexts kNewChannel438{"438.01250", "438.01250", "None", "None",
                                  "High",      "Lock",      "Yes",  ""};

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Backups and traces go to a folder of the test's own.
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
        auto chooser = std::make_unique<KindChooser>();
        m_chooser = chooser.get();
        m_frame->SetFileChooser(std::move(chooser));
        m_frame->show();
        QApplication::setActiveWindow(m_frame.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
        m_frame->OnFileNew();
        m_view = m_frame->ActiveView();
    }

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

    // Types a frequency into the Rx cell of a channel and commits it with Enter.
    void TypeRx(int channel, const char* text) {
        m_view->SetCurrentCell({channel, Column::Rx});
        QTest::keyClicks(m_view->Editor(Column::Rx), text);
        QTest::keyClick(m_view->Editor(Column::Rx), Qt::Key_Return);
    }

    void ClickRowLabel(int channel, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QHeaderView* labels = m_view->Grid()->verticalHeader();
        QTest::mouseClick(
            labels->viewport(), Qt::LeftButton, modifiers,
            QPoint(4, labels->sectionViewportPosition(channel) + labels->sectionSize(channel) / 2));
    }

    ChannelGridTexts Texts() const { return m_view->Channels().Texts(); }

    std::vector<BackupEntry> Backups() const {
        return BackupStore(DefaultBackupFolder()).List(m_app.catalog);
    }

    QTemporaryDir m_dir;
    AppContext m_app;
    MemoryUserStore m_store;
    test::RecordingPrompter m_prompter;
    KindChooser* m_chooser = nullptr;
    std::unique_ptr<CMainFrame> m_frame;
    CProgramView* m_view = nullptr;
};

TEST_F(ExchangeTest, CopyOfPickedRowsGivesTheSpreadsheetText) {
    TypeRx(1, "438.0125");
    TypeRx(3, "440");
    ClickRowLabel(1);
    ClickRowLabel(3, Qt::ShiftModifier);
    EXPECT_EQ(m_view->Selection().Rows(), (std::set<int>{1, 2, 3}));
    ASSERT_TRUE(m_view->Grid()->hasFocus()) << "the grid takes the keys after a row label";
    QTest::keyClick(m_view->Grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "1\t438.01250\t438.01250\tNone\tNone\tHigh\tLock\tYes\t\r\n"
              "2\t\t\t\t\t\t\t\t\r\n"
              "3\t440.00000\t440.00000\tNone\tNone\tHigh\tLock\tYes\t\r\n");
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "3 channels copied");

    // Without picked rows Copy takes the current cell.
    m_view->SetCurrentCell({3, Column::Tx});
    EXPECT_FALSE(m_view->Selection().IsRows());
    m_frame->OnEditCopy();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "440.00000\r\n");
}

TEST_F(ExchangeTest, ARefusedPasteChangesNothingAndNamesTheRefusedRow) {
    QGuiApplication::clipboard()->setText(
        "5\t438.02500\t438.02500\tNone\tNone\tLow\tUnlock\tNo\tCLUB\r\n"
        "6\t145.50000\t145.50000\tNone\tNone\tHigh\tLock\tYes\t\r\n"
        "7\t446.00625\t\t67.0\tNone\tMiddle\tLock\tYes\tPMR1\r\n");
    ClickRowLabel(20); // the copied numbers do not say where rows go
    m_frame->OnEditPaste();
    EXPECT_EQ(Texts(), ChannelGridTexts{}) << "a paste is taken whole or not at all";
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text,
              "Nothing was pasted. These rows were refused:\nline 2: Rx Frequency '145.50000': "
              "Out of range,please input again.");
    EXPECT_FALSE(m_view->Channels().CanUndo());

    QGuiApplication::clipboard()->setText(
        "5\t438.02500\t438.02500\tNone\tNone\tLow\tUnlock\tNo\tCLUB\r\n"
        "7\t446.00625\t\t67.0\tNone\tMiddle\tLock\tYes\tPMR1\r\n");
    m_frame->OnEditPaste();
    const ChannelGridTexts grid = Texts();
    EXPECT_EQ(grid[20], (ChannelTexts{"438.02500", "438.02500", "None", "None", "Low", "Unlock",
                                      "No", "CLUB"}));
    EXPECT_EQ(grid[21],
              (ChannelTexts{"446.00625", "", "67.0", "None", "Middle", "Lock", "Yes", "PMR1"}));
    EXPECT_EQ(m_frame->Action(ID_EDIT_UNDO)->text(), "&Undo Paste") << "a paste is one step";
    m_frame->OnEditUndo();
    EXPECT_EQ(Texts(), ChannelGridTexts{});
    EXPECT_FALSE(m_view->Channels().CanUndo());
    EXPECT_EQ(m_view->Selection().Rows(), (std::set<int>{20, 21})) << "undo shows its rows";
}

TEST_F(ExchangeTest, PasteWithoutNumbersStartsAtThePickedRow) {
    QGuiApplication::clipboard()->setText("438.01250\t438.01250\tNone\tNone\tHigh\tLock\tYes\tA\n"
                                          "440.00000\t\tNone\tNone\tLow\tLock\tNo\tB\n");
    ClickRowLabel(10);
    QTest::keyClick(m_view->Grid(), Qt::Key_V, Qt::ControlModifier);
    const ChannelGridTexts grid = Texts();
    EXPECT_EQ(grid[10][7], "A");
    EXPECT_EQ(grid[11], (ChannelTexts{"440.00000", "", "None", "None", "Low", "Lock", "No", "B"}));
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "2 channels pasted");
}

TEST_F(ExchangeTest, ImportThroughTheMenuIsOneStepThatUndoAndRedoTake) {
    TypeRx(0, "438.0125");
    const ChannelGridTexts before = Texts();
    WriteFile("club.csv", "\xEF\xBB\xBF"
                          "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,"
                          "Scan Add,Cha Name\r\n"
                          "0,,,,,,,,\r\n"
                          "3,462.56250,467.56250,D023N,D023N,Low,Unlock,No,\"GMRS3\"\r\n");
    m_chooser->openAnswer = TempPath("club.csv");
    m_frame->Action(ID_FILE_IMPORT_CHANNELS)->trigger();
    ASSERT_TRUE(m_prompter.shown.empty()) << m_prompter.shown[0].text;
    ChannelGridTexts imported = before;
    imported[0] = ChannelTexts{};
    imported[3] = {"462.56250", "467.56250", "D023N", "D023N", "Low", "Unlock", "No", "GMRS3"};
    EXPECT_EQ(Texts(), imported);
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), "2 channels imported from club.csv");

    ASSERT_TRUE(m_frame->Action(ID_EDIT_UNDO)->isEnabled());
    m_frame->Action(ID_EDIT_UNDO)->trigger();
    EXPECT_EQ(Texts(), before);
    ASSERT_TRUE(m_frame->Action(ID_EDIT_REDO)->isEnabled());
    m_frame->Action(ID_EDIT_REDO)->trigger();
    EXPECT_EQ(Texts(), imported);
    m_frame->OnEditUndo();
    m_frame->OnEditUndo(); // the typed channel
    EXPECT_EQ(Texts(), ChannelGridTexts{});
    EXPECT_FALSE(m_frame->Action(ID_EDIT_UNDO)->isEnabled());
}

TEST_F(ExchangeTest, RefusedRowsAreListedAndTheOthersComeInOnlyWhenTheUserSaysYes) {
    TypeRx(0, "438.0125");
    const ChannelGridTexts before = Texts();
    WriteFile("bad.csv", "CH,Rx Frequency,Tx Frequency,Power\n"
                         "5,440.00000,440.00000,Low\n"
                         "6,440.00300,,High\n"
                         "x,440.00000,,High\n");
    m_chooser->openAnswer = TempPath("bad.csv");
    m_prompter.yesAnswers = {false};
    m_frame->OnImportChannels();
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].caption, "Velmora Radio Tools");
    EXPECT_EQ(m_prompter.shown[0].text,
              "These rows cannot be imported:\n"
              "line 3: Rx Frequency '440.00300': Error data Value, please input according the "
              "step value(6.25K/5k).\n"
              "line 4: 'x' is not a channel number (0-199)\n\n"
              "Import the 1 other channels?");
    EXPECT_EQ(Texts(), before) << "Cancel imports nothing";

    m_prompter.yesAnswers = {true};
    ClickRowLabel(20);
    m_frame->OnImportChannels(true); // at the selected channel: the numbers do not count
    ChannelGridTexts imported = before;
    imported[20] = {"440.00000", "440.00000", "None", "None", "Low", "Lock", "Yes", ""};
    imported[21] = {"440.00000", "", "None", "None", "High", "Lock", "Yes", ""};
    EXPECT_EQ(Texts(), imported);
    EXPECT_EQ(m_frame->statusBar()->currentMessage(),
              "2 channels imported from bad.csv; 1 skipped");
    m_frame->OnEditUndo();
    EXPECT_EQ(Texts(), before) << "the import is one step";

    m_chooser->openAnswer = TempPath("missing.csv");
    m_frame->OnImportChannels();
    EXPECT_EQ(m_prompter.shown.back().text.rfind("Cannot open ", 0), 0u);
}

TEST_F(ExchangeTest, ExportWritesEitherKindAndAChirpListComesBack) {
    TypeRx(0, "438.0125");
    TypeRx(5, "446.00625");
    m_view->SetCurrentCell({5, Column::Name});
    QTest::keyClicks(m_view->Editor(Column::Name), "pmr"); // left open: the export takes it
    m_chooser->saveAnswer = TempPath("ours.csv");
    m_frame->OnExportChannels();
    EXPECT_EQ(m_chooser->proposedSaves, QStringList{"Velmora.csv"});
    EXPECT_EQ(m_chooser->offeredKinds,
              (QStringList{"Channel lists (*.csv)", "CHIRP channel lists (*.csv)"}));
    const ChannelGridTexts grid = Texts();
    EXPECT_EQ(grid[5][7], "PMR");
    QFile ours(TempPath("ours.csv"));
    ASSERT_TRUE(ours.open(QIODevice::ReadOnly));
    EXPECT_EQ(ours.readAll().toStdString(), ExportChannelsCsv(grid, Language::English));

    m_chooser->kind = 1;
    m_chooser->saveAnswer = TempPath("chirp.csv");
    m_frame->OnExportChannels();
    QFile chirp(TempPath("chirp.csv"));
    ASSERT_TRUE(chirp.open(QIODevice::ReadOnly));
    EXPECT_EQ(chirp.readAll().toStdString(), ExportChirpCsv(grid));

    m_frame->OnFileNew();
    Settle();
    m_chooser->openAnswer = TempPath("chirp.csv");
    m_frame->OnImportChannels();
    EXPECT_EQ(m_frame->ActiveView()->Channels().Texts(), grid);
}

TEST_F(ExchangeTest, EveryCommittedCellIsOneStepAndAnOpenEditIsUndoneFirst) {
    TypeRx(2, "440");
    m_view->SetCurrentCell({2, Column::Power});
    auto* power = static_cast<QComboBox*>(m_view->Editor(Column::Power));
    power->setCurrentIndex(2); // Low
    m_view->SetCurrentCell({2, Column::Lock});
    EXPECT_EQ(Texts()[2][4], "Low");
    EXPECT_EQ(m_frame->Action(ID_EDIT_UNDO)->text(), "&Undo Edit");

    QTest::keyClick(m_view->Editor(Column::Lock), Qt::Key_Z, Qt::ControlModifier); // a list
    EXPECT_EQ(Texts()[2][4], "High");
    m_view->SetCurrentCell({3, Column::Rx});
    QTest::keyClicks(m_view->Editor(Column::Rx), "450");
    m_frame->OnEditUndo(); // the typed 450 is committed, then taken back
    EXPECT_EQ(Texts()[3], ChannelTexts{});
    EXPECT_EQ(Texts()[2][0], "440.00000");
    m_frame->OnEditRedo();
    EXPECT_EQ(Texts()[3][0], "450.00000");
}

// Runs one transfer of the active window through its progress dialog, as a user would.
bool RunTransfer(CMainFrame& frame, bool write) {
    TransferCommands* transfer = frame.ActiveChildFrame()->Transfer();
    write ? frame.OnWrite() : frame.OnRead();
    CProcessDlg& dialog = transfer->ProcessDialog();
    if (!dialog.isVisible()) {
        return false;
    }
    dialog.OkButton()->click();
    QElapsedTimer timer;
    timer.start();
    while (transfer->IsRunning() && timer.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QApplication::processEvents();
    return !transfer->IsRunning() && !dialog.isVisible();
}

TEST_F(ExchangeTest, BackupsAreKeptBeforeAWriteAndAfterAReadAndOpenWithoutAFile) {
    ASSERT_TRUE(m_frame->StartDemoRadio());
    TypeRx(7, "446.00625");
    ASSERT_TRUE(RunTransfer(*m_frame, true));
    std::vector<BackupEntry> backups = Backups();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].reason, "write");
    EXPECT_EQ(backups[0].model, "VR-100");
    MemoryImage kept{};
    ASSERT_TRUE(LoadDataFile(backups[0].path, kept));
    EXPECT_EQ(kept, m_view->GetDocument()->m_image) << "the image that was sent";
    EXPECT_EQ(m_frame->statusBar()->currentMessage().toStdString(),
              "Backup kept: " + backups[0].path);

    m_frame->OnFileNew();
    Settle();
    m_view = m_frame->ActiveView();
    TypeRx(1, "440");
    ASSERT_TRUE(RunTransfer(*m_frame, false));
    EXPECT_FALSE(m_view->Channels().CanUndo()) << "a read starts a new history";
    backups = Backups();
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups[0].reason, "read");
    ASSERT_TRUE(LoadDataFile(backups[0].path, kept));
    EXPECT_EQ(kept, m_view->GetDocument()->m_image);

    CBackupListDlg dialog(backups, Language::English);
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(2), "Read");
    EXPECT_EQ(dialog.List()->topLevelItem(1)->text(2), "Write");
    EXPECT_EQ(dialog.ChosenPath().toStdString(), backups[0].path) << "the newest is chosen";

    ASSERT_TRUE(m_frame->OpenBackupFile(QString::fromStdString(backups[1].path)));
    Settle();
    CProgramView* opened = m_frame->ActiveView();
    EXPECT_EQ(opened->Channels().Texts()[7][0], "446.00625");
    EXPECT_FALSE(opened->GetDocument()->HasFileOfItsOwn()) << "Save must not overwrite it";
}

TEST_F(ExchangeTest, AFailedReadKeepsNoBackupAndATraceIsWrittenWhenAsked) {
    std::vector<std::string> messages;
    m_frame->ActiveChildFrame()->Transfer()->Controller().SetPromptHandlers(
        [](const std::string&) { return PromptAnswer::Cancel; },
        [&messages](const std::string& text) { messages.push_back(text); });
    m_frame->ActiveChildFrame()->Transfer()->Ports().Choose(
        3); // COM4: no device stands behind it here
    m_frame->Action(ID_SETUP_TRACE)->setChecked(true);
    ASSERT_TRUE(RunTransfer(*m_frame, false));
    EXPECT_EQ(messages.size(), 1u) << "the port did not open";
    EXPECT_TRUE(Backups().empty());

    ASSERT_TRUE(m_frame->StartDemoRadio());
    ASSERT_TRUE(RunTransfer(*m_frame, false));
    EXPECT_EQ(Backups().size(), 1u);
    const QDir traces(QString::fromStdString(TransferCommands::TraceFolder()));
    const QStringList files = traces.entryList({"trace-*-read.txt"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 2);
    EXPECT_GT(QFileInfo(traces.filePath(files[1])).size(), 1000) << "every byte of a read";
    EXPECT_TRUE(m_frame->statusBar()->currentMessage().endsWith("Transfer trace written to " +
                                                                traces.filePath(files[1])));
}

} // namespace
} // namespace velmora
