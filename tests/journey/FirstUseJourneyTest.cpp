// A new user's first minutes with the window program, on a real X server: the demo radio, the
// keys the menus promise, a read that no edit can undercut, and the questions that keep unsaved
// work and existing files from being lost, in either language.
#include "channels/ChannelTableModel.h"
#include "channels/GridTable.h"
#include "document/TransferCommands.h"
#include "frame/ChildFrame.h"
#include "frame/LockKeyPanes.h"
#include "frame/TreeBar.h"
#include "journey/Journey.h"
#include "link/ComSetupDlg.h"
#include "link/DemoRadio.h"
#include "link/ProcessDlg.h"
#include "link/PtyRadio.h"
#include "settings/OptionalFeaturesDlg.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTreeWidget>

namespace velmora::journey {
namespace {

using C = Column;

class FirstUse : public ProgramUnderTest {
protected:
    // The modeless progress dialog once it is the active window.
    CProcessDlg* ProgressInFront() {
        WaitUntil(
            [] { return qobject_cast<CProcessDlg*>(QApplication::activeWindow()) != nullptr; },
            10000, true);
        return qobject_cast<CProcessDlg*>(QApplication::activeWindow());
    }
    bool Reading() const { return Frame()->ActiveChildFrame()->Transfer()->IsRunning(); }
};

TEST_F(FirstUse, TheDemoRadioIsReadFromTheFirstWindow) {
    Start({QStringLiteral("--demo")});
    // The program's keys reach whatever has the keyboard after a start: the Rx editor of the
    // first channel.
    EXPECT_EQ(QApplication::focusWidget(), View()->Editor(C::Rx));
    Press(Qt::Key_R, Qt::ControlModifier);
    CProcessDlg* progress = ProgressInFront();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->windowTitle(), "Read Data");
    Press(Qt::Key_Return); // OK
    ASSERT_TRUE(WaitUntil([this] { return Shown(0, C::Rx) == "438.01250"; }, 30000));
    EXPECT_EQ(Shown(7, C::Name), "GATE");
    const QRect cell = View()->Grid()->visualRect(View()->Model()->index(0, 0));
    EXPECT_TRUE(FullyVisible(View()->Grid()->viewport(), cell));
    EXPECT_EQ(Frame()->windowTitle(), "Velmora  [ Type:VR-100  Fre:400-470MHz ]");

    // Com Setup shows COM1 as the demo radio, and OK there keeps the window on it.
    WaitUntil([progress] { return !progress->isVisible(); });
    bool demoSelected = false;
    QString device;
    auto shown = WhenShown<CComSetupDlg>([&](CComSetupDlg* setup) {
        demoSelected = setup->Button(0)->isChecked();
        device = setup->DeviceLabel(0)->text();
        Press(Qt::Key_Return);
    });
    ChooseMenuItem(Qt::Key_S, Qt::Key_C);
    ASSERT_TRUE(*shown);
    EXPECT_TRUE(demoSelected);
    EXPECT_TRUE(device.startsWith("/dev/pts/")) << device.toStdString();
    EXPECT_EQ(Frame()->ActiveChildFrame()->Transfer()->PortName(), device.toStdString());
}

TEST_F(FirstUse, CtrlWWritesFromAnEditorOrTheGridAndCtrlF4HidesTheChannelWindow) {
    Start();
    Press(Qt::Key_W, Qt::ControlModifier); // the Rx editor has the keyboard
    CProcessDlg* progress = ProgressInFront();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->windowTitle(), "Write Data");
    Press(Qt::Key_Escape); // Cancel: nothing was sent
    ASSERT_TRUE(WaitUntil([progress] { return !progress->isVisible(); }));

    ASSERT_TRUE(WaitUntil([this] { return QApplication::activeWindow() == Frame(); }));
    Press(Qt::Key_Escape); // drops the edit: the grid itself has the keyboard
    EXPECT_EQ(QApplication::focusWidget(), View()->Grid());
    Press(Qt::Key_W, Qt::ControlModifier);
    ASSERT_NE(ProgressInFront(), nullptr);
    Press(Qt::Key_Escape);

    ASSERT_TRUE(WaitUntil([this] { return QApplication::activeWindow() == Frame(); }));
    CChildFrame* window = Frame()->ActiveChildFrame();
    Press(Qt::Key_F4, Qt::ControlModifier);
    ASSERT_TRUE(WaitUntil([window] { return window->isHidden(); }));
    EXPECT_EQ(Frame()->ActiveChildFrame(), window) << "hidden, not closed";
    ChooseMenuItem(Qt::Key_E, Qt::Key_C); // Edit > Channel Information
    ASSERT_TRUE(WaitUntil([window] { return window->isVisible(); }));
    EXPECT_TRUE(FullyVisible(View()->Grid()->viewport()));

