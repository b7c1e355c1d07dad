// The window program's Print command, driven through its print dialog onto a PDF printer.
#include "print/PrintJob.h"
#include "printqt/PdfText.h"

#include <QApplication>
#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>
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
    for (int ch : {0, 1, 2, 3, 4, 5, 6, 7}) {
        source.grid[ch] = {"146.0" + std::to_string(ch) + "000",
                           "146.00000",
                           "None",
                           "None",
                           "High",
                           "Unlock",
                           "Yes",
                           "CH" + std::to_string(ch)};
    }
    source.image = NewImage();
    source.ownerText = "Owner";
    return source;
}

// Answers the print dialog as soon as it shows, as the user would with OK or Cancel.
void AnswerPrintDialog(bool accept, int* maxPage) {
    QTimer::singleShot(0, [accept, maxPage] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        *maxPage = dialog->maxPage();
        accept ? dialog->accept() : dialog->reject();
    });
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

TEST_F(PrintJob, TheDialogOffersEveryPageAndTheChosenRangeIsPrinted) {
    printer_.setPrintRange(QPrinter::PageRange);
    printer_.setPageRanges(QPageRanges::fromString("2-3"));
    int maxPage = 0;
    AnswerPrintDialog(true, &maxPage);
    PrintWithDialog(nullptr, printer_, EightChannels());
    EXPECT_EQ(maxPage, 3);
    const auto pages = PdfPages(pdf_.string());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].back(), "Owner Page 2 of 3");
    EXPECT_EQ(pages[1][1], "Channel 7:");
}

// "Print to file" saves as every file is saved: through a link to a private file, the link
// stays a link and the file keeps its permission bits.
TEST_F(PrintJob, PrintingToAFileSavesAsEveryFileDoes) {
    const fs::path real = pdf_.string() + ".real";
    std::ofstream(real) << "old";
    fs::permissions(real, fs::perms(0600));
    fs::create_symlink(real, pdf_);
    int maxPage = 0;
    AnswerPrintDialog(true, &maxPage);
    PrintWithDialog(nullptr, printer_, EightChannels());
    EXPECT_TRUE(fs::is_symlink(pdf_));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0600));
    EXPECT_EQ(PdfPages(real.string()).size(), 3u);
    fs::remove(real);
}

TEST_F(PrintJob, CancellingTheDialogPrintsNothing) {
    int maxPage = 0;
    AnswerPrintDialog(false, &maxPage);
    PrintWithDialog(nullptr, printer_, EightChannels());
    EXPECT_FALSE(fs::exists(pdf_));
}

} // namespace
} // namespace velmora
