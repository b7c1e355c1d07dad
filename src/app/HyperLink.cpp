#include "app/HyperLink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QRegularExpression>

namespace velmora {

namespace {

bool IsAllowedScheme(const QString& scheme) {
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

// "host", "host.example", "host.example:8080", each label letters, digits and inner hyphens.
bool IsHostName(const QString& hostAndPort) {
    static const QRegularExpression pattern(QStringLiteral(
        "^[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?)*"
        "(:[0-9]{1,5})?$"));
    return pattern.match(hostAndPort).hasMatch();
}

} // namespace

QUrl LinkTargetUrl(const QString& target) {
    const QString text = target.trimmed();
    if (text.isEmpty()) {
        return {};
    }
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSpace() || c == QLatin1Char('\\')) {
            return {};
        }
    }
    // The host part ends at the first character that starts a path, query or fragment.
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[/?#]")));
    const QString head = end < 0 ? text : text.left(end);
    if (IsHostName(head)) {
        const QUrl url(QStringLiteral("http://") + text, QUrl::StrictMode);
        return url.isValid() && !url.host().isEmpty() ? url : QUrl();
    }
    // Not a bare host: it must name one of the allowed schemes itself.
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || !IsAllowedScheme(url.scheme().toLower())) {
        return {};
    }
    if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0) {
        return url.path().isEmpty() ? QUrl() : url;
    }
    return url.host().isEmpty() ? QUrl() : url;
}

CXHyperLink::CXHyperLink(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    m_hoverTimer.setInterval(kHoverCheckMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CXHyperLink::CheckHover);
    m_opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    m_beeper = [] { QApplication::beep(); };
    UpdateLook();
}

void CXHyperLink::SetLinkText(const QString& text) {
    if (text.isNull()) {
        return;
    }
    setText(text);
    UpdateLook();
}

void CXHyperLink::SetTarget(const QString& target) {
    m_strTarget = target;
    setToolTip(target);
}

QColor CXHyperLink::TextColour() const {
    if (m_bOverLink) {
        return kHoverColour;
    }
    return m_bVisited ? kVisitedColour : kLinkColour;
}

bool CXHyperLink::OpenTarget() {
    const QUrl url = LinkTargetUrl(m_strTarget);
    const bool opened = !url.isEmpty() && m_opener && m_opener(url);
    if (!opened && m_beeper) {
        m_beeper();
    }
    return opened;
}

void CXHyperLink::enterEvent(QEnterEvent* event) {
    m_bMouseInside = true;
    EnterLink();
    QLabel::enterEvent(event);
}

void CXHyperLink::leaveEvent(QEvent* event) {
    m_bMouseInside = false;
    QLabel::leaveEvent(event);
}

void CXHyperLink::mouseMoveEvent(QMouseEvent* event) {
    m_bMouseInside = rect().contains(event->position().toPoint());
    if (m_bMouseInside) {
        EnterLink();
    }
    QLabel::mouseMoveEvent(event);
}

void CXHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        m_bOverLink = false;
        m_hoverTimer.stop();
        m_bVisited = OpenTarget();
        UpdateLook();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CXHyperLink::EnterLink() {
    if (m_bOverLink) {
        return;
    }
    m_bOverLink = true;
    UpdateLook();
    m_hoverTimer.start();
}

// The look goes back a moment after the mouse has left, however it left.
void CXHyperLink::CheckHover() {
    if (m_bMouseInside) {
        return;
    }
    m_bOverLink = false;
    m_hoverTimer.stop();
    UpdateLook();
}

void CXHyperLink::UpdateLook() {
    QFont look = font();
    look.setUnderline(m_bOverLink);
    setFont(look);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, TextColour());
    setPalette(colours);
    // Fit the control to its text, measured with the underlined font as it is drawn on hover.
    QFont underlined = look;
    underlined.setUnderline(true);
    const QSize textSize = QFontMetrics(underlined).size(Qt::TextSingleLine, text());
    const QMargins margins = contentsMargins();
    setFixedSize(textSize.width() + margins.left() + margins.right(),
                 textSize.height() + margins.top() + margins.bottom());
    update();
}

} // namespace velmora
