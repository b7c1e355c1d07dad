// The channel view's wiring, driven as a user drives it: keys and clicks into the cells, the
// editors laid over them, the message of a refused value, and the trip into the image. What a
// committed cell does to a row is the core's and tested there.
#include "document/ProgramView.h"

#include "channels/ChannelTableModel.h"
#include "channels/GridTable.h"
#include "support/FrameFixture.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace velmora {
namespace {

using C = Column;
const ChannelTexts kNewChannel{"438.01250", "438.01250", "None", "None", "High", "Lock", "Yes", ""};

class ProgramViewTest : public test::FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        m_frame->resize(1280, 800);
        m_frame->OnFileNew();
    }
    const std::string& Cell(int row, Column column) const {
        return View()->Channels().Text(row, column);
    }
    const ChannelTexts& Row(int row) const { return View()->Channels().Row(row); }
    QLineEdit* LineEditor(Column column) const {
        return static_cast<QLineEdit*>(View()->Editor(column));
    }
    QComboBox* ListEditor(Column column) const {
        return static_cast<QComboBox*>(View()->Editor(column));
    }
    void Key(Column column, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(View()->Editor(column), key, modifiers);
    }
    bool NoEditorShown() const {
        for (Column column : kColumns) {
            if (View()->Editor(column)->isVisible()) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(ProgramViewTest, NewDocumentShowsLabelledRowsInTheProductsBand) {
    const QAbstractItemModel* model = View()->Grid()->model();
    ASSERT_EQ(model->rowCount(), 200);
    ASSERT_EQ(model->columnCount(), 8);
    EXPECT_EQ(model->headerData(7, Qt::Horizontal).toString(), "Cha Name");
    EXPECT_EQ(model->headerData(0, Qt::Vertical).toString(), "Pr");
    EXPECT_EQ(model->headerData(1, Qt::Vertical).toString(), "  1");
    EXPECT_EQ(model->headerData(5, Qt::Vertical, Qt::ForegroundRole).value<QColor>(),
              QColor(0x00, 0x32, 0xF0));
    EXPECT_EQ(View()->Band().high, 47000000);
    EXPECT_GT(View()->Grid()->columnWidth(0), View()->Grid()->columnWidth(2));
}

TEST_F(ProgramViewTest, ARefusedValueIsToldAndEnterStaysOnTheCell) {
    TypeRx(3, "438.0125");
    Type(3, C::Rx, "438.0030");
    Key(C::Rx, Qt::Key_Return);
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].caption, "Caution");
    EXPECT_EQ(m_prompter.shown[0].text, std::string(txt::MsgOffRaster.en));
    EXPECT_EQ(Row(3), kNewChannel);
    EXPECT_EQ(View()->CurrentCell(), (GridCell{3, C::Rx}));
    EXPECT_TRUE(NoEditorShown());

    // Leaving the cell with a refused value also keeps the row, and goes on to the next cell.
    m_prompter.shown.clear();
    Type(3, C::Tx, "438.0030");
    Key(C::Tx, Qt::Key_Tab);
    EXPECT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(Row(3), kNewChannel);
    EXPECT_EQ(View()->CurrentCell(), (GridCell{3, C::DecodeTone}));
}

