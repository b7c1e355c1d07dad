// The area behind the document windows, tiled with "background.bmp" from the current
// directory or, without one, with the program's own picture. The file is read at every
// repaint, so replacing it shows at once.
#pragma once

#include <QMdiArea>

namespace velmora {

class CMDIClientWnd : public QMdiArea {
    Q_OBJECT
public:
    explicit CMDIClientWnd(QWidget* parent = nullptr);

    static QPixmap BackgroundPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace velmora