    // The lock-key panes show how the X server says the keys stand, and follow them.
    QLabel* caps = Frame()->LockKeys()->Pane(0);
    EXPECT_TRUE(caps->isEnabled());
    const bool wasOn = caps->text() == "CAP";
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "Caps_Lock"}), 0);
    EXPECT_TRUE(WaitUntil([caps, wasOn] { return (caps->text() == "CAP") != wasOn; }, 3000));
    QProcess::execute(QStringLiteral("xdotool"), {"key", "Caps_Lock"});
    EXPECT_TRUE(WaitUntil([caps, wasOn] { return (caps->text() == "CAP") == wasOn; }, 3000));
}

TEST_F(FirstUse, TheSettingsWaitWhileAReadRuns) {
    // A radio switched on only while the program already calls it: the read spends its first
    // seconds on wake-up attempts.
    RadioBehaviour late;
    late.answerFromAttempt = 3;
    std::string error;
    std::unique_ptr<PtyRadio> radio = PtyRadio::Create(DemoRadioMemory(), {false, late, {}}, error);
    ASSERT_NE(radio, nullptr) << error;
    radio->Start();
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QString())
        .setValue(QStringLiteral("COM1"), QString::fromStdString(radio->DevicePath()));
    Start();

    Press(Qt::Key_R, Qt::ControlModifier);
    ASSERT_NE(ProgressInFront(), nullptr);
    Press(Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([this] { return Reading(); }));
    EXPECT_FALSE(Frame()->Action(ID_EDIT_OPTIONAL_FEATURES)->isEnabled());
    EXPECT_FALSE(Frame()->Action(ID_EDIT_PRODUCT_INFORMATION)->isEnabled());
    EXPECT_FALSE(Frame()->Action(ID_EDIT_PASTE)->isEnabled());
    EXPECT_FALSE(Frame()->Action(ID_FILE_OPEN)->isEnabled());

    // The tree's Optional Features is tried: nothing opens, the status bar says why.
    QTreeWidget* tree = Frame()->TreeBar()->Tree();
    QTreeWidgetItem* optional = Frame()->TreeBar()->Root()->child(2);
    Click(tree->viewport(), tree->visualItemRect(optional).center());
    WaitUntil([] { return false; }, 300);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Frame()->statusBar()->currentMessage(),
              "Not while the radio is being read or written.");
    EXPECT_TRUE(Reading()) << "the read took long enough to be tried during it";

    ASSERT_TRUE(WaitUntil([this] { return !Reading(); }, 30000));
    EXPECT_EQ(Shown(0, C::Rx), "438.01250");
    EXPECT_TRUE(Frame()->Action(ID_EDIT_OPTIONAL_FEATURES)->isEnabled());
    auto opened = WhenShown<COptionalFeaturesDlg>([](QDialog*) { Press(Qt::Key_Escape); });
    Click(tree->viewport(), tree->visualItemRect(optional).center());
    EXPECT_TRUE(*opened);
}

