// The navigation tree and its bar: which item acts, root reselection, dragging the width, the
// close button. (Which text opens which editor and how far the bar may be dragged: NavigationTest.)
#include "frame/TreeBar.h"
#include "frame/Navigation.h"

#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

using T = NavigationTarget;

// A company name that looks like markup, which the tree shows as it stands.
const QString kMarkup = QStringLiteral("<b>Velmora</b> <img src=x> &amp;");

class TreeBarInFrame : public ::testing::Test {
protected:
    void SetUp() override {
        m_frame.resize(800, 600);
        m_bar = new CTreeBar(kMarkup, Language::English, &m_frame);
        m_frame.addDockWidget(Qt::LeftDockWidgetArea, m_bar);
        m_frame.show();
        QApplication::processEvents();
    }
    QTreeWidgetItem* Child(int i) const { return m_bar->Root()->child(i); }
    QPoint CentreOf(QTreeWidgetItem* item) const {
        QTreeWidget* tree = m_bar->Tree();
        return tree->viewport()->mapToGlobal(tree->visualItemRect(item).center());
    }
    // Presses on the bar's panel at `from`, moves to `to` and lets go there (bar coordinates).
    void Drag(QPoint from, QPoint to) {
        QWidget* panel = m_bar->Panel();
        QTest::mousePress(panel, Qt::LeftButton, {}, panel->mapFrom(m_bar, from));
        QTest::mouseMove(panel, panel->mapFrom(m_bar, to));
        QTest::mouseRelease(panel, Qt::LeftButton, {}, panel->mapFrom(m_bar, to));
        QApplication::processEvents();
    }

    QMainWindow m_frame;
    CTreeBar* m_bar = nullptr;
};

TEST_F(TreeBarInFrame, TreeHoldsTheCompanyAsItStandsAndTheThreeEditorsExpanded) {
    QStringList texts; // every item, the root first
    for (auto* item : m_bar->Tree()->findItems("", Qt::MatchContains | Qt::MatchRecursive)) {
        texts << item->text(0);
    }
    EXPECT_EQ(texts, QStringList({kMarkup, "Product Information", "Channel Information",
                                  "Optional Features"}));
    EXPECT_TRUE(m_bar->Root()->isExpanded());
    EXPECT_EQ(m_bar->width(), 220);
    EXPECT_EQ(m_bar->features(), QDockWidget::DockWidgetClosable); // never floats or moves
    EXPECT_EQ(m_bar->windowTitle(), "Control Bar");
}

// A keyboard move acts on the item under the mouse, not on the one moved to; nothing or the root
// under the mouse does nothing. Afterwards only the root is selected, so the item may act again.
TEST_F(TreeBarInFrame, TheItemUnderTheMouseActsOnceAndTheRootIsSelectedAgain) {
    std::vector<T> targets;
    QObject::connect(m_bar, &CTreeBar::navigate, [&](T target) { targets.push_back(target); });
    QPoint cursor;
    m_bar->SetCursorSource([&] { return cursor; });
    for (QPoint at : {QPoint(-5000, -5000), CentreOf(m_bar->Root()), CentreOf(Child(2))}) {
        cursor = at;
        m_bar->Tree()->setCurrentItem(Child(0));
        QCoreApplication::processEvents();
        EXPECT_EQ(m_bar->Tree()->selectedItems(), QList<QTreeWidgetItem*>{m_bar->Root()});
    }
    EXPECT_EQ(targets, std::vector<T>{T::OptionalFeatures});
}

// The close button hides the bar; a drag from the right edge applies the width the core clamps.
TEST_F(TreeBarInFrame, TheCloseButtonHidesTheBarAndTheRightEdgeDragsItsWidth) {
    Drag({60, 100}, m_bar->Panel()->mapTo(m_bar, m_bar->CloseButtonRect().center()));
    EXPECT_TRUE(m_bar->isHidden());
    m_bar->show();
    const int y = m_bar->height() / 2;
    Drag({m_bar->Panel()->mapTo(m_bar, m_bar->SizingStrip().center()).x(), y}, {-30, y});
    EXPECT_EQ(m_bar->width(), 11);
}

} // namespace
} // namespace velmora
