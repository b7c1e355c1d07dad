#include "channels/ProgramView.h"

#include "app/HelpLauncher.h"
#include "channels/GridUndo.h"
#include "link/TransferCommands.h"

#include "channels/ToneTable.h"
#include "settings/ProductBand.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string_view>

namespace velmora {

namespace {

constexpr int kRowCount = kChannelCount; // grid rows 1..200
constexpr int kGridColumnCount = 8;      // grid columns 1..8
constexpr int kColumnRx = 1;
constexpr int kColumnTx = 2;
constexpr int kColumnDecodeTone = 3;
constexpr int kColumnEncodeTone = 4;
constexpr int kColumnPower = 5;
constexpr int kColumnLock = 6;
constexpr int kColumnScan = 7;
constexpr int kColumnName = 8;

// Names are typed with at most six characters; the radio itself keeps up to eight.
constexpr int kNameTypingLimit = 6;

// Text colour of the header row and the label column: a blue.
const QColor kHeaderColour(0x00, 0x32, 0xF0);

// Widths of grid columns 0..8 in units of the label column's base width.
constexpr double kWidthFactor[kGridColumnCount + 1] = {0.5, 1.3, 1.3, 1.1, 1.1, 1.0, 1.0, 1.0, 1.0};

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<std::string> Words(std::initializer_list<TextPair> pairs, Language lang) {
    std::vector<std::string> words;
    for (const TextPair& pair : pairs) {
        words.emplace_back(pair.In(lang));
    }
    return words;
}

QStringList ToStringList(const std::vector<std::string>& items) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) {
        list.append(QString::fromStdString(item));
    }
    return list;
}

// The table with the two hooks the view needs from it: the cell being left, before the table
// scrolls the new cell into sight (so that a scroll never throws away the edit of the cell the
// user is leaving), and the keys typed while the table itself has the focus.
class GridTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    std::function<void()> onLeaving;
    std::function<bool(QKeyEvent*)> onKey;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
        if (previous.isValid() && onLeaving) {
            onLeaving();
        }
        QTableWidget::currentChanged(current, previous);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (onKey && onKey(event)) {
            event->accept();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
};

} // namespace

// Upper-cases what is typed into the name editor and holds it to six characters. A name read
// from the radio may already be longer (up to eight); it stays whole unless the user types
// over it.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;

    int m_nLimit = kNameTypingLimit;

    State validate(QString& input, int& /*pos*/) const override {
        input = input.toUpper();
        return input.size() <= m_nLimit ? Acceptable : Invalid;
    }
};

CProgramView::CProgramView(CProgramDoc* doc, const AppContext& app, QWidget* parent)
    : QWidget(parent), m_pDocument(doc), m_app(app) {
    setFont(QFont(QStringLiteral("Times New Roman"), 9));

    auto* grid = new GridTable(this);
    grid->onLeaving = [this] { Commit(CommitKey::LeaveCell); };
    grid->onKey = [this](QKeyEvent* key) { return HandleGridKey(key); };
    m_grid = grid;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_grid);
    setFocusProxy(m_grid);
    m_pTransfer = new TransferCommands(this, m_app);

    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setCornerButtonEnabled(false);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->verticalHeader()->setHighlightSections(false);

    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        if (row >= 0 && column >= 0) {
            OnCellEntered();
        }
    });
    // A click on the current cell whose editor was closed (Escape, a refused value, a scroll)
    // opens it again.
    connect(m_grid, &QTableWidget::cellPressed, this, [this](int row, int column) {
        ClearRowSelection();
        if (m_nEditColumn == 0 && row + 1 == CurrentRow() && column + 1 == CurrentColumn()) {
            OpenEditor();
        }
    });
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { OnScroll(); });
    connect(m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { OnScroll(); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this] { PlaceEditor(); });

    m_undo = new QUndoStack(this);
    // The row labels pick whole rows for Copy and Paste. The table's own answer to a label
    // (making the row's first cell current) would open an editor in the way, so it is cut off.
    QHeaderView* labels = m_grid->verticalHeader();
    QObject::disconnect(labels, &QHeaderView::sectionPressed, m_grid, nullptr);
    QObject::disconnect(labels, &QHeaderView::sectionEntered, m_grid, nullptr);
    labels->setSectionsClickable(true);
    labels->viewport()->installEventFilter(this);
    connect(labels, &QHeaderView::sectionPressed, this,
            [this](int index) { OnRowLabelPressed(index + 1); });
    connect(labels, &QHeaderView::sectionEntered, this,
            [this](int index) { OnRowLabelEntered(index + 1); });
}

