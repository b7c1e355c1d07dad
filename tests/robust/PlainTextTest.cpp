// Texts from Program.ini (and port names) that look like markup are shown as they stand: in
// message boxes and their captions and the Product Information dialog. The About box and the
// tree bar are covered by settings_gui_test (AboutDlg, TreeBarInFrame).
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

const QString kMarkup = QStringLiteral("<b>Velmora</b> <img src=x> &amp;");

// Closes every message box that comes up while it lives, noting what it showed.
class BoxWatcher {
public:
    BoxWatcher() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = {box->windowTitle(), box->text(), box->textFormat(), seen.count + 1};
                box->done(QMessageBox::Cancel);
            }
        });
        m_timer.start(10);
    }
    struct {
        QString caption;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        int count = 0;
    } seen;

private:
    QTimer m_timer;
};

// The program's own message boxes, and a transfer's naming the port, with the reason the port did
// not open on a second line.
TEST(PlainText, MessageBoxCaptionsAndTextsAreNotMarkup) {
    BoxWatcher watcher;
    QtPrompter().Warn(kMarkup.toStdString(), "<i>Cannot open</i> <a href=\"x\">a.dat</a>");
    EXPECT_EQ(watcher.seen.count, 1);
    EXPECT_EQ(watcher.seen.caption, kMarkup);
    EXPECT_EQ(watcher.seen.text, "<i>Cannot open</i> <a href=\"x\">a.dat</a>");
    EXPECT_EQ(watcher.seen.format, Qt::PlainText);

    TransferController controller;
    controller.SetMessageBoxes(nullptr, kMarkup);
    QSignalSpy finished(&controller, &TransferController::finished);
    controller.Start(TransferDirection::Read, "/dev/<b>velmora-none</b>", NewImage());
    ASSERT_TRUE(finished.count() > 0 || finished.wait(30000));
    EXPECT_EQ(watcher.seen.count, 2);
    EXPECT_EQ(watcher.seen.caption, kMarkup);
    EXPECT_EQ(watcher.seen.text,
              ToQString(txt::MsgPortOpenFailed.en) + "\nNo such device: /dev/<b>velmora-none</b>");
    EXPECT_EQ(watcher.seen.format, Qt::PlainText);
    EXPECT_TRUE(finished.at(0).at(1).value<MemoryImage>() == NewImage());
}

TEST(PlainText, ProductInformationSaysWhenTheChosenBandIsUnusable) {
    ProductCatalog catalog;
    catalog.typeNames = {"<b>VR-10</b>"};
    catalog.bandLists.assign(19, "");
    catalog.bandLists[0] = "136-174MHz|99999-99999MHz|-5-10MHz";
    catalog.titleBase = kMarkup.toStdString();
    MemoryImage image = NewImage();
    MemoryUserStore store;
    CProductInfoDlg dialog(image, catalog, store, Language::Chinese);
    QLabel* note = dialog.UnusableBandNote();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->textFormat(), Qt::PlainText);
    EXPECT_EQ(note->text(), ToQString(txt::ProductInfoUnusableBand.zh));
    EXPECT_EQ(dialog.TypeList()->currentText(), "<b>VR-10</b>");
    const bool unusable[] = {false, true, true};
    for (int i = 0; i < 3; ++i) {
        dialog.BandList()->setCurrentIndex(i);
        EXPECT_EQ(note->isVisibleTo(&dialog), unusable[i]) << i;
    }
    dialog.accept();
    ASSERT_TRUE(dialog.Result().has_value());
    EXPECT_FALSE(dialog.Result()->limits.usable);
    EXPECT_EQ(dialog.Result()->title,
              kMarkup.toStdString() + "  [ 类型:<b>VR-10</b>  频率:-5-10MHz ] (频段不可用)");
}

} // namespace
} // namespace velmora
