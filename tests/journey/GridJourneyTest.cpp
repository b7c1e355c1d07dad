// The grid used as a spreadsheet, on a real X server: rows picked by their labels and pasted
// where the user points, the context menu, Find bringing a far channel into view, the marks of
// a comparison, and an import of a mixed-band list that asks about the rows that do not fit.
#include "channels/ChannelTableModel.h"
#include "channels/GridTable.h"
#include "image/DataFile.h"
#include "journey/Journey.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QStatusBar>

namespace velmora::journey {
namespace {

using C = Column;

class GridJourney : public ProgramUnderTest {
protected:
    // A file of the user's with channels 0..7 of a club on 400-470 MHz, and one far down.
    QString ClubFile(const QString& name, const std::function<void(MemoryImage&)>& change = {}) {
        MemoryImage image = NewImage();
        const char* names[] = {"CALL", "PMR1", "PMR2", "RPT-1", "BARN", "SEC-A", "LISTEN", "GATE"};
        for (int i = 0; i < 8; ++i) {
            const std::string rx = "446.0" + std::to_string(1 + i) + "250";
            EncodeChannel(image, i, {rx, rx, "None", "None", "High", "Lock", "Yes", names[i]});
        }
        EncodeChannel(image, 150,
                      {"462.55000", "462.55000", "67.0", "67.0", "Low", "Lock", "No", "FAR"});
        image[offset::BandIndex] = 1; // 400-470MHz
        if (change) {
            change(image);
        }
        const QString path = TempPath(name);
        EXPECT_TRUE(SaveDataFile(path.toStdString(), image));
        return path;
    }
    QHeaderView* Labels() const { return View()->Grid()->verticalHeader(); }
    QPoint LabelPoint(int row) const {
        View()->Grid()->scrollTo(View()->Model()->index(row, 0));
        return {Labels()->width() / 2,
                Labels()->sectionViewportPosition(row) + Labels()->sectionSize(row) / 2};
    }
    void ClickLabel(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Click(Labels()->viewport(), LabelPoint(row), Qt::LeftButton, modifiers);
    }
    bool RowInSight(int row) const {
        const QRect cell = View()->Grid()->visualRect(View()->Model()->index(row, 0));
        return FullyVisible(View()->Grid()->viewport(), cell);
    }
};

TEST_F(GridJourney, RowsPickedByTheirLabelsAreCopiedInsertedAndFound) {
    Start({ClubFile(QStringLiteral("club.dat"))});
    ClickLabel(2);
    ClickLabel(4, Qt::ShiftModifier);
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Frame()->statusBar()->currentMessage(), "3 channels copied");
    ClickLabel(19);
    Press(Qt::Key_V, Qt::ControlModifier);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(View()->Channels().Row(19 + i), View()->Channels().Row(2 + i)) << 19 + i;
    }
    EXPECT_EQ(Shown(21, C::Name), "BARN");
    EXPECT_EQ(View()->Selection().Rows(), (std::set<int>{19, 20, 21}));
    EXPECT_TRUE(RowInSight(19));

    // A row label's context menu inserts an empty channel at the picked row.
    QString offered;
    auto shown = WhenFound([] { return QApplication::activePopupWidget(); },
                           [&](QWidget* popup) {
                               auto* menu = qobject_cast<QMenu*>(popup);
                               ASSERT_NE(menu, nullptr);
                               QAction* insert = nullptr;
                               for (QAction* action : menu->actions()) {
                                   offered += action->text() + QLatin1Char('|');
                                   insert = action->text() == "&Insert Row" ? action : insert;
                               }
                               ASSERT_NE(insert, nullptr);
                               Click(menu, menu->actionGeometry(insert).center());
                           },
                           "menu");
    ClickLabel(5);
    ServerClick(Labels()->viewport(), LabelPoint(5), 3); // the right button
    ASSERT_TRUE(WaitUntil([shown] { return *shown; }));
    EXPECT_TRUE(offered.contains("Cu&t|Cop&y|P&aste|&Delete|")) << offered.toStdString();
    EXPECT_EQ(Shown(5, C::Rx), "");
    EXPECT_EQ(Shown(6, C::Name), "SEC-A") << "the rows below moved down";
    EXPECT_EQ(Shown(151, C::Name), "FAR");