CProgramView::~CProgramView() {
    // A transfer still running is cancelled and waited for before the document goes.
    delete m_pTransfer;
    m_pTransfer = nullptr;
    // The history clears itself on its way out; nobody is to hear of that.
    m_undo->disconnect();
    // QWidget deletes the grid and the editors after this object's members are gone: nothing
    // of theirs may call back in here while it does.
    auto* grid = static_cast<GridTable*>(m_grid);
    grid->onLeaving = nullptr;
    grid->onKey = nullptr;
    grid->disconnect(this);
    grid->verticalScrollBar()->disconnect(this);
    grid->horizontalScrollBar()->disconnect(this);
    grid->horizontalHeader()->disconnect(this);
    grid->verticalHeader()->disconnect(this);
    grid->verticalHeader()->viewport()->removeEventFilter(this);
    if (m_corner != nullptr) {
        m_corner->removeEventFilter(this);
    }
    for (int column = 1; column <= kGridColumnCount && m_editRx != nullptr; ++column) {
        EditorOfColumn(column)->removeEventFilter(this);
    }
}

void CProgramView::OnInitialUpdate() {
    if (m_bFirstSetUp) {
        SetUpGrid();
    }
    if (parentWidget() != nullptr && QFile::exists(QStringLiteral("title.ico"))) {
        parentWidget()->setWindowIcon(QIcon(QStringLiteral("title.ico")));
    }
    ShowChannels();
}

void CProgramView::SetUpGrid() {
    const Language lang = m_app.lang;
    m_toneList = BuildToneList(lang);
    m_powerItems = Words({txt::PowerHigh, txt::PowerMiddle, txt::PowerLow}, lang);
    m_lockItems = Words({txt::LockOn, txt::LockOff}, lang);
    m_scanItems = Words({txt::ScanYes, txt::ScanNo}, lang);

    m_grid->setUpdatesEnabled(false);
    m_grid->setRowCount(kRowCount);
    m_grid->setColumnCount(kGridColumnCount);

    for (int column = 1; column <= kGridColumnCount; ++column) {
        auto* title = new QTableWidgetItem(ToQString(txt::ColumnTitles[column].In(lang)));
        title->setForeground(kHeaderColour);
        m_grid->setHorizontalHeaderItem(column - 1, title);
    }
    for (int row = 1; row <= kRowCount; ++row) {
        QString label;
        if (row == 1) {
            label = ToQString(txt::PriorityRowLabel);
        } else {
            char number[8];
            std::snprintf(number, sizeof number, "%3d", row - 1);
            label = QString::fromLatin1(number);
        }
        auto* item = new QTableWidgetItem(label);
        item->setForeground(kHeaderColour);
        m_grid->setVerticalHeaderItem(row - 1, item);
        for (int column = 1; column <= kGridColumnCount; ++column) {
            auto* cell = new QTableWidgetItem();
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            cell->setTextAlignment(Qt::AlignCenter);
            m_grid->setItem(row - 1, column - 1, cell);
        }
    }

    // The table draws its corner cell as an empty header section; it carries the title of
    // the label column.
    m_corner = m_grid->findChild<QAbstractButton*>();
    if (m_corner != nullptr) {
        static_cast<QAbstractButton*>(m_corner)->setText(ToQString(txt::ColumnTitles[0].In(lang)));
        m_corner->installEventFilter(this);
    }

    CreateEditors();
    SetColumnWidths();
    m_grid->setUpdatesEnabled(true);
    m_bFirstSetUp = false;
}

void CProgramView::CreateEditors() {
    QWidget* host = m_grid->viewport();
    m_editRx = new QLineEdit(host);
    m_editTx = new QLineEdit(host);
    m_listDecode = new QComboBox(host);
    m_listEncode = new QComboBox(host);
    m_listPower = new QComboBox(host);
    m_listLock = new QComboBox(host);
    m_listScan = new QComboBox(host);
    m_editName = new QLineEdit(host);

    const QStringList tones = ToStringList(m_toneList);
    m_listDecode->addItems(tones);
    m_listEncode->addItems(tones);
    m_listPower->addItems(ToStringList(m_powerItems));
    m_listLock->addItems(ToStringList(m_lockItems));
    m_listScan->addItems(ToStringList(m_scanItems));

    m_nameValidator = new NameValidator(m_editName);
    m_editName->setValidator(m_nameValidator);
    m_editName->clear();

    // F1 asks for the topic of the focused control, known by the radio's control ids.
    constexpr int kHelpIds[kGridColumnCount + 1] = {1000, 2127, 2128, 2132, 2133,
                                                    1129, 1127, 1134, 1126};
    SetHelpId(m_grid, kHelpIds[0]);
    for (int column = 1; column <= kGridColumnCount; ++column) {
        QWidget* editor = EditorOfColumn(column);
        editor->hide();
        editor->installEventFilter(this);
        SetHelpId(editor, kHelpIds[column]);
    }
}

