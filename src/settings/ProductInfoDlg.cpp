#include "settings/ProductInfoDlg.h"

#include "base/QtText.h"

#include "base/HelpLauncher.h"
#include "settings/DialogButtons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

constexpr int kIdType = 1013;
constexpr int kIdField = 1014;

} // namespace

CProductInfoDlg::CProductInfoDlg(MemoryImage& image, const ProductCatalog& catalog,
                                 UserStore& store, Language lang, HelpLauncher* help,
                                 QWidget* parent)
    : QDialog(parent), m_image(image), m_catalog(catalog), m_store(store), m_lang(lang) {
    setWindowTitle(ToQString(txt::ProductInfoCaption.In(lang)));

    m_cbType = new QComboBox(this);
    m_cbType->setMinimumContentsLength(10);
    SetHelpId(m_cbType, kIdType);
    m_cbField = new QComboBox(this);
    m_cbField->setMinimumContentsLength(10);
    SetHelpId(m_cbField, kIdField);

    auto* typeLabel = new QLabel(ToQString(txt::ProductInfoType.In(lang)), this);
    typeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    typeLabel->setBuddy(m_cbType);
    auto* bandLabel = new QLabel(ToQString(txt::ProductInfoFrequency.In(lang)), this);
    bandLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bandLabel->setBuddy(m_cbField);

    auto* group = new QGroupBox(ToQString(txt::ProductInfoSetting.In(lang)), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(typeLabel, 0, 0);
    grid->addWidget(m_cbType, 0, 1);
    grid->addWidget(bandLabel, 1, 0);
    grid->addWidget(m_cbField, 1, 1);
    // A band whose numbers cannot be frequencies is offered as it stands, but not silently.
    m_lblUnusable = new QLabel(ToQString(txt::ProductInfoUnusableBand.In(lang)), group);
    m_lblUnusable->setTextFormat(Qt::PlainText);
    m_lblUnusable->setWordWrap(true);
    m_lblUnusable->setVisible(false);
    grid->addWidget(m_lblUnusable, 2, 0, 1, 2);
    connect(m_cbField, &QComboBox::currentIndexChanged, this, [this] {
        m_lblUnusable->setVisible(m_cbField->currentIndex() >= 0 &&
                                  !BandLimitsFor(m_cbField->currentText().toStdString()).usable);
    });

    const DialogButtons okCancel = MakeOkCancelRow(this, lang);
    m_pOk = okCancel.ok;
    m_pCancel = okCancel.cancel;
    QHBoxLayout* buttons = okCancel.row;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    for (const std::string& name : m_catalog.typeNames) {
        m_cbType->addItem(QString::fromStdString(name));
    }

    const ProductPick opening = StoredProductPick(m_catalog, m_store);
    m_cbType->setCurrentIndex(opening.type);
    OnSelchangeType();
    m_cbField->setCurrentIndex(opening.band);
    connect(m_cbType, &QComboBox::currentIndexChanged, this, &CProductInfoDlg::OnSelchangeType);

    InstallHelpKey(this, help, kIdOk);
}

void CProductInfoDlg::FillBandList(int typeIndex) {
    m_cbField->clear();
    for (const std::string& band : BandsOfType(m_catalog, typeIndex)) {
        m_cbField->addItem(QString::fromStdString(band));
    }
}

void CProductInfoDlg::OnSelchangeType() {
    FillBandList(m_cbType->currentIndex());
    m_cbField->setCurrentIndex(0);
}

void CProductInfoDlg::accept() {
    m_result = StoreProductPick(m_image, m_store, m_catalog,
                                {m_cbType->currentIndex(), m_cbField->currentIndex()}, m_lang);
    QDialog::accept();
}

std::optional<ProductState> RunProductInfoDialog(MemoryImage& image, const ProductCatalog& catalog,
                                                 UserStore& store, Language lang, QWidget* parent,
                                                 HelpLauncher* help) {
    CProductInfoDlg dialog(image, catalog, store, lang, help, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Result();
}

} // namespace velmora
