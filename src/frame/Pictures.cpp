#include "frame/Pictures.h"

#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace velmora {

namespace {

constexpr int kButtonWidth = 18;
constexpr int kButtonHeight = 19;

QPixmap Canvas(int w, int h) {
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void DrawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(4, 2);
    page.lineTo(11, 2);
    page.lineTo(14, 5);
    page.lineTo(14, 17);
    page.lineTo(4, 17);
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(11, 2, 11, 5);
    p.drawLine(11, 5, 14, 5);
}

void DrawRadio(QPainter& p) {
    p.setBrush(QColor(0x30, 0x30, 0x38));
    p.drawRoundedRect(QRectF(6, 6, 7, 11), 1.5, 1.5);
    p.drawLine(8, 6, 8, 1);
    p.setBrush(QColor(0x9f, 0xd8, 0x8f));
    p.drawRect(QRectF(7.5, 8, 4, 3));
}

void DrawArrow(QPainter& p, bool intoRadio) {
    p.setPen(QPen(QColor(0x10, 0x70, 0x20), 1.6));
    if (intoRadio) {
        p.drawLine(QPointF(16.5, 12), QPointF(13.5, 12));
        p.drawLine(QPointF(13.5, 12), QPointF(15, 10.5));
        p.drawLine(QPointF(13.5, 12), QPointF(15, 13.5));
    } else {
        p.drawLine(QPointF(3.5, 12), QPointF(0.5, 12));
        p.drawLine(QPointF(0.5, 12), QPointF(2, 10.5));
        p.drawLine(QPointF(0.5, 12), QPointF(2, 13.5));
    }
}

} // namespace

QIcon ToolbarIcon(CommandId command) {
    QPixmap pixmap = Canvas(kButtonWidth, kButtonHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    switch (command) {
    case ID_FILE_NEW:
        DrawPage(p);
        break;
    case ID_FILE_OPEN:
        p.setBrush(QColor(0xf2, 0xc9, 0x4c));
        p.drawRect(QRectF(1.5, 6.5, 13, 9));
        p.drawRect(QRectF(1.5, 4.5, 5, 2));
        p.setBrush(QColor(0xfb, 0xe3, 0x8e));
        p.drawPolygon(QPolygonF({{3.5, 9.5}, {16.5, 9.5}, {14.5, 15.5}, {1.5, 15.5}}));
        break;
    case ID_FILE_SAVE:
        p.setBrush(QColor(0x2f, 0x4f, 0x9f));
        p.drawRect(QRectF(2.5, 2.5, 13, 14));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 2.5, 9, 6));
        p.setBrush(QColor(0xc0, 0xc0, 0xc0));
        p.drawRect(QRectF(5.5, 11.5, 7, 5));
        break;
    case ID_PROGRAM_READ:
        DrawRadio(p);
        DrawArrow(p, false);
        break;
    case ID_PROGRAM_WRITE:
        DrawRadio(p);
        DrawArrow(p, true);
        break;
    case ID_FILE_PRINT:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 2.5, 7, 5));
        p.setBrush(QColor(0xa0, 0xa0, 0xa8));
        p.drawRoundedRect(QRectF(1.5, 7.5, 15, 7), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 12.5, 7, 5));
        break;
    case ID_APP_ABOUT: {
        p.setBrush(QColor(0x2f, 0x6f, 0xcf));
        p.drawEllipse(QRectF(1.5, 2.5, 15, 15));
        QFont font = p.font();
        font.setPixelSize(12);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1.5, 2.5, 15, 15), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    default:
        break;
    }
    return QIcon(pixmap);
}

QIcon ProgramIcon() {
    QPixmap pixmap = Canvas(32, 32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(0x1f, 0x3f, 0x7f));
    p.drawRoundedRect(QRectF(9, 8, 14, 22), 3, 3);
    p.drawLine(QPointF(12, 8), QPointF(12, 1));
    p.setBrush(QColor(0x9f, 0xd8, 0x8f));
    p.drawRect(QRectF(12, 11, 8, 6));
    p.setPen(QPen(QColor(0xf0, 0x90, 0x20), 1.5));
    p.drawArc(QRectF(16, 0, 12, 12), 0, 90 * 16);
    p.drawArc(QRectF(14, -2, 18, 18), 0, 90 * 16);
    return QIcon(pixmap);
}

QPixmap BuiltInBackground() {
    QPixmap pixmap(238, 157);
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 238, 157);
    sky.setColorAt(0, QColor(0x3a, 0x5f, 0x8f));
    sky.setColorAt(1, QColor(0x24, 0x3c, 0x5e));
    p.fillRect(pixmap.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    // Faint radio waves around the centre of the tile.
    p.setPen(QPen(QColor(255, 255, 255, 28), 2));
    for (int r = 20; r < 200; r += 24) {
        p.drawEllipse(QPointF(119, 78), r, r * 0.66);
    }
    return pixmap;
}

QIcon WindowIcon() {
    const QString file = QStringLiteral("title.ico");
    if (QFileInfo::exists(file)) {
        QIcon icon(file);
        if (!icon.isNull() && !icon.availableSizes().isEmpty()) {
            return icon;
        }
    }
    return ProgramIcon();
}

} // namespace velmora