void CProgramView::SetColumnWidths() {
    // The base width is whatever lets every title, frequency and list entry fit its column.
    const QFontMetrics metrics(m_grid->font());
    const QFontMetrics headerMetrics(m_grid->horizontalHeader()->font());
    const int textPad = metrics.averageCharWidth() * 2;
    const int listPad = textPad + m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    double base = 0;
    const auto need = [&base](int pixels, int column) {
        base = std::max(base, pixels / kWidthFactor[column]);
    };
    for (int column = 0; column <= kGridColumnCount; ++column) {
        need(headerMetrics.horizontalAdvance(ToQString(txt::ColumnTitles[column].In(m_app.lang))) +
                 textPad,
             column);
    }
    need(headerMetrics.horizontalAdvance(QStringLiteral("199")) + textPad, 0);
    need(metrics.horizontalAdvance(QStringLiteral("000.00000")) + textPad, kColumnRx);
    need(metrics.horizontalAdvance(QStringLiteral("WWWWWWWW")) + textPad, kColumnName);
    const auto needList = [&](const std::vector<std::string>& items, int column) {
        for (const std::string& item : items) {
            need(metrics.horizontalAdvance(QString::fromStdString(item)) + listPad, column);
        }
    };
    needList(m_toneList, kColumnDecodeTone);
    needList(m_powerItems, kColumnPower);
    needList(m_lockItems, kColumnLock);
    needList(m_scanItems, kColumnScan);

    const int w = static_cast<int>(std::ceil(base));
    m_grid->verticalHeader()->setFixedWidth(static_cast<int>(w * kWidthFactor[0]));
    for (int column = 1; column <= kGridColumnCount; ++column) {
        m_grid->setColumnWidth(column - 1, static_cast<int>(w * kWidthFactor[column]));
    }
    const int rowHeight = std::max(
        {metrics.height() + 6, m_listPower->sizeHint().height(), m_editRx->sizeHint().height()});
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeight);
}

void CProgramView::PaintCorner(QWidget* corner) {
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.rect = corner->rect();
    option.text = static_cast<QAbstractButton*>(corner)->text();
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.palette.setColor(QPalette::ButtonText, kHeaderColour);
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, option);
}

void CProgramView::ShowChannels() {
    if (m_bFirstSetUp) {
        SetUpGrid();
    }
    HideEditors();
    FillRows(DecodeAllChannels(m_pDocument->m_image, m_app.lang));
    m_undo->clear();
    ClearRowSelection();
    UserStore& store = m_app.store != nullptr ? *m_app.store : m_fallbackStore;
    const ProductState product = RefreshProductInfo(
        m_pDocument->m_image, m_pDocument->m_bNewDocument, store, m_app.catalog, m_app.lang);
    SetBandLimits(product.limits);
    // Whatever filled the grid (a new document, a file, a read) is what the user now has.
    m_pDocument->MarkUnchanged(StoredImage());
    emit titleChanged(QString::fromStdString(product.title));
}

void CProgramView::StoreChannels() {
    CommitOpenEdit();
    EncodeAllChannels(m_pDocument->m_image, GridTexts());
}

MemoryImage CProgramView::StoredImage() const {
    MemoryImage image = m_pDocument->m_image;
    EncodeAllChannels(image, GridTexts());
    return image;
}

bool CProgramView::HasUnsavedChanges() {
    CommitOpenEdit();
    return m_pDocument->IsChangedFrom(StoredImage());
}

void CProgramView::SetLocked(bool locked) {
    if (locked == m_bLocked) {
        return;
    }
    if (locked) {
        CommitOpenEdit();
        HideEditors();
    }
    m_bLocked = locked;
}

bool CProgramView::CommitOpenEdit() {
    return !Commit(CommitKey::LeaveCell);
}

ChannelGridTexts CProgramView::GridTexts() const {
    ChannelGridTexts rows;
    for (int row = 1; row <= kRowCount; ++row) {
        rows[static_cast<std::size_t>(row - 1)] = RowTexts(row);
    }
    return rows;
}

