#include "ui/RemoveMenu.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace vantorel;

namespace {

// The main window's side: its hidden command box with the channel, and counters for the two
// removals.
struct MainSide {
    QWidget window;
    QLineEdit* txtAction = new QLineEdit(&window);
    CommandChannel channel{txtAction};
    int removedSelected = 0;
    int removedAll = 0;
    frmMenu menu{txtAction, [this] { ++removedAll; }, &window};

    MainSide() {
        txtAction->hide();
        channel.addCommand(RemoveSelectedCommand(), [this] { ++removedSelected; });
    }
};

// Presses keys in the pop-up menu once it is up.
void KeysInNextPopup(const QList<Qt::Key>& keys) {
    QTimer::singleShot(0, qApp, [keys] {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            return;
        for (Qt::Key key : keys)
            QTest::keyClick(popup, key);
    });
    // A menu the keys did not close must not hold the test up.
    QTimer::singleShot(5000, qApp, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
}

} // namespace

class TestRemoveMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menuItems();
    void commandWords_data();
    void commandWords();
    void removeSelectedTwiceRemovesTwo();
    void removeAllRunsDirectly();
    void popUpChoices_data();
    void popUpChoices();
};

void TestRemoveMenu::menuItems() {
    MainSide side;
    QCOMPARE(side.menu.menuRemove->title(), QStringLiteral("Remove"));
    const QList<QAction*> items = side.menu.menuRemove->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0], side.menu.menuRemoveSelected);
    QCOMPARE(items[1], side.menu.menuRemoveAll);
    QCOMPARE(items[0]->text(), QStringLiteral("Remove Selected"));
    QCOMPARE(items[1]->text(), QStringLiteral("Remove All"));
    for (QAction* item : items)
        QVERIFY(item->shortcut().isEmpty());
}

void TestRemoveMenu::commandWords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("runs");
    QTest::newRow("the word") << "RemoveSelected" << 1;
    QTest::newRow("other letter case") << "removeselected" << 0;
    QTest::newRow("upper case") << "REMOVESELECTED" << 0;
    QTest::newRow("space inside") << "Remove Selected" << 0;
    QTest::newRow("trailing space") << "RemoveSelected " << 0;
    QTest::newRow("another word") << "RemoveAll" << 0;
}

void TestRemoveMenu::commandWords() {
    QFETCH(QString, text);
    QFETCH(int, runs);
    MainSide side;
    side.txtAction->setText(text);
    QCOMPARE(side.removedSelected, runs);
    QCOMPARE(side.removedAll, 0);
    QVERIFY(side.txtAction->text().isEmpty());
}

void TestRemoveMenu::removeSelectedTwiceRemovesTwo() {
    MainSide side;
    side.menu.menuRemoveSelected->trigger();
    QVERIFY(side.txtAction->text().isEmpty());
    side.menu.menuRemoveSelected->trigger();
    QCOMPARE(side.removedSelected, 2);
    QVERIFY(side.txtAction->text().isEmpty());
}

void TestRemoveMenu::removeAllRunsDirectly() {
    MainSide side;
    int changes = 0;
    connect(side.txtAction, &QLineEdit::textChanged, this, [&changes] { ++changes; });
    side.menu.menuRemoveAll->trigger();
    QCOMPARE(side.removedAll, 1);
    QCOMPARE(side.removedSelected, 0);
    QCOMPARE(changes, 0);
}

void TestRemoveMenu::popUpChoices_data() {
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("all");
    QTest::newRow("dismissed with Esc") << QList<Qt::Key>{Qt::Key_Escape} << 0 << 0;
    QTest::newRow("first item") << QList<Qt::Key>{Qt::Key_Down, Qt::Key_Return} << 1 << 0;
    QTest::newRow("second item") << QList<Qt::Key>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << 0
                                 << 1;
}

void TestRemoveMenu::popUpChoices() {
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(int, selected);
    QFETCH(int, all);
    MainSide side;
    side.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&side.window));
    KeysInNextPopup(keys);
    side.menu.popUp(side.window.mapToGlobal(QPoint(10, 10)));
    QCOMPARE(side.removedSelected, selected);
    QCOMPARE(side.removedAll, all);
    QVERIFY(side.txtAction->text().isEmpty());
    QVERIFY(!QApplication::activePopupWidget());
}

QTEST_MAIN(TestRemoveMenu)
#include "tst_removemenu.moc"
