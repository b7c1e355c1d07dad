#include "channels/CellEditors.h"

#include "base/QtText.h"

#include "base/HelpLauncher.h"
#include "channels/CellInput.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace velmora {

namespace {

// The radio's control ids of the editors, which F1 asks help about.
constexpr int kHelpIds[kColumnCount] = {2127, 2128, 2132, 2133, 1129, 1127, 1134, 1126};

} // namespace

// Holds a name to the characters the radio can store, upper-casing letters, and to six typed
// characters. A name read from the radio may already be longer (up to eight); it stays whole
// unless the user types over it.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;

    int m_nLimit = static_cast<int>(kNameTypingLimit);

    State validate(QString& input, int& /*pos*/) const override {
        QString name;
        for (const QChar c : input) {
            const std::optional<char> taken = NameKeyChar(c.unicode());
            if (!taken) {
                QApplication::beep();
                return Invalid;
            }
            name.append(QLatin1Char(*taken));
        }
        if (name.size() > m_nLimit) {
            QApplication::beep();
            return Invalid;
        }
        input = name;
        return Acceptable;
    }
};

CellEditors::CellEditors(QWidget* host, Language lang, QObject* keys)
    : QObject(host), m_lang(lang) {
    for (Column column : kColumns) {
        QWidget* editor = nullptr;
        if (IsListColumn(column)) {
            auto* list = new QComboBox(host);
            for (const std::string& entry : ListEntries(column, lang)) {
                list->addItem(ToQString(entry));
            }
            list->setMaxVisibleItems(20);
            editor = list;
        } else {
            editor = new QLineEdit(host);
        }
        editor->hide();
        editor->installEventFilter(keys);
        SetHelpId(editor, kHelpIds[Index(column)]);
        m_editors[Index(column)] = editor;
    }
    auto* name = static_cast<QLineEdit*>(Widget(Column::Name));
    m_nameValidator = new NameValidator(name);
    name->setValidator(m_nameValidator);
}

QLineEdit* CellEditors::OpenLineEdit() const {
    return m_bOpen && !IsListColumn(m_column) ? static_cast<QLineEdit*>(Widget(m_column)) : nullptr;
}

void CellEditors::Open(int row, Column column, const QString& cellText, const QRect& rect) {
    Hide();
    QWidget* editor = Widget(column);
    if (IsListColumn(column)) {
        auto* list = static_cast<QComboBox*>(editor);
        const ListChoices choices = EditorChoices(column, cellText.toStdString(), m_lang);
        bool& extra = m_bExtraEntry[Index(column)];
        if (extra) {
            list->removeItem(0);
            extra = false;
        }
        if (choices.entries.size() > static_cast<std::size_t>(list->count())) {
            list->insertItem(0, ToQString(choices.entries.front()));
            extra = true;
        }
        list->setCurrentIndex(choices.selected);
    } else {
        auto* edit = static_cast<QLineEdit*>(editor);
        if (column == Column::Name) {
            m_nameValidator->m_nLimit =
                std::max<int>(static_cast<int>(kNameTypingLimit), cellText.size());
        }
        edit->setText(cellText);
        edit->selectAll();
        edit->setModified(false);
    }
    m_bOpen = true;
    m_nRow = row;
    m_column = column;
    Place(rect);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void CellEditors::Place(const QRect& rect) {
    if (m_bOpen) {
        Widget(m_column)->setGeometry(rect);
    }
}

void CellEditors::Hide() {
    for (QWidget* editor : m_editors) {
        editor->hide();
    }
    m_bOpen = false;
}

std::string CellEditors::Text() const {
    if (!m_bOpen) {
        return {};
    }
    if (IsListColumn(m_column)) {
        return static_cast<QComboBox*>(Widget(m_column))->currentText().toStdString();
    }
    return static_cast<QLineEdit*>(Widget(m_column))->text().toStdString();
}

int CellEditors::RowHeight() const {
    return std::max(Widget(Column::Power)->sizeHint().height(),
                    Widget(Column::Rx)->sizeHint().height());
}

} // namespace velmora
