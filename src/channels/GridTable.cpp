#include "channels/GridTable.h"

#include "channels/ChannelTableModel.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QStyleOptionHeader>
#include <QStylePainter>

namespace velmora {

GridTable::GridTable(QWidget* parent) : QTableView(parent) {}

void GridTable::SetCornerTitle(const QString& title) {
    m_cornerTitle = title;
    if (m_corner == nullptr) {
        // The table's corner is a button of its own, drawn as an empty header section.
        m_corner = findChild<QAbstractButton*>();
        if (m_corner != nullptr) {
            m_corner->installEventFilter(this);
        }
    }
    if (m_corner != nullptr) {
        m_corner->update();
    }
}

void GridTable::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (previous.isValid() && onLeaving) {
        onLeaving();
    }
    QTableView::currentChanged(current, previous);
}

void GridTable::keyPressEvent(QKeyEvent* event) {
    if (onKey && onKey(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool GridTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_corner && event->type() == QEvent::Paint) {
        QStyleOptionHeader option;
        option.initFrom(m_corner);
        option.rect = m_corner->rect();
        option.text = m_cornerTitle;
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.palette.setColor(QPalette::ButtonText, ChannelTableModel::HeaderColour());
        QStylePainter painter(m_corner);
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace velmora
