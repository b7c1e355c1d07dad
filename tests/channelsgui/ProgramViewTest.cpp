// The channel view's wiring, driven as a user drives it: keys and clicks into the cells, the
// editors laid over them, the message of a refused value, and the trip into the image. What a
// committed cell does to a row is the core's and tested there.
#include "document/ProgramView.h"

#include "channels/ChannelTableModel.h"
#include "channels/GridTable.h"
#include "support/RecordingPrompter.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace velmora {
namespace {

using C = Column;
const ChannelTexts kEmptyRow{};
const ChannelTexts kNewChannel{"438.01250", "438.01250", "None", "None", "High", "Lock", "Yes", ""};

class ProgramViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_app.lang = Language::English;
        m_app.catalog.typeNames = {"VM-7"};
        m_app.catalog.bandLists.assign(kMaxProductTypes, "");
        m_app.catalog.bandLists[0] = "400-470MHz|136-174MHz";
        m_app.catalog.titleBase = "Velmora";
        m_app.store = &m_store;
        m_app.prompter = &m_prompter;
        m_doc.m_image = NewImage();

        m_view = std::make_unique<CProgramView>(&m_doc, m_app);
        QObject::connect(m_view.get(), &CProgramView::titleChanged,
                         [this](const QString& title) { m_title = title; });
        m_view->resize(1000, 600);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->OnInitialUpdate();
    }

    const std::string& Cell(int row, Column column) const {
        return m_view->Channels().Text(row, column);
    }
    const ChannelTexts& Row(int row) const { return m_view->Channels().Row(row); }
    QLineEdit* LineEditor(Column column) const {
        return static_cast<QLineEdit*>(m_view->Editor(column));
    }
    QComboBox* ListEditor(Column column) const {
        return static_cast<QComboBox*>(m_view->Editor(column));
    }
    // Makes the cell current and types over the text its editor opened with.
    void Type(int row, Column column, const char* text) {
        m_view->SetCurrentCell({row, column});
        QTest::keyClicks(LineEditor(column), text);
    }
    void Key(Column column, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_view->Editor(column), key, modifiers);
    }
    void AddChannel(int row) {
        Type(row, C::Rx, "438.0125");
        Key(C::Rx, Qt::Key_Return);
    }
    bool NoEditorShown() const {
        for (Column column : kColumns) {
            if (m_view->Editor(column)->isVisible()) {
                return false;
            }
        }
        return true;
    }

    CProgramDoc m_doc;
    MemoryUserStore m_store;
    test::RecordingPrompter m_prompter;
    AppContext m_app;
    std::unique_ptr<CProgramView> m_view;
    QString m_title;
};

TEST_F(ProgramViewTest, NewDocumentShowsLabelledRowsAndTheProductTitle) {
    const QAbstractItemModel* model = m_view->Grid()->model();
    ASSERT_EQ(model->rowCount(), 200);
    ASSERT_EQ(model->columnCount(), 8);
    EXPECT_EQ(model->headerData(7, Qt::Horizontal).toString(), "Cha Name");
    EXPECT_EQ(model->headerData(0, Qt::Vertical).toString(), "Pr");
    EXPECT_EQ(model->headerData(1, Qt::Vertical).toString(), "  1");
    EXPECT_EQ(model->headerData(5, Qt::Vertical, Qt::ForegroundRole).value<QColor>(),
              QColor(0x00, 0x32, 0xF0));
    EXPECT_EQ(m_title, "Velmora  [ Type:VM-7  Fre:400-470MHz ]");
    EXPECT_EQ(m_view->Band().high, 47000000);
    EXPECT_GT(m_view->Grid()->columnWidth(0), m_view->Grid()->columnWidth(2));
}

TEST_F(ProgramViewTest, EnterCommitsTheTypedFrequencyAndOpensTheNextCell) {
    AddChannel(5);
    EXPECT_EQ(Row(5), kNewChannel);
    EXPECT_EQ(m_view->Grid()->model()->index(5, 0).data().toString(), "438.01250");
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_EQ(m_view->CurrentCell(), (GridCell{5, C::Tx}));
    EXPECT_TRUE(LineEditor(C::Tx)->isVisible());
    EXPECT_EQ(LineEditor(C::Tx)->selectedText(), "438.01250") << "typing replaces the text";
}

TEST_F(ProgramViewTest, ARefusedValueIsToldAndEnterStaysOnTheCell) {
    AddChannel(3);
    Type(3, C::Rx, "438.0030");
    Key(C::Rx, Qt::Key_Return);
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].caption, "Caution");
    EXPECT_EQ(m_prompter.shown[0].text, std::string(txt::MsgOffRaster.en));
    EXPECT_EQ(Row(3), kNewChannel);
    EXPECT_EQ(m_view->CurrentCell(), (GridCell{3, C::Rx}));
    EXPECT_TRUE(NoEditorShown());

    // Leaving the cell with a refused value also keeps the row, and goes on to the next cell.
    m_prompter.shown.clear();
    Type(3, C::Tx, "438.0030");
    Key(C::Tx, Qt::Key_Tab);
    EXPECT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(Row(3), kNewChannel);
    EXPECT_EQ(m_view->CurrentCell(), (GridCell{3, C::DecodeTone}));
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
        m_view->SetCurrentCell(c.from);
        Key(c.from.column, c.key);
        EXPECT_EQ(m_view->CurrentCell(), c.to) << c.from.row << " key " << c.key;
        EXPECT_TRUE(m_view->Editor(c.to.column)->isVisible());
    }
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(ProgramViewTest, EscapeDropsTheEditAndTypingIntoTheGridStartsOne) {
    Type(10, C::Rx, "440");
    Key(C::Rx, Qt::Key_Escape);
    EXPECT_TRUE(NoEditorShown());
    EXPECT_EQ(Cell(10, C::Rx), "");
    QTest::keyClicks(m_view->Grid(), "460");
    EXPECT_EQ(LineEditor(C::Rx)->text(), "460");
    Key(C::Rx, Qt::Key_Return);
    EXPECT_EQ(Cell(10, C::Rx), "460.00000");
}

