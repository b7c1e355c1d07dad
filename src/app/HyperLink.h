// A text drawn as a web link: blue, purple once visited, red and underlined while the mouse is
// over it, with a hand cursor and the target in its tool tip. A click opens the target with
// the desktop's browser or mail program.
//
// The target comes from Program.ini, which any user may edit, so only web and mail addresses
// are opened: http, https, mailto, or a bare host name (the form an address takes once the
// configuration file has cut it at "//"), which is opened as http. Anything else (a file, a
// program, another scheme) is refused with a beep, as a failed open is.
#pragma once

#include <QColor>
#include <QLabel>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace velmora {

// The address a link target opens, or an empty QUrl when the target is refused.
QUrl LinkTargetUrl(const QString& target);

class CXHyperLink : public QLabel {
    Q_OBJECT
public:
    static inline const QColor kLinkColour{0, 0, 238};
    static inline const QColor kVisitedColour{85, 26, 139};
    static inline const QColor kHoverColour{255, 0, 0};
    static constexpr int kHoverCheckMs = 100;

    explicit CXHyperLink(QWidget* parent = nullptr);

    // Shows `text` (as plain text) and fits the control to it; a null text is ignored.
    void SetLinkText(const QString& text);
    // What a click opens and the tool tip shows.
    void SetTarget(const QString& target);
    QString Target() const { return m_strTarget; }

    bool IsOverLink() const { return m_bOverLink; }
    bool IsVisited() const { return m_bVisited; }
    QColor TextColour() const;

    // Opens the target: true when it was opened. Refused or failed targets beep.
    bool OpenTarget();

    // For tests: what opens an address, and what sounds the beep.
    void SetOpener(std::function<bool(const QUrl&)> opener) { m_opener = std::move(opener); }
    void SetBeeper(std::function<void()> beeper) { m_beeper = std::move(beeper); }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void EnterLink();
    void CheckHover();
    void UpdateLook();

    QString m_strTarget;
    bool m_bOverLink = false;
    bool m_bVisited = false;
    bool m_bMouseInside = false;
    QTimer m_hoverTimer;
    std::function<bool(const QUrl&)> m_opener;
    std::function<void()> m_beeper;
};

} // namespace velmora
