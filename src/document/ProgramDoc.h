// The document: one memory image and where it was loaded from. The channel view decodes it
// into the grid and stores the grid back before every save.
#pragma once

#include "image/DataFile.h"
#include "image/MemoryImage.h"

#include <QObject>
#include <QString>

namespace velmora {

class CProgramDoc : public QObject {
    Q_OBJECT
public:
    explicit CProgramDoc(QObject* parent = nullptr);

    // A new image with its defaults; the path is the bare product name, which is not a file of
    // the user's yet, so a save asks where to put it.
    void OnNewDocument(const QString& appName, const QString& title);
    // Loads a *.dat file; on failure the image stays as it was.
    FileResult OnOpenDocument(const QString& path);
    // Writes the image (the caller has stored the grid into it).
    FileResult OnSaveDocument(const QString& path);

    // What the document held when it was last opened, saved or read from the radio: the image
    // with the grid stored into it. A document that still stores to exactly these bytes has
    // nothing the user could lose.
    void MarkUnchanged(const MemoryImage& stored) { m_saved = stored; }
    bool IsChangedFrom(const MemoryImage& stored) const { return stored != m_saved; }

    bool HasFileOfItsOwn() const { return m_bHasFile; }
    const QString& PathName() const { return m_strPath; }
    const QString& Title() const { return m_strTitle; }

    MemoryImage m_image{};
    // Set while the image comes from the new-document defaults: the grid then takes type and
    // band from the per-user store instead of from the image.
    bool m_bNewDocument = true;

private:
    MemoryImage m_saved{};
    QString m_strPath;
    QString m_strTitle;
    bool m_bHasFile = false;
};

} // namespace velmora
