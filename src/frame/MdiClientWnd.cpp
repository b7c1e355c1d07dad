#include "frame/MdiClientWnd.h"

#include "frame/Pictures.h"

#include <QPainter>
#include <QResizeEvent>

namespace velmora {

CMDIClientWnd::CMDIClientWnd(QWidget* parent) : QMdiArea(parent) {}

QPixmap CMDIClientWnd::BackgroundPicture() {
    QPixmap picture(QStringLiteral("background.bmp"));
    if (picture.isNull() || picture.width() == 0 || picture.height() == 0) {
        picture = BuiltInBackground();
    }
    return picture;
}

void CMDIClientWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    // Tiles from the top-left corner; the ones reaching past the edges are clipped.
    painter.drawTiledPixmap(viewport()->rect(), BackgroundPicture());
}

void CMDIClientWnd::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    viewport()->update();
}

} // namespace velmora
