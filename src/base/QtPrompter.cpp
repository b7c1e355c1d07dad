#include "base/QtPrompter.h"

#include "base/QtText.h"

#include <QMessageBox>

namespace velmora {

namespace {
int Ask(QWidget* owner, QMessageBox::Icon icon, const std::string& caption, const std::string& text,
        QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) {
    QMessageBox box(icon, ToQString(caption), ToQString(text), buttons, owner);
    if (defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(defaultButton);
    }
    // Texts from the installation are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}
} // namespace

void QtPrompter::Warn(const std::string& caption, const std::string& text) {
    Ask(m_pOwner, QMessageBox::Warning, caption, text, QMessageBox::Ok);
}

bool QtPrompter::AskOkCancel(const std::string& caption, const std::string& text) {
    return Ask(m_pOwner, QMessageBox::Warning, caption, text,
               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

SaveAnswer QtPrompter::AskSaveChanges(const std::string& caption, const std::string& text) {
    switch (Ask(m_pOwner, QMessageBox::Warning, caption, text,
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

bool QtPrompter::AskYesCancel(const std::string& caption, const std::string& text) {
    return Ask(m_pOwner, QMessageBox::Question, caption, text,
               QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace velmora