void CProgramView::SetBandLimits(const BandLimits& limits) {
    m_nBandLow = limits.low;
    m_nBandHigh = limits.high;
    m_bBandUsable = limits.usable;
}

QWidget* CProgramView::Editor(int column) const {
    return column >= 1 && column <= kGridColumnCount ? EditorOfColumn(column) : nullptr;
}

int CProgramView::CurrentRow() const {
    return m_grid->currentRow() + 1;
}

int CProgramView::CurrentColumn() const {
    return m_grid->currentColumn() + 1;
}

void CProgramView::SetCurrentCell(int row, int column) {
    if (row == CurrentRow() && column == CurrentColumn()) {
        if (m_nEditColumn == 0) {
            OpenEditor(); // as a click on the current cell does
        }
        return;
    }
    m_grid->setCurrentCell(row - 1, column - 1);
}

void CProgramView::FillRows(const ChannelGridTexts& rows) {
    // One repaint for the whole table instead of one per cell.
    m_grid->setUpdatesEnabled(false);
    {
        const QSignalBlocker blocker(m_grid);
        for (int row = 1; row <= kRowCount; ++row) {
            SetRowTexts(row, rows[static_cast<std::size_t>(row - 1)]);
        }
    }
    m_grid->setUpdatesEnabled(true);
}

ChannelTexts CProgramView::RowTexts(int row) const {
    ChannelTexts texts;
    for (int column = 1; column <= kGridColumnCount; ++column) {
        const QTableWidgetItem* cell = m_grid->item(row - 1, column - 1);
        if (cell != nullptr) {
            texts[static_cast<std::size_t>(column - 1)] = cell->text().toStdString();
        }
    }
    return texts;
}

void CProgramView::SetRowTexts(int row, const ChannelTexts& texts) {
    for (int column = 1; column <= kGridColumnCount; ++column) {
        QTableWidgetItem* cell = m_grid->item(row - 1, column - 1);
        if (cell != nullptr) {
            cell->setText(QString::fromStdString(texts[static_cast<std::size_t>(column - 1)]));
        }
    }
}

QWidget* CProgramView::EditorOfColumn(int column) const {
    switch (column) {
    case kColumnTx:
        return m_editTx;
    case kColumnDecodeTone:
        return m_listDecode;
    case kColumnEncodeTone:
        return m_listEncode;
    case kColumnPower:
        return m_listPower;
    case kColumnLock:
        return m_listLock;
    case kColumnScan:
        return m_listScan;
    case kColumnName:
        return m_editName;
    default:
        return m_editRx;
    }
}

const std::vector<std::string>* CProgramView::ListItemsOfColumn(int column) const {
    switch (column) {
    case kColumnDecodeTone:
    case kColumnEncodeTone:
        return &m_toneList;
    case kColumnPower:
        return &m_powerItems;
    case kColumnLock:
        return &m_lockItems;
    case kColumnScan:
        return &m_scanItems;
    default:
        return nullptr;
    }
}

