#include "app/ProgramApp.h"
#include "base/StartupConfig.h"
#include "channels/ChannelCodec.h"
#include "document/ProgramView.h"
#include "frame/MainFrame.h"
#include "image/DataFile.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velmora {
namespace {

class ProgramAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
        WriteIni("[Setup]\r\nAppName=AppTest\r\nShowLang=0x1\r\nType1=VR-100\r\n"
                 "Field1=400-470MHz\r\n[English]\r\nCompany=Club Radio\r\n"
                 "About Title=About the club tool\r\nAppName=Club\r\n");
    }
    void WriteIni(const QByteArray& text) {
        QFile file(m_dir.filePath("Program.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    StartupOptions Options() const {
        StartupOptions options;
        options.iniPath = m_dir.filePath("Program.ini");
        return options;
    }
    static bool MenuHas(CMainFrame& frame, const QString& menuTitle, QAction* action) {
        for (QAction* top : frame.menuBar()->actions()) {
            if (top->text() == menuTitle) {
                return top->menu()->actions().contains(action);
            }
        }
        return false;
    }

    QTemporaryDir m_dir;
};

TEST(StartupOptionsTest, CommandLineTakesOneFileAndTheProgramsOptions) {
    const struct {
        QStringList args;
        bool ok;
        QString document;
        QString ini;
        bool demo;
        bool print = false;
    } cases[] = {
        {{"velmora"}, true, "", "", false},
        {{"velmora", "club.dat"}, true, "club.dat", "", false},
        {{"velmora", "--ini", "/etc/v.ini", "--demo", "a.dat"}, true, "a.dat", "/etc/v.ini", true},
        {{"velmora", "--print", "a.dat"}, true, "a.dat", "", false, true},
        {{"velmora", "--print"}, false, "", "", false},
        {{"velmora", "a.dat", "b.dat"}, false, "", "", false},
        {{"velmora", "--ini"}, false, "", "", false},
        {{"velmora", "--bogus"}, false, "", "", false},
    };
    for (const auto& c : cases) {
        StartupOptions options;
        QString problem;
        EXPECT_EQ(ParseStartupOptions(c.args, options, problem), c.ok)
            << c.args.join(' ').toStdString();
        if (c.ok) {
            EXPECT_EQ(options.documentPath, c.document);
            EXPECT_EQ(options.iniPath, c.ini);
            EXPECT_EQ(options.demo, c.demo);
            EXPECT_EQ(options.print, c.print);
        } else {
            EXPECT_FALSE(problem.isEmpty());
        }
    }
}

TEST_F(ProgramAppTest, StartUpAppliesTheInstallationsTextsAndOpensTheFileGiven) {
    MemoryImage image = NewImage();
    EncodeChannel(image, 3, {"438.01250", "", "None", "None", "High", "Lock", "Yes", ""});
    const QString path = m_dir.filePath("start.dat");
    ASSERT_TRUE(SaveDataFile(path.toStdString(), image));

    StartupOptions options = Options();
    options.documentPath = path;
    CProgramApp app;
    ASSERT_TRUE(app.InitInstance(options));
    CMainFrame& frame = *app.MainFrame();
    EXPECT_EQ(frame.windowTitle().toStdString(), "Club  [ Type:VR-100  Fre:400-470MHz ]");
    EXPECT_EQ(frame.Action(ID_APP_ABOUT)->text(), "About the club tool");
    // "0x1" counts as 0: the Language command is not offered.
    EXPECT_FALSE(MenuHas(frame, "&Setup", frame.Action(ID_SETUP_LANGUAGE)));
    EXPECT_TRUE(MenuHas(frame, "&Setup", frame.Action(ID_SETUP_COM)));
    ASSERT_EQ(frame.ChildFrames().size(), 1);
    EXPECT_EQ(frame.ActiveView()->Channels().Texts()[3][0], "438.01250");
    EXPECT_EQ(QApplication::applicationName(), "Club Radio");

    // ShowLang=1 offers it; without any model types every frequency is refused: the limits are 0.
    WriteIni("[Setup]\r\nShowLang=1\r\n");
    CProgramApp other;
    ASSERT_TRUE(other.InitInstance(Options()));
    EXPECT_TRUE(
        MenuHas(*other.MainFrame(), "&Setup", other.MainFrame()->Action(ID_SETUP_LANGUAGE)));
    EXPECT_EQ(other.MainFrame()->ActiveView()->Band().high, 0);
}

} // namespace
} // namespace velmora
