#include "channels/ChannelTableModel.h"

#include "base/QtText.h"

#include <QColor>

#include <algorithm>
#include <cstdio>

namespace velmora {

ChannelTableModel::ChannelTableModel(const ChannelGrid& grid, Language lang, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_lang(lang) {}

const QColor& ChannelTableModel::HeaderColour() {
    static const QColor blue(0x00, 0x32, 0xF0);
    return blue;
}

const QColor& ChannelTableModel::DifferenceColour() {
    static const QColor amber(0xFF, 0xD8, 0x8A);
    return amber;
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kColumnCount);
}

const CellDifference* ChannelTableModel::DifferenceAt(int row, int column) const {
    if (!m_comparison) {
        return nullptr;
    }
    const auto& cells = m_comparison->cells;
    const auto it = std::lower_bound(
        cells.begin(), cells.end(), std::pair(row, column), [](const CellDifference& d, auto key) {
            return std::pair(d.channel, static_cast<int>(Index(d.column))) < key;
        });
    return it != cells.end() && it->channel == row && static_cast<int>(Index(it->column)) == column
               ? &*it
               : nullptr;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(m_grid.Row(row)[static_cast<std::size_t>(column)]);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (DifferenceAt(row, column) != nullptr) {
            return DifferenceColour();
        }
        return {};
    case Qt::ToolTipRole:
        if (const CellDifference* difference = DifferenceAt(row, column)) {
            const std::string other =
                difference->b.empty() ? std::string(txt::DiffEmpty.In(m_lang)) : difference->b;
            return ToQString(
                FillText(txt::TipInOtherFile, m_lang, {m_otherName.toStdString(), other}));
        }
        return {};
    default:
        return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::ForegroundRole) {
        return HeaderColour();
    }
    if (role == Qt::TextAlignmentRole) {
        return int(Qt::AlignCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        const std::optional<Column> column = ColumnAt(static_cast<std::size_t>(section));
        return column ? ToQString(ColumnTitle(*column).In(m_lang)) : QVariant();
    }
    if (section == 0) {
        return ToQString(txt::PriorityRowLabel);
    }
    char number[8];
    std::snprintf(number, sizeof number, "%3d", section);
    return QString::fromLatin1(number);
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
    // Cells are edited by the editors laid over them, never by the view's own delegates.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ChannelTableModel::RowsChanged(const std::vector<int>& rows) {
    const int last = static_cast<int>(kColumnCount) - 1;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) {
            ++j;
        }
        emit dataChanged(index(rows[i], 0), index(rows[j], last));
        i = j + 1;
    }
}

void ChannelTableModel::AllChanged() {
    emit dataChanged(index(0, 0), index(kChannelCount - 1, static_cast<int>(kColumnCount) - 1));
}

void ChannelTableModel::SetComparison(std::optional<ImageComparison> comparison,
                                      const QString& otherName) {
    m_comparison = std::move(comparison);
    m_otherName = otherName;
    AllChanged();
}

} // namespace velmora