    // Find brings a far channel into view.
    ASSERT_FALSE(RowInSight(151));
    auto asked = WhenShown<QInputDialog>([](QInputDialog*) {
        Type(QStringLiteral("far"));
        Press(Qt::Key_Return);
    });
    Press(Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(*asked);
    EXPECT_EQ(View()->CurrentCell(), (GridCell{151, C::Name}));
    EXPECT_TRUE(RowInSight(151));
    EXPECT_TRUE(FullyVisible(View()->Editor(C::Name)));
    Press(Qt::Key_F3); // the next match wraps round to the same channel
    EXPECT_EQ(View()->CurrentCell(), (GridCell{151, C::Name}));
}

TEST_F(GridJourney, CompareMarksTheCellsThatDifferAndListsTheOptions) {
    Start({ClubFile(QStringLiteral("ours.dat"))});
    const QString theirs = ClubFile(QStringLiteral("theirs.dat"), [](MemoryImage& image) {
        EncodeChannel(image, 3,
                      {"446.04375", "446.04250", "None", "None", "High", "Lock", "Yes", "RPT-1"});
        image[offset::Step] = 5; // 25k
    });
    auto named = WhenShown<QFileDialog>([&](QFileDialog*) {
        Type(theirs);
        Press(Qt::Key_Return);
    });
    QString listed;
    auto told = WhenShown<QMessageBox>([&](QMessageBox* box) {
        listed = box->text();
        Press(Qt::Key_Return);
    });
    ChooseMenuItem(Qt::Key_F, Qt::Key_M); // File > Compare With...
    ASSERT_TRUE(*named);
    ASSERT_TRUE(*told);
    EXPECT_TRUE(listed.contains("option Step: 12.5k -> 25k")) << listed.toStdString();
    const QModelIndex rx = View()->Model()->index(3, 0);
    EXPECT_EQ(rx.data(Qt::BackgroundRole).value<QColor>(), ChannelTableModel::DifferenceColour());
    EXPECT_EQ(rx.data(Qt::ToolTipRole).toString(), "In theirs.dat: 446.04375");
    EXPECT_FALSE(View()->Model()->index(3, 1).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(View()->CurrentCell(), (GridCell{3, C::Rx})) << "the first difference is current";
    EXPECT_TRUE(RowInSight(3));

    // Typing the file's value removes the mark.
    Type(QStringLiteral("446.04375"));
    Press(Qt::Key_Return);
    EXPECT_FALSE(rx.data(Qt::BackgroundRole).isValid());
}

TEST_F(GridJourney, AMixedBandListAsksAboutTheRowsThatDoNotFit) {
    Start(); // a new document: 136-174 MHz
    auto named = WhenShown<QFileDialog>([](QFileDialog*) {
        Type(QStringLiteral(VELMORA_SOURCE_DIR "/tests/data/exchange/mixed-band.csv"));
        Press(Qt::Key_Return);
    });
    QString question;
    QString afterwards;
    std::shared_ptr<bool> noted;
    auto asked = WhenShown<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        // The rows that repeat an earlier one are told once the import is done.
        noted = WhenShown<QMessageBox>([&](QMessageBox* note) {
            afterwards = note->text();
            Press(Qt::Key_Return);
        });
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        Click(yes, yes->rect().center());
    });
    ChooseMenuItem(Qt::Key_F, Qt::Key_I); // File > Import Channels...
    ASSERT_TRUE(*named);
    ASSERT_TRUE(*asked);
    EXPECT_TRUE(question.startsWith("These rows cannot be imported:\nline 2: "))
        << question.toStdString();
    EXPECT_TRUE(question.contains("line 9: mode AM: this radio transmits FM only"));
    EXPECT_TRUE(question.endsWith("Import the 3 other channels?")) << question.toStdString();
    ASSERT_TRUE(noted && *noted);
    EXPECT_EQ(afterwards.toStdString(),
              "The channels were imported. Note:\nline 10: warning: same Rx frequency and tones as "
              "channel 1 (line 3)");
    EXPECT_EQ(Shown(1, C::Rx), "146.52000");
    EXPECT_EQ(Shown(2, C::Tx), "145.15000");
}

} // namespace
} // namespace velmora::journey
