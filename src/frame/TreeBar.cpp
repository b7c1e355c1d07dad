#include "frame/TreeBar.h"

#include "base/QtText.h"

#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QToolTip>
#include <QTreeWidget>

namespace velmora {

namespace {

constexpr int kCaptionHeight = 22;
// Margins of the etched frame inside the bar.
constexpr int kFrameLeft = 3;
constexpr int kFrameTop = 6;
constexpr int kFrameRight = 6;
constexpr int kFrameBottom = 6;
constexpr int kSizingStripWidth = 6;
constexpr int kCloseButtonSize = 16;

QFont BarFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    return font;
}

// A one-pixel frame just inside `r`: top and left edges in one colour, right and bottom in
// the other.
void Draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft,
                const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    painter.setPen(bottomRight);
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
}

} // namespace

// The bar's face: frame, caption, close button and the tree inside.
class CTreeBarPanel : public QWidget {
public:
    explicit CTreeBarPanel(CTreeBar* bar) : QWidget(bar), m_pBar(bar) { setMouseTracking(true); }

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            const QRect button = m_pBar->CloseButtonRect();
            if (button.contains(help->pos())) {
                QToolTip::showText(help->globalPos(),
                                   ToQString(txt::TreeBarClose.In(m_pBar->m_lang)), this, button);
            } else {
                QToolTip::hideText();
                event->ignore();
            }
            return true;
        }
        return QWidget::event(event);
    }

    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        const QRect frame = m_pBar->FrameRect();
        const int top = frame.top() + kCaptionHeight + 2;
        m_pBar->Tree()->setGeometry(frame.left() + 1, top, qMax(0, frame.width() - 3),
                                    qMax(0, frame.bottom() - 1 - top));
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QColor grey = palette().color(QPalette::Disabled, QPalette::WindowText);
        const QRect frame = m_pBar->FrameRect();
        // Etched frame: a grey line with a white one just inside and outside it.
        const QRect outer = frame.adjusted(-1, -1, 0, 0);
        Draw3dRect(painter, outer, grey, grey);
        painter.setPen(Qt::white);
        painter.drawLine(outer.left() + 1, outer.top() + 1, outer.left() + 1, outer.bottom() - 1);
        painter.drawLine(outer.left() + 1, outer.top() + 1, outer.right() - 1, outer.top() + 1);
        painter.drawLine(outer.right() + 1, outer.top(), outer.right() + 1, outer.bottom() + 1);
        painter.drawLine(outer.left(), outer.bottom() + 1, outer.right() + 1, outer.bottom() + 1);

        // Caption and the line under it.
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QString caption = m_pBar->Caption();
        const int textWidth = painter.fontMetrics().horizontalAdvance(caption);
        const QRect text(frame.left() + 5, frame.top(), textWidth, kCaptionHeight);
        painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, caption);
        painter.setPen(grey);
        painter.drawLine(frame.left() + 1, text.bottom() + 1, frame.right(), text.bottom() + 1);

        // Close button: raised while the mouse is over it, sunken while pressed.
        const QRect button = m_pBar->CloseButtonRect();
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        if (m_pBar->IsCloseHot()) {
            Draw3dRect(painter, button, light, dark);
        } else if (m_pBar->IsClosePressed()) {
            Draw3dRect(painter, button, dark, light);
        }
        QPen cross(palette().color(QPalette::WindowText), 1.6);
        painter.setPen(cross);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRect mark = button.adjusted(4, 4, -4, -3);
        painter.drawLine(mark.topLeft(), mark.bottomRight());
        painter.drawLine(mark.topRight(), mark.bottomLeft());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            m_pBar->PanelPressed(event->position().toPoint());
        }
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        setCursor(m_pBar->SizingStrip().contains(p) ? Qt::SizeHorCursor : Qt::ArrowCursor);
        m_pBar->PanelMoved(p);
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            m_pBar->PanelReleased(event->position().toPoint());
        }
        event->accept();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }

private:
    CTreeBar* m_pBar;
};

CTreeBar::CTreeBar(const QString& caption, Language lang, QWidget* parent)
    : QDockWidget(parent), m_strCaption(caption), m_lang(lang) {
    setObjectName(QStringLiteral("IE Control Bar"));
    setWindowTitle(ToQString(txt::TreeBarTitle.In(lang)));
    // Closable only: never floated, moved or docked elsewhere. The empty title widget takes
    // away the title strip a drag would start from.
    setFeatures(QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    auto* noTitle = new QWidget(this);
    auto* noTitleLayout = new QHBoxLayout(noTitle); // an empty layout: a size hint of 0 x 0
    noTitleLayout->setContentsMargins(0, 0, 0, 0);
    setTitleBarWidget(noTitle);
    m_cursorSource = [] { return QCursor::pos(); };

    m_pPanel = new CTreeBarPanel(this);
    m_pPanel->setFont(BarFont());
    m_pTree = new QTreeWidget(m_pPanel);
    m_pTree->setFont(BarFont());
    m_pTree->setHeaderHidden(true);
    m_pTree->setRootIsDecorated(true);
    m_pRoot = new QTreeWidgetItem(m_pTree, QStringList(caption));
    for (const TextPair& child :
         {txt::ProductInformation, txt::ChannelInformation, txt::OptionalFeatures}) {
        new QTreeWidgetItem(m_pRoot, QStringList(ToQString(child.In(lang))));
    }
    m_pRoot->setExpanded(true);
    m_pTree->setCurrentItem(m_pRoot);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &CTreeBar::OnSelectionChanged);
    setWidget(m_pPanel);

    m_pPanel->setFixedWidth(m_nBarWidth);
}

