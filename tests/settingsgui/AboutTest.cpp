// The About box and its link: which targets open and what a click does.
#include "app/AboutDlg.h"
#include "app/HyperLink.h"

#include <QIcon>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(HyperLink, OnlyWebAndMailAddressesOpen) {
    const struct {
        const char* target;
        const char* opened; // "" = refused
    } cases[] = {
        // clang-format off
        {"www.velmora.example", "http://www.velmora.example"},
        {"velmora.example/support?q=1", "http://velmora.example/support?q=1"},
        {"localhost:8080", "http://localhost:8080"},
        {"  www.velmora.example ", "http://www.velmora.example"},
        {"http://www.velmora.example/a", "http://www.velmora.example/a"},
        {"HTTPS://velmora.example", "https://velmora.example"},
        {"mailto:info@velmora.example", "mailto:info@velmora.example"},
        {"file:///etc/passwd", ""}, {"file:", ""}, {"/bin/sh", ""}, {"C:\\x.exe", ""},
        {"\\\\server\\share\\x.exe", ""}, {"javascript:alert(1)", ""},
        {"ftp://velmora.example", ""}, {"http:///nohost", ""}, {"mailto:", ""},
        {"www.velmora.example evil", ""}, {"-bad-.example", ""}, {"", ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinkTargetUrl(c.target).toString(), QString::fromUtf8(c.opened)) << c.target;
    }
}

// Only a target that opened turns the link visited; one refused (never handed to the opener) or
// failing to open beeps.
TEST(HyperLink, OnlyAnOpenedTargetTurnsVisitedTheRestBeep) {
    CXHyperLink link;
    link.SetLinkText("www.velmora.example");
    std::vector<QString> opened;
    bool openSucceeds = true;
    link.SetOpener([&](const QUrl& url) {
        opened.push_back(url.toString());
        return openSucceeds;
    });
    std::size_t beeps = 0;
    link.SetBeeper([&] { ++beeps; });
    const struct {
        const char* target;
        bool opens, visited;
        std::size_t opened, beeps; // so far
    } cases[] = {
        {"C:\\x.exe", true, false, 0, 1},
        {"www.velmora.example", false, false, 1, 2},
        {"www.velmora.example", true, true, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.target) + (c.opens ? " opens" : " fails"));
        link.SetTarget(c.target);
        openSucceeds = c.opens;
        QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(opened.size(), c.opened);
        EXPECT_EQ(beeps, c.beeps);
        EXPECT_EQ(link.IsVisited(), c.visited);
    }
    EXPECT_EQ(opened, std::vector<QString>(2, "http://www.velmora.example"));
}

// Without a picture of its own (no title.ico) the box shows the window's icon.
TEST(AboutDlg, ShowsTheInstallationTextsAsPlainTextUnderTheWindowsIcon) {
    QWidget window;
    QPixmap red(32, 32);
    red.fill(Qt::red);
    window.setWindowIcon(QIcon(red));
    CAboutDlg dialog(
        {"About Velmora", "Velmora 1.0", "<b>All rights</b> reserved", "www.velmora.example"},
        &window, QStringLiteral("no-such-title.ico"));
    EXPECT_EQ(dialog.Icon()->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red));
    EXPECT_EQ(dialog.windowTitle(), "About Velmora");
    EXPECT_EQ(dialog.RightsLine()->text(), "<b>All rights</b> reserved");
    EXPECT_EQ(dialog.RightsLine()->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.Link()->text(), "www.velmora.example");
    EXPECT_EQ(dialog.Link()->Target(), "www.velmora.example");
    EXPECT_EQ(dialog.Link()->textFormat(), Qt::PlainText);
}

} // namespace
} // namespace velmora
