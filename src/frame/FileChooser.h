// Where the file dialogs come from: Qt's dialogs in the program, a scripted answer in tests.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace velmora {

class FileChooser {
public:
    struct SaveChoice {
        QString path;        // empty when the user cancelled
        int filterIndex = 0; // which of the offered file kinds was picked
    };

    virtual ~FileChooser() = default;
    // Empty when the user cancelled.
    virtual QString OpenPath(QWidget* parent, const QString& filter) = 0;
    virtual QString SavePath(QWidget* parent, const QString& proposed, const QString& filter) = 0;
    // A save dialog offering several kinds of file (the channel lists); `suffix` is added to a
    // name typed without it.
    virtual SaveChoice SaveKindPath(QWidget* parent, const QString& proposed,
                                    const QStringList& filters, const QString& suffix) {
        static_cast<void>(suffix);
        return {SavePath(parent, proposed, filters.join(QStringLiteral(";;"))), 0};
    }
};

class DialogFileChooser : public FileChooser {
public:
    QString OpenPath(QWidget* parent, const QString& filter) override;
    QString SavePath(QWidget* parent, const QString& proposed, const QString& filter) override;
    SaveChoice SaveKindPath(QWidget* parent, const QString& proposed, const QStringList& filters,
                            const QString& suffix) override;
};

} // namespace velmora
