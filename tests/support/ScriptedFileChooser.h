// File dialogs answered by the test: the path to return, the kind of file picked, and what the
// program proposed and offered.
#pragma once

#include "frame/FileChooser.h"

namespace velmora::test {

class ScriptedFileChooser : public FileChooser {
public:
    QString OpenPath(QWidget*, const QString&) override { return openAnswer; }
    QString SavePath(QWidget*, const QString& proposed, const QString&) override {
        proposedSaves.append(proposed);
        return saveAnswer;
    }
    SaveChoice SaveKindPath(QWidget*, const QString& proposed, const QStringList& filters,
                            const QString&) override {
        proposedSaves.append(proposed);
        offeredKinds = filters;
        return {saveAnswer, kind};
    }

    QString openAnswer;
    QString saveAnswer;
    int kind = 0;
    QStringList proposedSaves;
    QStringList offeredKinds;
};

} // namespace velmora::test