TEST_F(FirstUse, TypedWorkIsUndoneAskedAboutBeforeReplacingAFileAndSavedAtExit) {
    Start(); // a new document: the first model's 136-174 MHz band
    Type(QStringLiteral("145.5"));
    Press(Qt::Key_Return);
    ASSERT_EQ(Shown(0, C::Tx), "145.50000");
    EXPECT_EQ(QApplication::focusWidget(), View()->Editor(C::Tx));
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Shown(0, C::Rx), "");
    EXPECT_EQ(View()->Selection().Rows(), std::set<int>{0}) << "the row taken back is shown";
    Press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Shown(0, C::Rx), "145.50000");

    // Typing in an editor is undone first, as in a spreadsheet.
    View()->SetCurrentCell({0, C::Tx});
    Type(QStringLiteral("4"));
    auto* tx = static_cast<QLineEdit*>(View()->Editor(C::Tx));
    EXPECT_EQ(tx->text(), "4");
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(tx->text(), "145.50000");
    EXPECT_EQ(Shown(0, C::Rx), "145.50000");

    // Save As asks before it replaces a file named without its ".dat".
    QFile existing(TempPath(QStringLiteral("test1.dat")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write(QByteArray(8192, '\x11'));
    existing.close();
    QString question;
    auto dialogShown = WhenShown<QFileDialog>([&](QFileDialog*) {
        auto replaceAsked = WhenShown<QMessageBox>([&](QMessageBox* box) {
            question = box->text();
            Press(Qt::Key_Escape); // No
        });
        Type(TempPath(QStringLiteral("test1")));
        Press(Qt::Key_Return);
        EXPECT_TRUE(*replaceAsked);
        Press(Qt::Key_Escape); // and no save at all
    });
    ChooseMenuItem(Qt::Key_F, Qt::Key_A); // File > Save As...
    ASSERT_TRUE(*dialogShown);
    EXPECT_TRUE(question.contains("test1.dat already exists")) << question.toStdString();
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray(8192, '\x11')) << "nothing replaced it";

    // Exit asks about the unsaved work: Cancel keeps the program, Save writes the file.
    auto asked = WhenShown<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        Press(Qt::Key_Escape); // Cancel
    });
    ChooseMenuItem(Qt::Key_F, Qt::Key_X); // File > Exit
    ASSERT_TRUE(*asked);
    EXPECT_EQ(question, "Save changes to Channel Information?");
    EXPECT_TRUE(Frame()->isVisible()) << "Cancel keeps the program";
    auto saveChosen = WhenShown<QMessageBox>([](QMessageBox* box) {
        QAbstractButton* save = box->button(QMessageBox::Save);
        Click(save, save->rect().center());
    });
    // The document has no file yet: Save asks where it goes.
    auto named = WhenShown<QFileDialog>([this](QFileDialog*) {
        Type(TempPath(QStringLiteral("club")));
        Press(Qt::Key_Return);
    });
    ChooseMenuItem(Qt::Key_F, Qt::Key_X);
    ASSERT_TRUE(*saveChosen);
    ASSERT_TRUE(*named);
    ASSERT_TRUE(WaitUntil([this] { return !Frame()->isVisible(); }));
    QFile saved(TempPath(QStringLiteral("club.dat")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    ASSERT_EQ(bytes.size(), 8192);
    EXPECT_EQ(bytes.left(4), QByteArray("\x00\x00\x55\x14", 4)) << "channel 0 at 145.50000";
}

TEST_F(FirstUse, TheLastRowAndColumnCanBeReachedInASmallWindow) {
    Start();
    for (const QSize size : {QSize(800, 600), QSize(1000, 600)}) {
        Frame()->showNormal();
        Frame()->resize(size);
        ASSERT_TRUE(WaitUntil([this, size] { return Frame()->size() == size; }))
            << size.width() << "x" << size.height();
        View()->SetCurrentCell({0, C::Rx});
        Press(Qt::Key_Escape); // the grid itself has the keyboard
        Press(Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(View()->CurrentCell(), (GridCell{199, C::Name}));
        QWidget* editor = View()->Editor(C::Name);
        ASSERT_TRUE(WaitUntil([editor] { return editor->isVisible(); }));
        EXPECT_TRUE(FullyVisible(editor)) << "the last cell's editor at " << size.width();
        EXPECT_TRUE(FullyVisible(View()->Grid()->verticalScrollBar()));
        if (View()->Grid()->horizontalScrollBar()->isVisible()) {
            EXPECT_TRUE(FullyVisible(View()->Grid()->horizontalScrollBar()));
        }
        Type(QStringLiteral("END"));
        Press(Qt::Key_Return);
        EXPECT_EQ(View()->CurrentCell(), (GridCell{0, C::Rx})) << "Enter wraps to the first row";
        EXPECT_TRUE(FullyVisible(View()->Editor(C::Rx)));
    }
}

// With Chinese chosen, every word a user meets is Chinese: Qt's own buttons and window menus as
// well as the program's texts.
class Chinese : public ProgramUnderTest {};

TEST_F(Chinese, AStandardMessageBoxAndTheWindowMenuSpeakChinese) {
    Start({}, "Chinese");
    Type(QStringLiteral("145.5"));
    Press(Qt::Key_Return);
    QString question;
    QStringList buttons;
    auto asked = WhenShown<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        for (QMessageBox::StandardButton button :
             {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel}) {
            buttons << box->button(button)->text();
        }
        Press(Qt::Key_Escape);
    });
    Frame()->close(); // the window's close box
    ASSERT_TRUE(*asked);
    EXPECT_EQ(question, "是否保存对“信道信息”的更改？");
    EXPECT_EQ(buttons, (QStringList{"保存", "丢弃", "取消"}));
    EXPECT_TRUE(Frame()->isVisible());

    QStringList menu;
    for (QAction* action : Frame()->ActiveChildFrame()->systemMenu()->actions()) {
        menu << action->text();
    }
    EXPECT_TRUE(menu.contains("关闭(&C)")) << menu.join('|').toStdString();
}

} // namespace
} // namespace velmora::journey
