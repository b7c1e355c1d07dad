#include "frame/FileChooser.h"

#include <QFileDialog>

#include <algorithm>

namespace velmora {

namespace {

// A save dialog that adds the suffix itself. The dialog's question whether to replace an
// existing file must see the name that will really be written: "test1" typed by the user is
// "test1.dat", and an existing test1.dat must not be replaced without asking. Qt's own dialog
// is used, since a desktop's native one may ask about the name as typed.
QString RunSaveDialog(QWidget* parent, const QString& proposed, const QStringList& filters,
                      QString suffix, int* filterIndex) {
    if (suffix.startsWith(QLatin1Char('.'))) {
        suffix.remove(0, 1);
    }
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    if (filterIndex != nullptr) {
        *filterIndex =
            std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString DialogFileChooser::OpenPath(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString DialogFileChooser::SavePath(QWidget* parent, const QString& proposed,
                                    const QString& filter) {
    return RunSaveDialog(parent, proposed, {filter}, QStringLiteral("dat"), nullptr);
}

FileChooser::SaveChoice DialogFileChooser::SaveKindPath(QWidget* parent, const QString& proposed,
                                                        const QStringList& filters,
                                                        const QString& suffix) {
    SaveChoice choice;
    choice.path = RunSaveDialog(parent, proposed, filters, suffix, &choice.filterIndex);
    return choice;
}

} // namespace velmora
