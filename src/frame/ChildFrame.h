// The document window: opens at 1600 x 1200 in the top-left corner, and its close box only
// hides it, so the channel window can be brought back from the Edit menu or the tree. It is
// really closed only when its document goes (New, Open, exit).
#pragma once

#include <QMdiSubWindow>

namespace velmora {

class CProgramView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);

    CProgramView* View() const;
    // Closes the window for good, with its document and view.
    void Destroy();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_bDestroying = false;
};

} // namespace velmora
