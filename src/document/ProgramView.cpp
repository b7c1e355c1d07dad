// The channel view: the table, its set-up, filling and storing, and the editors' part (opening,
// committing and the keys). Selections and operations on the model are in GridOperations.cpp.
#include "document/ProgramView.h"

#include "base/QtText.h"

#include "base/HelpLauncher.h"
#include "channels/CellEditors.h"
#include "channels/CellInput.h"
#include "channels/ChannelTableModel.h"
#include "channels/GridTable.h"
#include "settings/ProductBand.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Widths of the label column and the eight channel columns, in units of a base width.
constexpr double kLabelWidthFactor = 0.5;
constexpr double kWidthFactor[kColumnCount] = {1.3, 1.3, 1.1, 1.1, 1.0, 1.0, 1.0, 1.0};

} // namespace

CProgramView::CProgramView(CProgramDoc* doc, const AppContext& app, QWidget* parent)
    : QWidget(parent), m_pDocument(doc), m_app(app), m_channels(app.lang) {
    setFont(QFont(QStringLiteral("Times New Roman"), 9));
    m_model = new ChannelTableModel(m_channels, m_app.lang, this);
    m_grid = new GridTable(this);
    m_grid->onLeaving = [this] { Commit(); };
    m_grid->onKey = [this](QKeyEvent* key) { return HandleGridKey(key); };
    m_grid->setModel(m_model);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_grid);
    setFocusProxy(m_grid);

    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setCornerButtonEnabled(false);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->verticalHeader()->setHighlightSections(false);
    SetHelpId(m_grid, 1000);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                // Moving the current cell (a click, a key) ends a pick of rows by their labels.
                m_bRowsPicked = false;
                if (current.isValid()) {
                    OpenEditor();
                }
            });
    // A click on the current cell whose editor was closed (Escape, a refused value, a scroll)
    // opens it again; any click on a cell ends a pick of rows by their labels.
    connect(m_grid, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        m_bRowsPicked = false;
        if (!m_editors->IsOpen() && index == m_grid->currentIndex()) {
            OpenEditor();
        }
    });
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { OnScroll(); });
    connect(m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { OnScroll(); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this] { PlaceEditor(); });
    connect(m_grid, &QWidget::customContextMenuRequested, this, &CProgramView::OnContextMenu);

    // The row labels pick whole rows (Shift and Ctrl extend). The table's own answer to a
    // label (making the row's first cell current) would open an editor in the way, so it is
    // cut off.
    QHeaderView* labels = m_grid->verticalHeader();
    QObject::disconnect(labels, &QHeaderView::sectionPressed, m_grid, nullptr);
    QObject::disconnect(labels, &QHeaderView::sectionEntered, m_grid, nullptr);
    labels->setSectionsClickable(true);
    labels->setContextMenuPolicy(Qt::CustomContextMenu);
    labels->viewport()->installEventFilter(this);
    connect(labels, &QHeaderView::sectionPressed, this,
            [this](int index) { OnRowLabelPressed(index); });
    connect(labels, &QHeaderView::sectionEntered, this,
            [this](int index) { OnRowLabelEntered(index); });
    connect(labels, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        emit contextMenuWanted(m_grid->verticalHeader()->viewport()->mapToGlobal(pos));
    });
}

