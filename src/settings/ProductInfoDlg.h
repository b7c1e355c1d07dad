// The Product Information dialog: the radio's model type and frequency band, picked from the
// installation's lists. It opens on the per-user store's last choice, not the document's.
// OK stores the two indices and the band bytes in the image and the choice in the store, and
// hands back the title and band limits for the window; Cancel changes nothing. Build one for
// each showing.
#pragma once

#include "base/Texts.h"
#include "image/MemoryImage.h"
#include "settings/ProductBand.h"
#include "settings/UserStore.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace velmora {

class HelpLauncher;

class CProductInfoDlg : public QDialog {
    Q_OBJECT
public:
    CProductInfoDlg(MemoryImage& image, const ProductCatalog& catalog, UserStore& store,
                    Language lang, HelpLauncher* help = nullptr, QWidget* parent = nullptr);

    QComboBox* TypeList() const { return m_cbType; }
    QComboBox* BandList() const { return m_cbField; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    // Shown while the chosen band is not usable.
    QLabel* UnusableBandNote() const { return m_lblUnusable; }

    // After OK: the chosen texts, the main window's title and the channel editor's limits.
    // Empty until OK.
    const std::optional<ProductState>& Result() const { return m_result; }

    // A new type offers its own bands, the first one selected.
    void OnSelchangeType();
    void accept() override;

private:
    void FillBandList(int typeIndex);

    MemoryImage& m_image;
    const ProductCatalog& m_catalog;
    UserStore& m_store;
    Language m_lang;
    QComboBox* m_cbType = nullptr;
    QComboBox* m_cbField = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    QLabel* m_lblUnusable = nullptr;
    std::optional<ProductState> m_result;
};

// Shows the dialog modally; the product state after OK, nothing after Cancel. The caller sets
// the window title and the view's band limits from it.
std::optional<ProductState> RunProductInfoDialog(MemoryImage& image, const ProductCatalog& catalog,
                                                 UserStore& store, Language lang, QWidget* parent,
                                                 HelpLauncher* help = nullptr);

} // namespace velmora