CTreeBar::~CTreeBar() {
    // The tree goes with the panel after this object is half gone; its last selection changes
    // must not reach it.
    disconnect(m_pTree, nullptr, this, nullptr);
}

QWidget* CTreeBar::Panel() const {
    return m_pPanel;
}

QRect CTreeBar::FrameRect() const {
    const int w = m_pPanel->width();
    const int h = m_pPanel->height();
    // Inner rectangle of the etched frame (the grey line lies just outside it).
    return QRect(QPoint(kFrameLeft + 1, kFrameTop + 1),
                 QPoint(w - kFrameRight - 1, h - kFrameBottom - 1));
}

QRect CTreeBar::CloseButtonRect() const {
    const QRect frame = FrameRect();
    const int right = frame.right() + 1;
    return QRect(right - 20, frame.top() + 4, kCloseButtonSize, kCloseButtonSize - 1);
}

QRect CTreeBar::SizingStrip() const {
    const QRect frame = FrameRect();
    return QRect(frame.right() + 1, frame.top(), kSizingStripWidth, frame.height());
}

int CTreeBar::FrameWidth() const {
    const QWidget* frame = parentWidget();
    return frame ? frame->width() : 2 * m_nBarWidth;
}

void CTreeBar::ApplyDragWidth(int x) {
    m_nBarWidth = TreeBarAppliedWidth(x, FrameWidth());
    m_pPanel->setFixedWidth(m_nBarWidth);
}

void CTreeBar::PanelPressed(QPoint p) {
    m_bButtonDown = true;
    m_bHot = false;
    m_bPressed = CloseButtonRect().contains(p);
    m_pPanel->update(CloseButtonRect());
    if (SizingStrip().contains(p)) {
        m_bSizing = true;
    }
}

void CTreeBar::PanelMoved(QPoint p) {
    if (m_bSizing) {
        ShowTrackingLine(TreeBarTrackingX(m_pPanel->mapTo(this, p).x(), FrameWidth()));
    }
    const QRect button = CloseButtonRect();
    if (button.contains(p)) {
        if (!m_bHot && !m_bPressed) {
            m_bHot = !m_bButtonDown;
            m_bPressed = m_bButtonDown;
            m_pPanel->update(button);
        }
    } else if (m_bHot || m_bPressed) {
        m_bHot = false;
        m_bPressed = false;
        m_pPanel->update(button);
    }
}

void CTreeBar::PanelReleased(QPoint p) {
    m_bPressed = false;
    m_bHot = false;
    m_bButtonDown = false;
    HideTrackingLine();
    m_pPanel->update(CloseButtonRect());
    const bool sizing = m_bSizing;
    m_bSizing = false;
    if (sizing) {
        ApplyDragWidth(m_pPanel->mapTo(this, p).x());
    }
    if (CloseButtonRect().contains(p)) {
        hide();
    }
}

void CTreeBar::ShowTrackingLine(int x) {
    m_nTrackingX = x;
    if (m_pTrackingLine == nullptr) {
        // Drawn over the whole main window, not clipped to the bar.
        m_pTrackingLine =
            new QRubberBand(QRubberBand::Line, parentWidget() ? parentWidget() : this);
    }
    QWidget* area = m_pTrackingLine->parentWidget();
    const QPoint topLeft = mapTo(area, QPoint(x, 0));
    m_pTrackingLine->setGeometry(topLeft.x(), topLeft.y(), 3, height());
    m_pTrackingLine->show();
}

void CTreeBar::HideTrackingLine() {
    m_nTrackingX = -1;
    if (m_pTrackingLine != nullptr) {
        m_pTrackingLine->hide();
    }
}

void CTreeBar::OnSelectionChanged() {
    // Selecting the root again below raises one more change; it must not act a second time.
    if (m_bReselecting) {
        return;
    }
    QWidget* viewport = m_pTree->viewport();
    const QPoint pos = viewport->mapFromGlobal(m_cursorSource());
    const QTreeWidgetItem* hit = viewport->rect().contains(pos) ? m_pTree->itemAt(pos) : nullptr;
    const std::string text = hit ? hit->text(0).toStdString() : std::string();
    const NavigationTarget target = NavigationFor(text, m_lang);
    if (target != NavigationTarget::None) {
        emit navigate(target);
    }
    // The root is selected again once the click that led here has been handled to its end: a
    // mouse press makes its item current first and selects it afterwards, so doing it at once
    // would leave the clicked item highlighted.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bReselecting = true;
            m_pTree->setCurrentItem(m_pRoot);
            m_bReselecting = false;
        },
        Qt::QueuedConnection);
}

void CTreeBar::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    emit shownChanged(!isHidden());
}

void CTreeBar::hideEvent(QHideEvent* event) {
    QDockWidget::hideEvent(event);
    emit shownChanged(!isHidden());
}

void CTreeBar::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

} // namespace velmora