void CProgramView::OpenEditor() {
    const int row = CurrentRow();
    const int column = CurrentColumn();
    if (m_bFirstSetUp || m_bLocked || row < 1 || column < 1) {
        return;
    }
    HideEditors();
    // The cell comes into sight before its editor is laid over it, so that what the user
    // types never lands in a cell they cannot see.
    m_grid->scrollToItem(m_grid->item(row - 1, column - 1));
    const QString text = m_grid->item(row - 1, column - 1)->text();
    QWidget* editor = EditorOfColumn(column);
    if (const std::vector<std::string>* items = ListItemsOfColumn(column)) {
        static_cast<QComboBox*>(editor)->setCurrentIndex(
            FindListEntryByPrefix(*items, text.toStdString()));
    } else {
        auto* edit = static_cast<QLineEdit*>(editor);
        if (edit == m_editName) {
            m_nameValidator->m_nLimit = std::max<int>(kNameTypingLimit, text.size());
        }
        edit->setText(text);
        edit->selectAll();
    }
    m_nEditRow = row;
    m_nEditColumn = column;
    PlaceEditor();
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void CProgramView::PlaceEditor() {
    if (m_nEditColumn == 0) {
        return;
    }
    const QTableWidgetItem* cell = m_grid->item(m_nEditRow - 1, m_nEditColumn - 1);
    EditorOfColumn(m_nEditColumn)->setGeometry(m_grid->visualItemRect(cell));
}

void CProgramView::HideEditors() {
    if (m_editRx == nullptr) {
        return; // not set up yet
    }
    // The grid takes the focus first: a focused editor that hides hands the focus on to the
    // next widget, which for the grid reads as a Tab and would move the current cell.
    // The window's own focus counts, not only the application's: while a dialog is in front
    // (the transfer's progress), the window gets its focus back when the dialog goes.
    QWidget* focus = window()->focusWidget();
    if (focus != nullptr && m_grid->viewport()->isAncestorOf(focus)) {
        m_grid->setFocus(Qt::OtherFocusReason);
    }
    for (int column = 1; column <= kGridColumnCount; ++column) {
        EditorOfColumn(column)->hide();
    }
    m_nEditRow = 0;
    m_nEditColumn = 0;
}

std::string CProgramView::EditorText() const {
    QWidget* editor = EditorOfColumn(m_nEditColumn);
    if (ListItemsOfColumn(m_nEditColumn) != nullptr) {
        return static_cast<QComboBox*>(editor)->currentText().toStdString();
    }
    return static_cast<QLineEdit*>(editor)->text().toStdString();
}

bool CProgramView::Commit(CommitKey key) {
    if (m_nEditColumn == 0) {
        return false;
    }
    const int row = m_nEditRow;
    const int column = m_nEditColumn;
    const std::string text = EditorText();
    // The editor goes before any message, so that the message box does not leave a stale
    // editor with the focus behind it.
    HideEditors();

    BandLimits band;
    band.low = m_nBandLow;
    band.high = m_nBandHigh;
    band.usable = m_bBandUsable;
    const ChannelTexts before = RowTexts(row);
    const CommitResult result = CommitCell(before, kColumns[static_cast<std::size_t>(column - 1)],
                                           text, band, key, m_app.lang);
    if (result.row != before) {
        const ChannelGridTexts grid = GridTexts();
        ChannelGridTexts after = grid;
        after[static_cast<std::size_t>(row - 1)] = result.row;
        PushStep(grid, after, ToQString(txt::UndoEdit.In(m_app.lang)));
    }
    if (result.message && m_app.prompter != nullptr) {
        m_app.prompter->Warn(std::string(txt::MsgCaution.In(m_app.lang)),
                             std::string(result.message->In(m_app.lang)));
    }
    return result.rejected;
}

void CProgramView::OnCellEntered() {
    OpenEditor();
}

void CProgramView::OnScroll() {
    // The editors sit on the viewport and would no longer cover their cells.
    HideEditors();
    m_grid->viewport()->update();
}

void CProgramView::OnEnter() {
    if (Commit(CommitKey::Enter)) {
        return; // refused: the user corrects the same cell
    }
    MoveBy(1);
}

void CProgramView::MoveBy(int step) {
    int row = std::max(CurrentRow(), 1);
    int column = CurrentColumn();
    if (column < 1) {
        SetCurrentCell(row, 1);
        return;
    }
    column += step;
    if (column > kGridColumnCount) {
        column = 1;
        row = row < kRowCount ? row + 1 : 1;
    } else if (column < 1) {
        column = kGridColumnCount;
        row = row > 1 ? row - 1 : kRowCount;
    }
    SetCurrentCell(row, column);
}

void CProgramView::MoveRows(int step) {
    const int row = std::clamp(CurrentRow() + step, 1, kRowCount);
    if (row != CurrentRow()) {
        SetCurrentCell(row, std::max(CurrentColumn(), 1));
    }
}

void CProgramView::DropEdit() {
    HideEditors();
    m_grid->setFocus(Qt::OtherFocusReason);
}

bool CProgramView::HandleMoveKey(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnEnter();
        return true;
    case Qt::Key_Tab:
        MoveBy(1);
        return true;
    case Qt::Key_Backtab:
        MoveBy(-1);
        return true;
    default:
        return false;
    }
}

bool CProgramView::HandleEditorKey(QKeyEvent* key) {
    if (HandleMoveKey(key)) {
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Escape:
        DropEdit();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Alt+Down still opens a list.
        if (modifiers != Qt::NoModifier) {
            return false;
        }
        MoveRows(key->key() == Qt::Key_Up ? -1 : 1);
        return true;
    default:
        return false;
    }
}

