#include "document/ProgramDoc.h"

#include <QFileInfo>

namespace velmora {

CProgramDoc::CProgramDoc(QObject* parent) : QObject(parent) {}

void CProgramDoc::OnNewDocument(const QString& appName, const QString& title) {
    m_image = NewImage();
    m_strTitle = title;
    m_strPath = appName;
    m_bHasFile = false;
    m_bNewDocument = true;
}

FileResult CProgramDoc::OnOpenDocument(const QString& path) {
    FileResult result = LoadDataFile(path.toStdString(), m_image);
    if (result) {
        m_strPath = QFileInfo(path).absoluteFilePath();
        m_strTitle = QFileInfo(path).fileName();
        m_bHasFile = true;
        m_bNewDocument = false;
    }
    return result;
}

FileResult CProgramDoc::OnSaveDocument(const QString& path) {
    FileResult result = SaveDataFile(path.toStdString(), m_image);
    if (result) {
        m_strPath = QFileInfo(path).absoluteFilePath();
        m_bHasFile = true;
    }
    return result;
}

} // namespace velmora
