// The table widget of the channel grid, with the hooks the view needs from it: the cell being
// left, before the table scrolls the new cell into sight (so that a scroll never throws away the
// edit of the cell the user is leaving), the keys typed while the table itself has the focus,
// and the title of the label column drawn in its corner cell.
#pragma once

#include <QTableView>

#include <functional>

namespace velmora {

class GridTable : public QTableView {
    Q_OBJECT
public:
    explicit GridTable(QWidget* parent = nullptr);

    std::function<void()> onLeaving;
    std::function<bool(QKeyEvent*)> onKey;

    // The title of the label column ("CH"), drawn in the corner above the row labels.
    void SetCornerTitle(const QString& title);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_corner = nullptr;
    QString m_cornerTitle;
};

} // namespace velmora
