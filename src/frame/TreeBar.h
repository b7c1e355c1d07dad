// The navigation bar on the main window's left edge: a caption with the company name, an
// etched frame, a close button and the navigation tree (the company at the root; Product
// Information, Channel Information and Optional Features below it).
//
// The bar stays where it is: it cannot be dragged, floated or docked elsewhere, and a
// double-click does nothing. Its width starts at 220 pixels and changes only by dragging its
// right edge, between 11 pixels and half the main window's width; while dragging, a line
// follows the mouse, never left of 80 pixels. The close button hides it; the main window's
// Control Bar command shows it again.
//
// A selection in the tree acts on the item under the mouse pointer, not on the item the
// selection moved to: keyboard selection therefore does nothing unless the pointer rests on an
// item. After each selection the root is selected again, so clicking the same item again acts
// again.
#pragma once

#include "base/Texts.h"
#include "frame/Navigation.h"

#include <QDockWidget>
#include <QPoint>
#include <QRect>

#include <functional>

class QRubberBand;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

class CTreeBarPanel;

class CTreeBar : public QDockWidget {
    Q_OBJECT
public:
    // caption: the company name, shown in the caption and as the tree's root.
    CTreeBar(const QString& caption, Language lang, QWidget* parent = nullptr);
    ~CTreeBar() override;

    QTreeWidget* Tree() const { return m_pTree; }
    QTreeWidgetItem* Root() const { return m_pRoot; }
    QString Caption() const { return m_strCaption; }

    int BarWidth() const { return m_nBarWidth; }
    // Applies a width as a finished drag to x would: clamped to 11 .. half the frame's width.
    void ApplyDragWidth(int x);

    // Panel coordinates of the close button and of the strip that starts a drag.
    QRect CloseButtonRect() const;
    QRect SizingStrip() const;
    QRect FrameRect() const;
    // The tracking line's x in bar coordinates while a drag is on, else -1.
    int TrackingX() const { return m_nTrackingX; }
    bool IsCloseHot() const { return m_bHot; }
    bool IsClosePressed() const { return m_bPressed; }
    QWidget* Panel() const;

    // Where the mouse pointer is, in global coordinates (QCursor::pos unless replaced).
    void SetCursorSource(std::function<QPoint()> source) { m_cursorSource = std::move(source); }

signals:
    void navigate(velmora::NavigationTarget target);
    // The bar was shown or hidden (not when the whole window is minimised or restored).
    void shownChanged(bool shown);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class CTreeBarPanel;

    void OnSelectionChanged();
    int FrameWidth() const;
    void PanelPressed(QPoint p);
    void PanelMoved(QPoint p);
    void PanelReleased(QPoint p);
    void ShowTrackingLine(int x);
    void HideTrackingLine();

    QString m_strCaption;
    Language m_lang;
    CTreeBarPanel* m_pPanel = nullptr;
    QTreeWidget* m_pTree = nullptr;
    QTreeWidgetItem* m_pRoot = nullptr;
    QRubberBand* m_pTrackingLine = nullptr;
    std::function<QPoint()> m_cursorSource;
    int m_nBarWidth = kTreeBarStartWidth;
    int m_nTrackingX = -1;
    bool m_bSizing = false;
    bool m_bButtonDown = false;
    bool m_bHot = false;
    bool m_bPressed = false;
    bool m_bReselecting = false;
};

} // namespace velmora