CProgramView::~CProgramView() {
    // QWidget deletes the table and the editors after this object's members are gone: nothing
    // of theirs may call back in here while it does.
    m_grid->onLeaving = nullptr;
    m_grid->onKey = nullptr;
    m_grid->disconnect(this);
    m_grid->selectionModel()->disconnect(this);
    m_grid->verticalScrollBar()->disconnect(this);
    m_grid->horizontalScrollBar()->disconnect(this);
    m_grid->horizontalHeader()->disconnect(this);
    m_grid->verticalHeader()->disconnect(this);
    m_grid->verticalHeader()->viewport()->removeEventFilter(this);
    if (m_editors != nullptr) {
        for (Column column : kColumns) {
            m_editors->Widget(column)->removeEventFilter(this);
        }
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
    m_grid->SetCornerTitle(ToQString(ChannelNumberTitle().In(m_app.lang)));
    m_editors = new CellEditors(m_grid->viewport(), m_app.lang, this);
    SetColumnWidths();
    m_bFirstSetUp = false;
}

void CProgramView::SetColumnWidths() {
    // The base width is whatever lets every title, frequency and list entry fit its column.
    const QFontMetrics metrics(m_grid->font());
    const QFontMetrics headerMetrics(m_grid->horizontalHeader()->font());
    const int textPad = metrics.averageCharWidth() * 2;
    const int listPad = textPad + m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    double base = 0;
    const auto need = [&base](int pixels, double factor) {
        base = std::max(base, pixels / factor);
    };
    need(headerMetrics.horizontalAdvance(ToQString(ChannelNumberTitle().In(m_app.lang))) + textPad,
         kLabelWidthFactor);
    need(headerMetrics.horizontalAdvance(QStringLiteral("199")) + textPad, kLabelWidthFactor);
    for (Column column : kColumns) {
        const double factor = kWidthFactor[Index(column)];
        need(headerMetrics.horizontalAdvance(ToQString(ColumnTitle(column).In(m_app.lang))) +
                 textPad,
             factor);
        for (const std::string& entry : ListEntries(column, m_app.lang)) {
            need(metrics.horizontalAdvance(ToQString(entry)) + listPad, factor);
        }
    }
    need(metrics.horizontalAdvance(QStringLiteral("000.00000")) + textPad,
         kWidthFactor[Index(Column::Rx)]);
    need(metrics.horizontalAdvance(QStringLiteral("WWWWWWWW")) + textPad,
         kWidthFactor[Index(Column::Name)]);

    const int w = static_cast<int>(std::ceil(base));
    m_grid->verticalHeader()->setFixedWidth(static_cast<int>(w * kLabelWidthFactor));
    for (Column column : kColumns) {
        m_grid->setColumnWidth(static_cast<int>(Index(column)),
                               static_cast<int>(w * kWidthFactor[Index(column)]));
    }
    m_grid->verticalHeader()->setDefaultSectionSize(
        std::max(metrics.height() + 6, m_editors->RowHeight()));
}

void CProgramView::ShowChannels() {
    if (m_bFirstSetUp) {
        SetUpGrid();
    }
    HideEditors();
    m_channels.ShowChannels(m_pDocument->m_image);
    UserStore& store = m_app.store != nullptr ? *m_app.store : m_fallbackStore;
    const ProductState product = RefreshProductInfo(
        m_pDocument->m_image, m_pDocument->m_bNewDocument, store, m_app.catalog, m_app.lang);
    SetBandLimits(product.limits);
    m_grid->clearSelection();
    m_bRowsPicked = false;
    Recompare();
    m_model->AllChanged();
    // Whatever filled the grid (a new document, a file, a read) is what the user now has.
    m_pDocument->MarkUnchanged(StoredImage());
    emit historyChanged();
    emit titleChanged(QString::fromStdString(product.title));
}

void CProgramView::StoreChannels() {
    CommitOpenEdit();
    m_channels.StoreChannels(m_pDocument->m_image);
}

MemoryImage CProgramView::StoredImage() const {
    MemoryImage image = m_pDocument->m_image;
    m_channels.StoreChannels(image);
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
    return !Commit();
}

void CProgramView::SetBandLimits(const BandLimits& limits) {
    m_channels.SetBand(limits);
}

QWidget* CProgramView::Editor(Column column) const {
    return m_editors != nullptr ? m_editors->Widget(column) : nullptr;
}

bool CProgramView::EditingCell(GridCell& cell) const {
    if (m_editors == nullptr || !m_editors->IsOpen()) {
        return false;
    }
    cell = {m_editors->Row(), m_editors->OpenColumn()};
    return true;
}

GridCell CProgramView::CurrentCell() const {
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid()) {
        return {};
    }
    return {current.row(), ColumnAt(static_cast<std::size_t>(current.column())).value()};
}

void CProgramView::SetCurrentCell(GridCell cell) {
    const QModelIndex index = m_model->index(cell.row, static_cast<int>(Index(cell.column)));
    if (index == m_grid->currentIndex()) {
        // As a click on the current cell does: the cell alone is picked, its editor opens.
        m_bRowsPicked = false;
        m_grid->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
        if (!m_editors->IsOpen()) {
            OpenEditor();
        }
        return;
    }
    m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void CProgramView::OpenEditor() {
    const QModelIndex current = m_grid->currentIndex();
    if (m_bFirstSetUp || m_bLocked || !current.isValid()) {
        return;
    }
    HideEditors();
    // The cell comes into sight before its editor is laid over it, so that what the user
    // types never lands in a cell they cannot see.
    m_grid->scrollTo(current);
    const GridCell cell = CurrentCell();
    m_editors->Open(cell.row, cell.column, ToQString(m_channels.Text(cell.row, cell.column)),
                    m_grid->visualRect(current));
}

void CProgramView::PlaceEditor() {
    if (m_editors != nullptr && m_editors->IsOpen()) {
        m_editors->Place(m_grid->visualRect(
            m_model->index(m_editors->Row(), static_cast<int>(Index(m_editors->OpenColumn())))));
    }
}

void CProgramView::HideEditors() {
    if (m_editors == nullptr) {
        return; // not set up yet
    }
    // The table takes the focus first: a focused editor that hides hands the focus on to the
    // next widget, which for the table reads as a Tab and would move the current cell. The
    // window's own focus counts, not only the application's: while a dialog is in front (the
    // transfer's progress), the window gets its focus back when the dialog goes.
    QWidget* focus = window()->focusWidget();
    if (focus != nullptr && m_grid->viewport()->isAncestorOf(focus)) {
        m_grid->setFocus(Qt::OtherFocusReason);
    }
    m_editors->Hide();
}

bool CProgramView::Commit() {
    if (m_editors == nullptr || !m_editors->IsOpen()) {
        return false;
    }
    const int row = m_editors->Row();
    const Column column = m_editors->OpenColumn();
    const std::string text = m_editors->Text();
    // The editor goes before any message, so that the message box does not leave a stale
    // editor with the focus behind it.
    HideEditors();
    const GridOutcome outcome = m_channels.Edit(row, column, text);
    if (!outcome.changedRows.empty()) {
        m_model->RowsChanged(outcome.changedRows);
        Recompare();
        emit historyChanged();
    }
    if (!outcome.message.empty() && m_app.prompter != nullptr) {
        m_app.prompter->Warn(std::string(txt::MsgCaution.In(m_app.lang)), outcome.message);
    }
    return outcome.refused;
}

} // namespace velmora
