// Channel exchange in the window program, wired to the core's rules: Copy of a cell, Import with
// its question about refused rows, Export of both kinds, the undo history, and the backups and
// traces of transfers with the demo radio.
#include "channels/ChirpCsv.h"
#include "channels/CsvChannels.h"
#include "channels/GridTable.h"
#include "frame/BackupListDlg.h"
#include "image/DataFile.h"
#include "link/BackupFolder.h"
#include "link/BackupStore.h"
#include "support/FrameFixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QStatusBar>
#include <QTreeWidget>

namespace velmora {
namespace {

class ExchangeTest : public test::FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        m_frame->OnFileNew();
    }
    std::vector<BackupEntry> Backups() const {
        return BackupStore(DefaultBackupFolder()).List(m_app.catalog);
    }
};

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
    View()->SelectRows(20, 20);
    m_frame->OnImportChannels(true); // at the selected channel: the numbers do not count
    ChannelGridTexts imported = before;
    imported[20] = {"440.00000", "440.00000", "None", "None", "Low", "Lock", "Yes", ""};
    imported[21] = {"440.00000", "", "None", "None", "High", "Lock", "Yes", ""};
    EXPECT_EQ(Texts(), imported);
    EXPECT_EQ(m_frame->statusBar()->currentMessage(),
              "2 channels imported from bad.csv; 1 skipped");
    EXPECT_EQ(m_frame->Action(ID_EDIT_UNDO)->text(), "&Undo Import Channels");
    m_frame->OnEditUndo();
    EXPECT_EQ(Texts(), before) << "the import is one step";
    EXPECT_TRUE(m_frame->Action(ID_EDIT_REDO)->isEnabled());
    m_frame->OnEditRedo();
    EXPECT_EQ(Texts(), imported);

    m_chooser->openAnswer = TempPath("missing.csv");
    m_frame->OnImportChannels();
    EXPECT_EQ(m_prompter.shown.back().text.rfind("Cannot open ", 0), 0u);
}

TEST_F(ExchangeTest, ExportWritesEitherKindTheCoreWritesAndTakesAnOpenEdit) {
    TypeRx(0, "438.0125");
    TypeRx(5, "446.00625");
    Type(5, Column::Name, "pmr"); // left open: the export takes it
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
}

TEST_F(ExchangeTest, EveryCommittedCellIsOneStepAndAnOpenEditIsUndoneFirst) {
    TypeRx(2, "440");
    View()->SetCurrentCell({2, Column::Power});
    static_cast<QComboBox*>(View()->Editor(Column::Power))->setCurrentIndex(2); // Low
    View()->SetCurrentCell({2, Column::Lock});
    EXPECT_EQ(Texts()[2][4], "Low");
    EXPECT_EQ(m_frame->Action(ID_EDIT_UNDO)->text(), "&Undo Edit");

    QTest::keyClick(View()->Editor(Column::Lock), Qt::Key_Z, Qt::ControlModifier); // a list
    EXPECT_EQ(Texts()[2][4], "High");
    Type(3, Column::Rx, "450");
    m_frame->OnEditUndo(); // the typed 450 is committed, then taken back
    EXPECT_EQ(Texts()[3], ChannelTexts{});
    EXPECT_EQ(Texts()[2][0], "440.00000");
    m_frame->OnEditRedo();
    EXPECT_EQ(Texts()[3][0], "450.00000");

    // Without picked rows Copy takes the current cell.
    View()->SetCurrentCell({3, Column::Rx});
    m_frame->OnEditCopy();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "450.00000\r\n");
}

TEST_F(ExchangeTest, TransfersKeepBackupsAndTracesAndABackupOpensWithoutAFile) {
    // A read that fails keeps no backup; with Trace on, every transfer leaves its trace.
    std::vector<std::string> messages;
    TransferCommands* transfer = m_frame->ActiveChildFrame()->Transfer();
    transfer->Controller().SetPromptHandlers(
        [](const std::string&) { return PromptAnswer::Cancel; },
        [&messages](const std::string& text) { messages.push_back(text); });
    transfer->Ports().Choose(3); // COM4: no device stands behind it here
    m_frame->Action(ID_SETUP_TRACE)->setChecked(true);
    ASSERT_TRUE(RunTransfer(false));
    EXPECT_EQ(messages.size(), 1u) << "the port did not open";
    EXPECT_TRUE(Backups().empty());

    ASSERT_TRUE(m_frame->StartDemoRadio());
    TypeRx(7, "446.00625");
    ASSERT_TRUE(RunTransfer(true));
    std::vector<BackupEntry> backups = Backups();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].reason, "write");
    EXPECT_EQ(backups[0].model, "VR-100");
    MemoryImage kept{};
    ASSERT_TRUE(LoadDataFile(backups[0].path, kept));
    EXPECT_EQ(kept, View()->GetDocument()->m_image) << "the image that was sent";
    EXPECT_TRUE(m_frame->statusBar()->currentMessage().toStdString().starts_with(
        "Backup kept: " + backups[0].path + "   Transfer trace written to "));

    // A new document reads back what was written: the grid is refilled.
    m_frame->OnFileNew();
    Settle();
    TypeRx(1, "440");
    ASSERT_TRUE(RunTransfer(false));
    EXPECT_EQ(Texts()[7][0], "446.00625");
    EXPECT_EQ(Texts()[1][0], "") << "the read replaced the typed channel";
    EXPECT_FALSE(View()->Channels().CanUndo()) << "a read starts a new history";
    backups = Backups();
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups[0].reason, "read");
    ASSERT_TRUE(LoadDataFile(backups[0].path, kept));
    EXPECT_EQ(kept, View()->GetDocument()->m_image);
    const QDir traces(QString::fromStdString(TransferCommands::TraceFolder()));
    const QStringList files = traces.entryList({"trace-*-read.txt"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 2);
    EXPECT_GT(QFileInfo(traces.filePath(files[1])).size(), 1000) << "every byte of a read";
    EXPECT_TRUE(m_frame->statusBar()->currentMessage().endsWith("Transfer trace written to " +
                                                                traces.filePath(files[1])));

    CBackupListDlg dialog(backups, Language::English);
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.List()->topLevelItem(0)->text(2), "Read");
    EXPECT_EQ(dialog.ChosenPath().toStdString(), backups[0].path) << "the newest is chosen";
    ASSERT_TRUE(m_frame->OpenBackupFile(QString::fromStdString(backups[1].path)));
    Settle();
    EXPECT_EQ(Texts()[7][0], "446.00625");
    EXPECT_FALSE(View()->GetDocument()->HasFileOfItsOwn()) << "Save must not overwrite it";
}

} // namespace
} // namespace velmora
