// The channel grid's rows as Qt's item views see them: a table of 200 rows and 8 columns over
// the core model, with the column titles and the row labels ("Pr", "  1" ... "199") as headers.
// It holds no texts of its own; every cell is read from the ChannelGrid when it is drawn.
//
// While the document is compared with a file, the cells that differ are marked with a colour
// and a tool tip giving the file's text.
#pragma once

#include "channels/ChannelGrid.h"

#include <QAbstractTableModel>
#include <QString>

#include <optional>
#include <set>
#include <vector>

namespace velmora {

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ChannelTableModel(const ChannelGrid& grid, Language lang, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The grid changed in these rows (ascending), or everywhere.
    void RowsChanged(const std::vector<int>& rows);
    void AllChanged();

    // Marks the differing cells of `comparison` (the file's texts as `b`), or none.
    void SetComparison(std::optional<ImageComparison> comparison, const QString& otherName);
    const std::optional<ImageComparison>& Comparison() const { return m_comparison; }

    // The text colour of the headers, and the mark of a differing cell.
    static const QColor& HeaderColour();
    static const QColor& DifferenceColour();

private:
    const CellDifference* DifferenceAt(int row, int column) const;

    const ChannelGrid& m_grid;
    Language m_lang;
    std::optional<ImageComparison> m_comparison;
    QString m_otherName;
};

} // namespace velmora
