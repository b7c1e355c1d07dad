// The window program's Print command, driven through its print dialog onto a PDF printer.
#include "print/PrintJob.h"
#include "printqt/PdfText.h"

#include <QApplication>
#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Eight channels: the options page and two channel pages.
PrintSource EightChannels() {
    PrintSource source;
    for (int ch = 0; ch < 8; ++ch) {
        const std::string n = std::to_string(ch);
        source.grid[ch] = {
            "146.0" + n + "000", "146.00000", "None", "None", "High", "Unlock", "Yes", "CH" + n};
    }
    source.image = NewImage();
    source.ownerText = "Owner";
    return source;
}

// What the print dialog offered when it showed.
struct Offered {
    int maxPage = 0;
    bool allPages = false;
};

// Answers the print dialog as soon as it shows, as the user would with OK or Cancel, after
// choosing the pages `from` to `to` (0: as offered).
void AnswerPrintDialog(bool accept, Offered* offered, int from = 0, int to = 0) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        // Qt's own dialog: its page choice is known only by the names of its controls.
        auto* all = dialog ? dialog->findChild<QRadioButton*>(QStringLiteral("printAll")) : nullptr;
        if (all == nullptr) {
            return; // not shown yet
        }
        timer->stop();
        timer->deleteLater();
        offered->maxPage = dialog->maxPage();
        offered->allPages = all->isChecked();
        if (from > 0) {
            dialog->findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
            dialog->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(from);
            dialog->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(to);
        }
        accept ? dialog->accept() : dialog->reject();
    });
    timer->start(10);
}

class PrintJob : public ::testing::Test {
protected:
    void SetUp() override {
        pdf_ =
            fs::temp_directory_path() /
            ("velmora-printjob-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".pdf");
        fs::remove(pdf_);
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(QString::fromStdString(pdf_.string()));
    }
    void TearDown() override { fs::remove(pdf_); }
    fs::path pdf_;
    QPrinter printer_{QPrinter::HighResolution};
};

// Cancel prints nothing; a chosen range prints just those pages; the next Print offers and
// prints every page again. Printing to a file saves as every file is saved: through a link to a
// private file, the link stays a link and the file keeps its permission bits.
TEST_F(PrintJob, TheDialogsPagesArePrintedAndSavedAsEveryFileIs) {
    Offered offered;
    AnswerPrintDialog(false, &offered);
    PrintWithDialog(nullptr, printer_, EightChannels());
    EXPECT_FALSE(fs::exists(pdf_));

    AnswerPrintDialog(true, &offered, 2, 3);
    PrintWithDialog(nullptr, printer_, EightChannels());
    EXPECT_EQ(offered.maxPage, 3);
    const auto pages = PdfPages(pdf_.string());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].back(), "Owner Page 2 of 3");
    EXPECT_EQ(pages[1][1], "Channel 7:");

    fs::remove(pdf_); // else Qt's dialog asks whether to replace the file
    const fs::path real = pdf_.string() + ".real";
    std::ofstream(real) << "old";
    fs::permissions(real, fs::perms(0600));
    fs::create_symlink(real, pdf_);
    AnswerPrintDialog(true, &offered);
    PrintWithDialog(nullptr, printer_, EightChannels());
    EXPECT_TRUE(offered.allPages);
    EXPECT_TRUE(fs::is_symlink(pdf_));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0600));
    EXPECT_EQ(PdfPages(real.string()).size(), 3u);
    fs::remove(real);
}

TEST_F(PrintJob, DirectPrintPrintsEveryPageWithoutADialog) {
    printer_.setPrintRange(QPrinter::PageRange);
    printer_.setPageRanges(QPageRanges::fromString("2"));
    ASSERT_TRUE(PrintDirect(nullptr, printer_, EightChannels()));
    const auto pages = PdfPages(pdf_.string());
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2].back(), "Owner Page 3 of 3");
}

} // namespace
} // namespace velmora
