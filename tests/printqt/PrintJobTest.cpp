// The window program's Print command, driven through its print dialog onto a PDF printer.
#include "print/PrintJob.h"
#include "base/TempFolder.h"
#include "printqt/PdfText.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Eight channels: the options page (of an empty image) and two channel pages.
PrintSource EightChannels() {
    PrintSource source;
    for (int ch = 0; ch < 8; ++ch) {
        const std::string n = std::to_string(ch);
        source.grid[ch] = {
            "146.0" + n + "000", "146.00000", "None", "None", "High", "Unlock", "Yes", "CH" + n};
    }
    source.ownerText = "Owner";
    return source;
}

// Answers the print dialog once it shows, as the user would with OK or Cancel, after choosing
// the pages `from` to `to` (0: as offered), and notes the last page it offered.
void AnswerPrintDialog(bool accept, int* maxPage, int from = 0, int to = 0) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        *maxPage = dialog->maxPage();
        if (from > 0) {
            // Qt's own dialog: its page choice is known only by the names of its controls.
            dialog->findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
            dialog->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(from);
            dialog->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(to);
        }
        accept ? dialog->accept() : dialog->reject();
    });
}

// Cancel prints nothing; a range chosen in the dialog prints just those pages, and only once;
// direct print then prints every page. Printing to a file saves as every file is saved: through
// a link to a private file, the link stays a link and the file keeps its permission bits.
TEST(PrintJob, TheDialogsPagesArePrintedAndSavedAsEveryFileIs) {
    test::TempFolder folder;
    const std::string pdf = folder.File("out.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    int maxPage = 0;
    AnswerPrintDialog(false, &maxPage);
    PrintWithDialog(nullptr, printer, EightChannels());
    EXPECT_FALSE(fs::exists(pdf));

    AnswerPrintDialog(true, &maxPage, 2, 3);
    PrintWithDialog(nullptr, printer, EightChannels());
    EXPECT_EQ(maxPage, 3);
    const auto pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].back(), "Owner Page 2 of 3");
    EXPECT_EQ(pages[1][1], "Channel 7:");
    // The next Print offers every page again, not the range chosen the time before.
    AnswerPrintDialog(true, &maxPage);
    PrintWithDialog(nullptr, printer, EightChannels());
    EXPECT_EQ(PdfPages(pdf).size(), 3u);

    fs::remove(pdf);
    const std::string real = folder.File("real.pdf");
    test::WriteAll(real, "old");
    fs::permissions(real, fs::perms(0600));
    fs::create_symlink(real, pdf);
    ASSERT_TRUE(PrintDirect(nullptr, printer, EightChannels()));
    EXPECT_TRUE(fs::is_symlink(pdf));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms(0600));
    EXPECT_EQ(PdfPages(real).size(), 3u);
}

} // namespace
} // namespace velmora
