// The channel grid driven as a user drives it: clicks and keys into the cells, the editors
// laid over them, the messages of refused values, and the trip of the grid into the image.
#include "channels/ProgramView.h"

#include "support/RecordingPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace velmora {
namespace {

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

    std::string Cell(int row, int column) const {
        return m_view->Grid()->item(row - 1, column - 1)->text().toStdString();
    }
    ChannelTexts Row(int row) const { return m_view->GridTexts()[row - 1]; }
    QLineEdit* LineEditor(int column) const {
        return static_cast<QLineEdit*>(m_view->Editor(column));
    }
    QComboBox* ListEditor(int column) const {
        return static_cast<QComboBox*>(m_view->Editor(column));
    }
    // Makes the cell current and types over the text its editor opened with.
    void Type(int row, int column, const char* text) {
        m_view->SetCurrentCell(row, column);
        QTest::keyClicks(LineEditor(column), text);
    }
    void Key(int column, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_view->Editor(column), key, modifiers);
    }
    void AddChannel(int row) {
        Type(row, 1, "438.0125");
        Key(1, Qt::Key_Return);
    }
    bool NoEditorShown() const {
        for (int column = 1; column <= 8; ++column) {
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

TEST_F(ProgramViewTest, NewDocumentShowsLabelledEmptyRowsAndTheProductTitle) {
    QTableWidget* grid = m_view->Grid();
    ASSERT_EQ(grid->rowCount(), 200);
    ASSERT_EQ(grid->columnCount(), 8);
    EXPECT_EQ(grid->findChild<QAbstractButton*>()->text(), "CH");
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Rx Frequency");
    EXPECT_EQ(grid->horizontalHeaderItem(7)->text(), "Cha Name");
    EXPECT_EQ(grid->verticalHeaderItem(0)->text(), "Pr");
    EXPECT_EQ(grid->verticalHeaderItem(1)->text(), "  1");
    EXPECT_EQ(grid->verticalHeaderItem(199)->text(), "199");
    EXPECT_EQ(grid->verticalHeaderItem(5)->foreground().color(), QColor(0x00, 0x32, 0xF0));
    for (int row = 1; row <= 200; ++row) {
        ASSERT_EQ(Row(row), kEmptyRow) << "row " << row;
    }
    EXPECT_EQ(m_title, "Velmora  [ Type:VM-7  Fre:400-470MHz ]");
    EXPECT_EQ(m_view->m_nBandLow, 40000000);
    EXPECT_EQ(m_view->m_nBandHigh, 47000000);
    EXPECT_EQ(grid->columnWidth(0), grid->columnWidth(1));
    EXPECT_GT(grid->columnWidth(0), grid->columnWidth(2));
}

TEST_F(ProgramViewTest, FrequencyTypedIntoAnEmptyRowCreatesAChannelWithDefaults) {
    AddChannel(5);
    EXPECT_EQ(Row(5), kNewChannel);
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_EQ(m_view->CurrentRow(), 5);
    EXPECT_EQ(m_view->CurrentColumn(), 2);
    EXPECT_TRUE(LineEditor(2)->isVisible());
    EXPECT_EQ(LineEditor(2)->text(), "438.01250");
    EXPECT_EQ(LineEditor(2)->selectedText(), "438.01250") << "typing replaces the text";
}

TEST_F(ProgramViewTest, AcceptedFrequenciesAreShownWithFiveDecimals) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"400", "400.00000"},
                 {"470", "470.00000"},
                 {"438.0025", "438.00250"},
                 {"438.00625", "438.00625"},
                 {"438.012509", "438.01250"}};
    AddChannel(2);
    for (const auto& c : cases) {
        Type(2, 1, c.typed);
        Key(1, Qt::Key_Return);
        EXPECT_EQ(Cell(2, 1), c.shown) << c.typed;
        EXPECT_EQ(Cell(2, 2), "438.01250") << "Tx stays when Rx of a channel changes";
    }
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(ProgramViewTest, RefusedFrequencyShowsItsMessageAndLeavesTheRowAsItWas) {
    const std::string outOfRange = "Out of range,please input again.";
    const std::string offRaster = std::string(txt::MsgOffRaster.en);
    const struct {
        int column;
        const char* typed;
        std::string message;
    } cases[] = {{1, "399.9975", outOfRange}, {1, "470.0025", outOfRange},
                 {1, "438.0030", offRaster},  {1, "abc", outOfRange},
                 {2, "470.0025", outOfRange}, {2, "438.0030", offRaster}};
    AddChannel(3);
    for (const auto& c : cases) {
        m_prompter.shown.clear();
        Type(3, c.column, c.typed);
        Key(c.column, Qt::Key_Return);
        ASSERT_EQ(m_prompter.shown.size(), 1u) << c.typed;
        EXPECT_EQ(m_prompter.shown[0].caption, "Caution");
        EXPECT_EQ(m_prompter.shown[0].text, c.message) << c.typed;
        EXPECT_EQ(Row(3), kNewChannel) << c.typed;
        EXPECT_EQ(m_view->CurrentRow(), 3) << "Enter does not move on after a refusal";
        EXPECT_EQ(m_view->CurrentColumn(), c.column);
        EXPECT_TRUE(NoEditorShown());
    }
    // Leaving the cell with a refused value also keeps the row, and goes on to the next cell.
    m_prompter.shown.clear();
    Type(3, 2, "438.0030");
    Key(2, Qt::Key_Tab);
    EXPECT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(Row(3), kNewChannel);
    EXPECT_EQ(m_view->CurrentColumn(), 3);
}

