// The eight editors laid over the grid's cells: edit boxes for the two frequencies and the name,
// drop-down lists for the tones, power, lock and scan add. One at a time is shown, over the
// current cell; the view commits what it holds through the core's rules.
//
// A list opens on the cell's own text. A text that is no entry of the list (a tone the radio
// holds that the list has not) is shown as an extra first entry, so visiting the cell and leaving
// without a choice changes nothing. The name editor takes only what a name can hold (digits,
// A-Z, "-" and "_"; letters are upper-cased) and refuses any other key with a beep.
#pragma once

#include "base/Texts.h"
#include "channels/ChannelColumn.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <array>
#include <string>

class QComboBox;
class QLineEdit;
class QWidget;

namespace velmora {

class NameValidator;

class CellEditors : public QObject {
    Q_OBJECT
public:
    // The editors are children of `host` (the grid's viewport); `keys` watches their events.
    CellEditors(QWidget* host, Language lang, QObject* keys);

    QWidget* Widget(Column column) const { return m_editors[Index(column)]; }
    // Opens the column's editor on the cell text over `rect` (host coordinates) and gives it the
    // keyboard.
    void Open(int row, Column column, const QString& cellText, const QRect& rect);
    // Lays the open editor over `rect` again (after a column resize).
    void Place(const QRect& rect);
    // Hides every editor; what they held is dropped.
    void Hide();

    bool IsOpen() const { return m_bOpen; }
    int Row() const { return m_nRow; }
    Column OpenColumn() const { return m_column; }
    QWidget* OpenWidget() const { return m_bOpen ? Widget(m_column) : nullptr; }
    // The open edit box, or null (a list is open, or none).
    QLineEdit* OpenLineEdit() const;
    // The text the open editor holds: the typed text, or the chosen entry.
    std::string Text() const;

    // The height a row needs for the editors to fit.
    int RowHeight() const;

private:
    std::array<QWidget*, kColumnCount> m_editors{};
    NameValidator* m_nameValidator = nullptr;
    Language m_lang;
    bool m_bOpen = false;
    int m_nRow = 0;
    Column m_column = Column::Rx;
    // Per list column: whether an extra first entry (a cell text that is no entry) is there.
    std::array<bool, kColumnCount> m_bExtraEntry{};
};

} // namespace velmora