TEST_F(ProgramViewTest, EnterTabAndArrowsMoveWithTheWrapAtTheEnds) {
    const struct {
        GridCell from;
        Qt::Key key;
        GridCell to;
    } cases[] = {
        {{0, C::Rx}, Qt::Key_Return, {0, C::Tx}},     {{6, C::Name}, Qt::Key_Return, {7, C::Rx}},
        {{199, C::Name}, Qt::Key_Return, {0, C::Rx}}, {{0, C::Rx}, Qt::Key_Backtab, {199, C::Name}},
        {{199, C::Name}, Qt::Key_Tab, {0, C::Rx}},    {{9, C::Power}, Qt::Key_Down, {10, C::Power}},
        {{9, C::Rx}, Qt::Key_Up, {8, C::Rx}},
    };
    for (const auto& c : cases) {
        View()->SetCurrentCell(c.from);
        Key(c.from.column, c.key);
        EXPECT_EQ(View()->CurrentCell(), c.to) << c.from.row << " key " << c.key;
        EXPECT_TRUE(View()->Editor(c.to.column)->isVisible());
    }
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(ProgramViewTest, EscapeAndScrollingDropTheEditAndTypingIntoTheGridStartsOne) {
    Type(10, C::Rx, "440");
    Key(C::Rx, Qt::Key_Escape);
    EXPECT_TRUE(NoEditorShown());
    EXPECT_EQ(Cell(10, C::Rx), "");
    QTest::keyClicks(View()->Grid(), "460");
    EXPECT_EQ(LineEditor(C::Rx)->text(), "460");
    Key(C::Rx, Qt::Key_Return);
    EXPECT_EQ(Cell(10, C::Rx), "460.00000");

    Type(10, C::Rx, "450");
    View()->Grid()->verticalScrollBar()->setValue(50);
    EXPECT_TRUE(NoEditorShown());
    View()->StoreChannels();
    EXPECT_EQ(Cell(10, C::Rx), "460.00000");
}

TEST_F(ProgramViewTest, AListVisitedWithoutAChoiceKeepsAValueThatIsNoEntry) {
    // A tone and a power level the radio holds but the lists do not offer.
    MemoryImage image = NewImage();
    EncodeChannel(image, 4, {"438.01250", "438.01250", "69.0", "None", "High", "Lock", "Yes", ""});
    image[4 * 16 + 12] = (image[4 * 16 + 12] & ~0x30) | 0x30; // power bits 11
    View()->GetDocument()->m_image = image;
    View()->ShowChannels();
    image = View()->GetDocument()->m_image; // with the band bytes the fill writes
    ASSERT_EQ(Cell(4, C::DecodeTone), "69.0");
    ASSERT_EQ(Cell(4, C::Power), "");

    View()->SetCurrentCell({4, C::DecodeTone});
    EXPECT_EQ(ListEditor(C::DecodeTone)->currentText(), "69.0");
    EXPECT_EQ(ListEditor(C::DecodeTone)->count(), 262) << "the cell's text comes first";
    Key(C::DecodeTone, Qt::Key_Tab);
    Key(C::EncodeTone, Qt::Key_Tab);
    EXPECT_EQ(ListEditor(C::Power)->currentText(), "");
    Key(C::Power, Qt::Key_Tab);
    View()->StoreChannels();
    EXPECT_EQ(View()->GetDocument()->m_image, image) << "nothing was chosen, so nothing changed";

    // Choosing an entry stores it; the extra entry is gone the next time the list opens.
    View()->SetCurrentCell({4, C::DecodeTone});
    ListEditor(C::DecodeTone)->setCurrentIndex(2); // "67.0", after the extra entry
    Key(C::DecodeTone, Qt::Key_Return);
    EXPECT_EQ(Cell(4, C::DecodeTone), "67.0");
    View()->SetCurrentCell({4, C::DecodeTone});
    EXPECT_EQ(ListEditor(C::DecodeTone)->count(), 261);
}

TEST_F(ProgramViewTest, ClickingACellCommitsTheOpenEditAndOpensTheCellsEditor) {
    GridTable* grid = View()->Grid();
    const auto click = [grid](int row, Column column) {
        const QRect cell = grid->visualRect(grid->model()->index(row, int(Index(column))));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    };
    Type(3, C::Rx, "438.0125");
    click(4, C::Power);
    EXPECT_EQ(Row(3), kNewChannel);
    EXPECT_EQ(View()->CurrentCell(), (GridCell{4, C::Power}));
    EXPECT_TRUE(ListEditor(C::Power)->isVisible());

    Key(C::Power, Qt::Key_Escape);
    EXPECT_TRUE(NoEditorShown());
    click(4, C::Power);
    EXPECT_TRUE(ListEditor(C::Power)->isVisible()) << "a click on the current cell opens it again";
}

TEST_F(ProgramViewTest, TheNameEditorRefusesWhatANameCannotHold) {
    TypeRx(4, "438.0125");
    Type(4, C::Name, "ab c.d-efgh");
    QKeyEvent chinese(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("中"));
    QApplication::sendEvent(LineEditor(C::Name), &chinese);
    EXPECT_EQ(LineEditor(C::Name)->text(), "ABCD-E") << "refused keys, then the 6-key limit";
    Key(C::Name, Qt::Key_Tab);
    EXPECT_EQ(Cell(4, C::Name), "ABCD-E");

    // A name of eight characters read from the radio survives a visit of its cell.
    View()->StoreChannels();
    MemoryImage image = View()->GetDocument()->m_image;
    EncodeChannel(image, 4,
                  {"438.01250", "438.01250", "None", "None", "High", "Lock", "Yes", "RADIO123"});
    View()->GetDocument()->m_image = image;
    View()->ShowChannels();
    View()->SetCurrentCell({4, C::Name});
    EXPECT_EQ(LineEditor(C::Name)->text(), "RADIO123");
    Key(C::Name, Qt::Key_Tab);
    EXPECT_EQ(Cell(4, C::Name), "RADIO123");
}

} // namespace
} // namespace velmora