TEST_F(ProgramViewTest, EnterMovesToTheNextCellAndWrapsAtTheEnd) {
    const struct {
        int row, column, nextRow, nextColumn;
    } cases[] = {{1, 1, 1, 2}, {4, 5, 4, 6}, {7, 8, 8, 1}, {200, 8, 1, 1}};
    for (const auto& c : cases) {
        m_view->SetCurrentCell(c.row, c.column);
        Key(c.column, Qt::Key_Return);
        EXPECT_EQ(m_view->CurrentRow(), c.nextRow) << c.row << "," << c.column;
        EXPECT_EQ(m_view->CurrentColumn(), c.nextColumn) << c.row << "," << c.column;
        EXPECT_TRUE(m_view->Editor(c.nextColumn)->isVisible());
    }
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(ProgramViewTest, TabUpDownAndEscapeWorkWithoutAMouse) {
    m_view->SetCurrentCell(1, 1);
    Key(1, Qt::Key_Backtab);
    EXPECT_EQ(m_view->CurrentRow(), 200);
    EXPECT_EQ(m_view->CurrentColumn(), 8);
    Key(8, Qt::Key_Tab);
    EXPECT_EQ(m_view->CurrentRow(), 1);
    EXPECT_EQ(m_view->CurrentColumn(), 1);

    Type(10, 1, "440");
    Key(1, Qt::Key_Down);
    EXPECT_EQ(Cell(10, 1), "440.00000") << "moving down commits";
    EXPECT_EQ(m_view->CurrentRow(), 11);
    Key(1, Qt::Key_Up);
    EXPECT_EQ(m_view->CurrentRow(), 10);

    QTest::keyClicks(LineEditor(1), "450");
    Key(1, Qt::Key_Escape);
    EXPECT_TRUE(NoEditorShown());
    EXPECT_EQ(Cell(10, 1), "440.00000") << "Escape drops the edit";

    // Typing into the grid starts a new edit with what was typed.
    QTest::keyClicks(m_view->Grid(), "460");
    EXPECT_EQ(LineEditor(1)->text(), "460");
    Key(1, Qt::Key_Return);
    EXPECT_EQ(Cell(10, 1), "460.00000");
}

TEST_F(ProgramViewTest, ListsOpenOnTheCellTextOrOnEntryZero) {
    const struct {
        const char* cell;
        int column;
        int entry;
        const char* stored;
    } cases[] = {{"123.4", 3, 0, "None"},    {"D023I", 4, 156, "D023I"}, {"254.1", 3, 50, "254.1"},
                 {"Middle", 5, 1, "Middle"}, {"Unlock", 6, 1, "Unlock"}, {"No", 7, 1, "No"}};
    int row = 10;
    for (const auto& c : cases) {
        AddChannel(row);
        m_view->Grid()->item(row - 1, c.column - 1)->setText(c.cell);
        m_view->SetCurrentCell(row, c.column);
        EXPECT_EQ(ListEditor(c.column)->currentIndex(), c.entry) << c.cell;
        Key(c.column, Qt::Key_Tab);
        EXPECT_EQ(Cell(row, c.column), c.stored) << c.cell;
        ++row;
    }
    EXPECT_EQ(ListEditor(3)->count(), 261);
}

TEST_F(ProgramViewTest, SettingsOfAnEmptyRowAreNotKept) {
    m_view->SetCurrentCell(9, 5);
    ListEditor(5)->setCurrentIndex(2);
    Key(5, Qt::Key_Return);
    EXPECT_EQ(Row(9), kEmptyRow);
    Type(9, 2, "438.0125");
    Key(2, Qt::Key_Return);
    EXPECT_EQ(Row(9), kEmptyRow) << "a Tx frequency needs a channel";
}

TEST_F(ProgramViewTest, ClickingACellCommitsTheOpenEditAndOpensTheCellsEditor) {
    QTableWidget* grid = m_view->Grid();
    const auto click = [grid](int row, int column) {
        const QRect cell = grid->visualItemRect(grid->item(row - 1, column - 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    };
    Type(3, 1, "438.0125");
    click(4, 5);
    EXPECT_EQ(Row(3), kNewChannel);
    EXPECT_EQ(m_view->CurrentRow(), 4);
    EXPECT_EQ(m_view->CurrentColumn(), 5);
    EXPECT_TRUE(ListEditor(5)->isVisible());

    Key(5, Qt::Key_Escape);
    EXPECT_TRUE(NoEditorShown());
    click(4, 5);
    EXPECT_TRUE(ListEditor(5)->isVisible()) << "a click on the current cell opens it again";
}

TEST_F(ProgramViewTest, ScrollingDropsTheOpenEdit) {
    AddChannel(2);
    Type(2, 1, "450");
    m_view->Grid()->verticalScrollBar()->setValue(50);
    EXPECT_TRUE(NoEditorShown());
    m_view->StoreChannels();
    EXPECT_EQ(Cell(2, 1), "438.01250");
    EXPECT_EQ(m_doc.m_image[0x10 + 3], 0x43);
    EXPECT_EQ(m_doc.m_image[0x10 + 2], 0x80);
}

TEST_F(ProgramViewTest, NameEditorUpperCasesAndHoldsSixCharactersButKeepsLongerNames) {
    AddChannel(4);
    Type(4, 8, "abc-defgh");
    EXPECT_EQ(LineEditor(8)->text(), "ABC-DE");
    Key(8, Qt::Key_Tab);
    EXPECT_EQ(Cell(4, 8), "ABC-DE");

    // A name of eight characters read from the radio survives a visit of its cell.
    m_view->Grid()->item(3, 7)->setText("RADIO123");
    m_view->SetCurrentCell(4, 8);
    EXPECT_EQ(LineEditor(8)->text(), "RADIO123");
    Key(8, Qt::Key_Tab);
    EXPECT_EQ(Cell(4, 8), "RADIO123");
}

TEST_F(ProgramViewTest, StoreChannelsWritesAnOpenEditIntoTheImage) {
    AddChannel(1);
    Type(1, 8, "ab1");
    m_view->StoreChannels();
    EXPECT_EQ(Cell(1, 8), "AB1");
    const std::uint8_t record[16] = {0x50, 0x12, 0x80, 0x43, 0x50, 0x12, 0x80, 0x43,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xFF, 0xFF, 0xFF};
    const std::uint8_t name[8] = {0x0A, 0x0B, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(m_doc.m_image[k], record[k]) << "record byte " << k;
    }
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(m_doc.m_image[0x0C90 + k], name[k]) << "name byte " << k;
    }
    EXPECT_EQ(m_doc.m_image[0x10], 0xFF) << "channel 1 stays empty";

    // And back: a fresh fill from the image shows the same row.
    m_view->ShowChannels();
    EXPECT_EQ(Row(1), (ChannelTexts{"438.01250", "438.01250", "None", "None", "High", "Lock", "Yes",
                                    "AB1"}));
}

} // namespace
} // namespace velmora