bool CProgramView::LeaveUndoToDocument(QKeyEvent* key) {
    // A line editor keeps Ctrl+Z and Ctrl+Y for its own typing. As in a spreadsheet, they
    // undo that typing first; once there is none (the editor only shows the cell), they are
    // the document's Undo and Redo.
    auto* edit = qobject_cast<QLineEdit*>(EditorOfColumn(m_nEditColumn));
    if (edit == nullptr) {
        return false;
    }
    if (key->matches(QKeySequence::Undo)) {
        return !edit->isUndoAvailable();
    }
    if (key->matches(QKeySequence::Redo)) {
        return !edit->isRedoAvailable();
    }
    return false;
}

bool CProgramView::HandleGridKey(QKeyEvent* key) {
    if (HandleMoveKey(key)) {
        return true;
    }
    if (key->key() == Qt::Key_F2) {
        OpenEditor();
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    // Typing into the grid starts editing the current cell with what was typed.
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() ||
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    if (m_bLocked) {
        QApplication::beep(); // the document waits for the radio
        return true;
    }
    if (m_nEditColumn == 0) {
        OpenEditor();
    }
    if (m_nEditColumn == 0) {
        return false;
    }
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), typed, key->isAutoRepeat(),
                   static_cast<quint16>(key->count()));
    QCoreApplication::sendEvent(EditorOfColumn(m_nEditColumn), &copy);
    return true;
}

void CProgramView::PushStep(const ChannelGridTexts& before, const ChannelGridTexts& after,
                            const QString& name) {
    std::vector<GridRowChange> changes = GridChanges(before, after);
    if (changes.empty()) {
        return;
    }
    // Pushing applies the step.
    m_undo->push(new GridEditCommand(
        std::move(changes),
        [this](int channel, const ChannelTexts& texts) { SetRowTexts(channel + 1, texts); }, name));
}

int CProgramView::ReplaceGridTexts(const ChannelGridTexts& grid, const QString& stepName) {
    CommitOpenEdit();
    HideEditors();
    const ChannelGridTexts before = GridTexts();
    const int count = static_cast<int>(GridChanges(before, grid).size());
    PushStep(before, grid, stepName);
    return count;
}

void CProgramView::Undo() {
    if (CommitOpenEdit()) {
        m_undo->undo();
    }
}

void CProgramView::Redo() {
    if (CommitOpenEdit()) {
        m_undo->redo();
    }
}

void CProgramView::SelectRows(int first, int last) {
    first = std::clamp(first, 1, kRowCount);
    last = std::clamp(last, 1, kRowCount);
    if (first > last) {
        std::swap(first, last);
    }
    m_nSelectFirst = first;
    m_nSelectLast = last;
    const QItemSelection rows(m_grid->model()->index(first - 1, 0),
                              m_grid->model()->index(last - 1, kGridColumnCount - 1));
    m_grid->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void CProgramView::ClearRowSelection() {
    if (m_nSelectFirst == 0) {
        return;
    }
    m_nSelectFirst = 0;
    m_nSelectLast = 0;
    m_grid->selectionModel()->clearSelection();
}

std::pair<int, int> CProgramView::ChosenChannels() const {
    if (m_nSelectFirst != 0) {
        return {m_nSelectFirst - 1, m_nSelectLast - 1};
    }
    const int row = std::max(CurrentRow(), 1) - 1;
    return {row, row};
}

void CProgramView::OnRowLabelPressed(int row) {
    // The rows are picked with the grid in front, so that Copy and Paste keys reach it.
    CommitOpenEdit();
    m_grid->setFocus(Qt::MouseFocusReason);
    if (m_bShiftOnLabel && m_nSelectAnchor != 0) {
        SelectRows(m_nSelectAnchor, row);
        return;
    }
    m_nSelectAnchor = row;
    SelectRows(row, row);
}

void CProgramView::OnRowLabelEntered(int row) {
    if (m_nSelectAnchor != 0 && (QApplication::mouseButtons() & Qt::LeftButton)) {
        SelectRows(m_nSelectAnchor, row);
    }
}

bool CProgramView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        watched == m_grid->verticalHeader()->viewport()) {
        m_bShiftOnLabel = (static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier) != 0;
    }
    if (watched == m_corner && event->type() == QEvent::Paint) {
        PaintCorner(m_corner);
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride && m_nEditColumn != 0 &&
        watched == EditorOfColumn(m_nEditColumn)) {
        return LeaveUndoToDocument(static_cast<QKeyEvent*>(event));
    }
    if (event->type() == QEvent::KeyPress && m_nEditColumn != 0 &&
        watched == EditorOfColumn(m_nEditColumn)) {
        return HandleEditorKey(static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velmora