TEST_F(ProgramViewTest, AListVisitedWithoutAChoiceKeepsAValueThatIsNoEntry) {
    // A tone and a power level the radio holds but the lists do not offer.
    MemoryImage image = NewImage();
    EncodeChannel(image, 4, {"438.01250", "438.01250", "69.0", "None", "High", "Lock", "Yes", ""});
    image[4 * 16 + 12] = (image[4 * 16 + 12] & ~0x30) | 0x30; // power bits 11
    m_doc.m_image = image;
    m_view->ShowChannels();
    image = m_doc.m_image; // with the band bytes the fill writes
    ASSERT_EQ(Cell(4, C::DecodeTone), "69.0");
    ASSERT_EQ(Cell(4, C::Power), "");

    m_view->SetCurrentCell({4, C::DecodeTone});
    EXPECT_EQ(ListEditor(C::DecodeTone)->currentText(), "69.0");
    EXPECT_EQ(ListEditor(C::DecodeTone)->count(), 262) << "the cell's text comes first";
    Key(C::DecodeTone, Qt::Key_Tab);
    Key(C::EncodeTone, Qt::Key_Tab);
    EXPECT_EQ(ListEditor(C::Power)->currentText(), "");
    Key(C::Power, Qt::Key_Tab);
    m_view->StoreChannels();
    EXPECT_EQ(m_doc.m_image, image) << "nothing was chosen, so nothing changed";

    // Choosing an entry stores it; the extra entry is gone the next time the list opens.
    m_view->SetCurrentCell({4, C::DecodeTone});
    ListEditor(C::DecodeTone)->setCurrentIndex(2); // "67.0", after the extra entry
    Key(C::DecodeTone, Qt::Key_Return);
    EXPECT_EQ(Cell(4, C::DecodeTone), "67.0");
    m_view->SetCurrentCell({4, C::DecodeTone});
    EXPECT_EQ(ListEditor(C::DecodeTone)->count(), 261);
}

TEST_F(ProgramViewTest, ClickingACellCommitsTheOpenEditAndOpensTheCellsEditor) {
    GridTable* grid = m_view->Grid();
    const auto click = [grid](int row, Column column) {
        const QRect cell = grid->visualRect(grid->model()->index(row, int(Index(column))));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    };
    Type(3, C::Rx, "438.0125");
    click(4, C::Power);
    EXPECT_EQ(Row(3), kNewChannel);
    EXPECT_EQ(m_view->CurrentCell(), (GridCell{4, C::Power}));
    EXPECT_TRUE(ListEditor(C::Power)->isVisible());

    Key(C::Power, Qt::Key_Escape);
    EXPECT_TRUE(NoEditorShown());
    click(4, C::Power);
    EXPECT_TRUE(ListEditor(C::Power)->isVisible()) << "a click on the current cell opens it again";
}

TEST_F(ProgramViewTest, ScrollingDropsTheOpenEdit) {
    AddChannel(2);
    Type(2, C::Rx, "450");
    m_view->Grid()->verticalScrollBar()->setValue(50);
    EXPECT_TRUE(NoEditorShown());
    m_view->StoreChannels();
    EXPECT_EQ(Cell(2, C::Rx), "438.01250");
}

TEST_F(ProgramViewTest, TheNameEditorRefusesWhatANameCannotHold) {
    AddChannel(4);
    Type(4, C::Name, "ab c.d-efgh");
    QKeyEvent chinese(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("中"));
    QApplication::sendEvent(LineEditor(C::Name), &chinese);
    EXPECT_EQ(LineEditor(C::Name)->text(), "ABCD-E") << "refused keys, then the 6-key limit";
    Key(C::Name, Qt::Key_Tab);
    EXPECT_EQ(Cell(4, C::Name), "ABCD-E");

    // A name of eight characters read from the radio survives a visit of its cell.
    MemoryImage image = m_doc.m_image;
    m_view->StoreChannels();
    image = m_doc.m_image;
    EncodeChannel(image, 4,
                  {"438.01250", "438.01250", "None", "None", "High", "Lock", "Yes", "RADIO123"});
    m_doc.m_image = image;
    m_view->ShowChannels();
    m_view->SetCurrentCell({4, C::Name});
    EXPECT_EQ(LineEditor(C::Name)->text(), "RADIO123");
    Key(C::Name, Qt::Key_Tab);
    EXPECT_EQ(Cell(4, C::Name), "RADIO123");
}

} // namespace
} // namespace velmora
