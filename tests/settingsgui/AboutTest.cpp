// The About box and its link: which targets open, the link's colours, hover and click.
#include "app/AboutDlg.h"
#include "app/HyperLink.h"

#include <QApplication>
#include <QEnterEvent>
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

struct LinkFixture : ::testing::Test {
    void SetUp() override {
        link.SetLinkText("www.velmora.example");
        link.SetTarget("www.velmora.example");
        link.SetOpener([this](const QUrl& url) {
            opened.push_back(url.toString());
            return openSucceeds;
        });
        link.SetBeeper([this] { ++beeps; });
    }
    CXHyperLink link;
    std::vector<QString> opened;
    bool openSucceeds = true;
    int beeps = 0;
};

// Only a target that opened turns the link visited; one refused (never handed to the opener) or
// failing to open beeps.
TEST_F(LinkFixture, OnlyAnOpenedTargetTurnsVisitedTheRestBeep) {
    EXPECT_EQ(link.TextColour(), QColor(0, 0, 238));
    EXPECT_EQ(link.toolTip(), "www.velmora.example");
    const struct {
        const char* target;
        bool opens;
        std::size_t opened;
        int beeps;
        bool visited;
    } cases[] = {
        {"C:\\x.exe", true, 0, 1, false},
        {"www.velmora.example", false, 1, 2, false},
        {"www.velmora.example", true, 2, 2, true},
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
    EXPECT_EQ(link.TextColour(), QColor(85, 26, 139));
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(85, 26, 139));
}

TEST_F(LinkFixture, HoverTurnsRedAndUnderlinedUntilShortlyAfterLeaving) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&link, &enter);
    EXPECT_TRUE(link.IsOverLink());
    EXPECT_EQ(link.TextColour(), QColor(255, 0, 0));
    EXPECT_TRUE(link.font().underline());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&link, &leave);
    EXPECT_TRUE(link.IsOverLink()); // the hover check notices within its period
    QTest::qWait(3 * CXHyperLink::kHoverCheckMs);
    EXPECT_FALSE(link.IsOverLink());
    EXPECT_FALSE(link.font().underline());
    EXPECT_EQ(link.TextColour(), QColor(0, 0, 238));
}

// Without a picture of its own the box shows the window's icon.
TEST(AboutDlg, ShowsTheInstallationTextsAsPlainTextUnderTheWindowsIcon) {
    QWidget window;
    QPixmap red(32, 32);
    red.fill(Qt::red);
    window.setWindowIcon(QIcon(red));
    const AboutTexts texts{"About Velmora", "Velmora 1.0", "<b>All rights</b> reserved",
                           "www.velmora.example"};
    CAboutDlg dialog(texts, &window, QStringLiteral("no-such-title.ico"));
    EXPECT_EQ(dialog.windowTitle(), "About Velmora");
    EXPECT_EQ(dialog.VersionLine()->text(), "Velmora 1.0");
    EXPECT_EQ(dialog.RightsLine()->text(), "<b>All rights</b> reserved");
    EXPECT_EQ(dialog.RightsLine()->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.Link()->text(), "www.velmora.example");
    EXPECT_EQ(dialog.Link()->Target(), "www.velmora.example");
    EXPECT_EQ(dialog.Link()->textFormat(), Qt::PlainText);
    const QImage shown = dialog.Icon()->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(16, 16), QColor(Qt::red));
}

} // namespace
} // namespace velmora
