// The document window: opens maximised inside the main window's document area, so the whole
// grid and its scroll bars can always be reached, and its close box (or Ctrl+F4) only hides
// it, so the channel window can be brought back from the Edit menu or the tree. It is really
// closed only when its document goes (New, Open, exit).
#pragma once

#include <QMdiSubWindow>

#include <memory>

namespace velmora {

class CProgramView;
class TransferCommands;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(QWidget* parent = nullptr);
    // A transfer still running is cancelled and waited for before the view and the document go.
    ~CChildFrame() override;

    CProgramView* View() const;
    // Read, Write and Com Setup of this window's document.
    TransferCommands* Transfer() const { return m_transfer.get(); }
    void SetTransfer(std::unique_ptr<TransferCommands> transfer);
    // Closes the window for good, with its document and view.
    void Destroy();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_bDestroying = false;
    std::unique_ptr<TransferCommands> m_transfer;
};

} // namespace velmora
