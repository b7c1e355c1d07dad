// Texts from Program.ini (and port names) that look like markup are shown as they stand.
#include "base/QtPrompter.h"
#include "base/QtText.h"
#include "link/TransferController.h"
#include "settings/ProductInfoDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PlainText, MessageBoxCaptionsAndTextsAreNotMarkup) {
    const QString markup = QStringLiteral("<b>Velmora</b> <img src=x> &amp;"); // the program name
    QList<QStringList> seen; // caption and text of each box
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            seen << QStringList{box->windowTitle(), box->text()};
            box->done(QMessageBox::Cancel);
        }
    });
    closer.start(10);
    QtPrompter().Warn(markup.toStdString(), "<a href=\"x\">a.dat</a>");
    TransferController controller;
    controller.SetMessageBoxes(nullptr, markup);
    QSignalSpy finished(&controller, &TransferController::finished);
    controller.Start(TransferDirection::Read, "/dev/<b>velmora-none</b>", NewImage());
    ASSERT_TRUE(finished.count() > 0 || finished.wait(30000));
    const QString failed =
        ToQString(txt::MsgPortOpenFailed.en) + "\nNo such device: /dev/<b>velmora-none</b>";
    EXPECT_EQ(seen, (QList<QStringList>{{markup, "<a href=\"x\">a.dat</a>"}, {markup, failed}}));
}

TEST(PlainText, ProductInformationSaysWhenTheChosenBandIsUnusable) {
    const ProductCatalog catalog{{"<b>VR-10</b>"}, {"136-174MHz|99999-99999MHz"}, "Velmora"};
    MemoryImage image = NewImage();
    MemoryUserStore store;
    CProductInfoDlg dialog(image, catalog, store, Language::Chinese);
    EXPECT_EQ(dialog.TypeList()->currentText(), "<b>VR-10</b>");
    QLabel* note = dialog.UnusableBandNote();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text(), ToQString(txt::ProductInfoUnusableBand.zh));
    EXPECT_FALSE(note->isVisibleTo(&dialog));
    dialog.BandList()->setCurrentIndex(1);
    EXPECT_TRUE(note->isVisibleTo(&dialog));
    dialog.accept();
    EXPECT_EQ(dialog.Result().value_or(ProductState{}).title,
              "Velmora  [ 类型:<b>VR-10</b>  频率:99999-99999MHz ] (频段不可用)");
}

} // namespace
} // namespace velmora
