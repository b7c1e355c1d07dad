// With Chinese chosen, every word a user meets is Chinese: Qt's own buttons and window menus
// as well as the program's texts.
#include "frame/ChildFrame.h"
#include "journey/Journey.h"
#include "journey/ProgramUnderTest.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace velmora::journey {
namespace {

class Chinese : public ProgramUnderTest {};

TEST_F(Chinese, AStandardMessageBoxAndTheWindowMenuSpeakChinese) {
    Start({}, "Chinese");
    Type(QStringLiteral("145.5"));
    Press(Qt::Key_Return);
    QString question;
    QStringList buttons;
    auto asked = WhenShown<QMessageBox>([&](QMessageBox* box) {
        question = box->text();
        for (QMessageBox::StandardButton button :
             {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel}) {
            buttons << box->button(button)->text();
        }
        Press(Qt::Key_Escape);
    });
    Frame()->close(); // the window's close box
    ASSERT_TRUE(*asked);
    EXPECT_EQ(question, "是否保存对“信道信息”的更改？");
    EXPECT_EQ(buttons, (QStringList{"保存", "丢弃", "取消"}));
    EXPECT_TRUE(Frame()->isVisible());

    QStringList menu;
    for (QAction* action : Frame()->ActiveChildFrame()->systemMenu()->actions()) {
        menu << action->text();
    }
    EXPECT_TRUE(menu.contains("关闭(&C)")) << menu.join('|').toStdString();
}

} // namespace
} // namespace velmora::journey
