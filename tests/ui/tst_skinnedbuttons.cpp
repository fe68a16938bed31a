#include "ui/ImageButton.h"
#include "ui/SkinSurface.h"
#include "ui/SkinnedButtons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <map>
#include <memory>

using namespace vantorel;

namespace {

QPixmap LitPicture(const QColor& colour) {
    QPixmap picture(40, 40);
    picture.fill(colour);
    return picture;
}

// A small skinned window: the six toolbar members in a row, Convert, a text box and a label.
struct Window {
    QWidget top;
    SkinSurface* surface = new SkinSurface(&top);
    std::map<int, ImageButton*> members;
    ImageButton* convert = new ImageButton(surface);
    QLineEdit* edit = new QLineEdit(surface);
    QLabel* label = new QLabel(QStringLiteral("label"), surface);
    SkinnedButtons buttons;

    Window() {
        top.resize(400, 200);
        surface->setGeometry(0, 0, 400, 200);
        int left = 10;
        for (int index : toolbar::Members) {
            auto* member = new ImageButton(surface);
            member->setGeometry(left, 10, 40, 40);
            left += 50;
            members[index] = member;
            buttons.addToolbarMember(index, member, LitPicture(QColor(index * 30, 0, 0)));
        }
        convert->setGeometry(10, 100, 80, 40);
        buttons.setConvertButton(convert, LitPicture(Qt::green));
        edit->setGeometry(150, 100, 80, 24);
        label->setGeometry(250, 100, 60, 20);
        QObject::connect(surface, &SkinSurface::backgroundMouseMoved, &buttons,
                         &SkinnedButtons::backgroundMouseMove);
        top.show();
    }

    QWindow* handle() { return top.windowHandle(); }

    QWidget* target(const QString& name) {
        if (name == QLatin1String("C"))
            return convert;
        if (name == QLatin1String("Edit"))
            return edit;
        if (name == QLatin1String("Label"))
            return label;
        return members.at(name.mid(1).toInt());
    }

    QPoint point(const QString& name, int nudge = 0) {
        if (name == QLatin1String("BG"))
            return QPoint(380 - nudge, 180);
        return target(name)->geometry().center() + QPoint(nudge, nudge);
    }

    // "3", "1,C", "" : the members showing a picture, then C when Convert does.
    QString lit() const {
        QStringList shown;
        for (const auto& [index, member] : members)
            if (member->hasPicture())
                shown.append(QString::number(index));
        if (convert->hasPicture())
            shown.append(QStringLiteral("C"));
        return shown.join(QLatin1Char(','));
    }
};

// Steps: "move X", "press X", "release X", "disable", with X one of T<index>, C, BG, Edit,
// Label. Consecutive moves to the same place are nudged so each one is a real move.
void Run(Window& w, const QStringList& steps) {
    int nudge = 0;
    for (const QString& step : steps) {
        const QStringList parts = step.split(QLatin1Char(' '));
        const QString& action = parts[0];
        nudge = (nudge + 1) % 3;
        if (action == QLatin1String("disable")) {
            for (auto& [index, member] : w.members)
                member->setEnabled(false);
            w.convert->setEnabled(false);
            continue;
        }
        const QPoint at = w.point(parts[1], nudge);
        if (action == QLatin1String("move"))
            QTest::mouseMove(w.handle(), at);
        else if (action == QLatin1String("press"))
            QTest::mousePress(w.handle(), Qt::LeftButton, {}, at);
        else if (action == QLatin1String("release"))
            QTest::mouseRelease(w.handle(), Qt::LeftButton, {}, at);
    }
}

} // namespace

class TestSkinnedButtons : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lighting_data();
    void lighting();
    void clicks_data();
    void clicks();
    void unknownMemberDoesNothing();
    void imageButtonPicture();
    void backgroundReports_data();
    void backgroundReports();
};

void TestSkinnedButtons::lighting_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("lit");
    QTest::newRow("at rest") << QStringList{} << "";
    QTest::newRow("over member 3") << QStringList{"move T3"} << "3";
    QTest::newRow("from 3 straight to 1") << QStringList{"move T3", "move T1"} << "1";
    QTest::newRow("press empties all") << QStringList{"move T3", "press T3"} << "";
    QTest::newRow("moving while pressed lights again")
        << QStringList{"move T3", "press T3", "move T3"} << "3";
    QTest::newRow("Convert lights alone") << QStringList{"move C"} << "C";
    QTest::newRow("toolbar and Convert do not reset each other")
        << QStringList{"move T3", "move C", "move T6"} << "6,C";
    QTest::newRow("press on Convert leaves the toolbar")
        << QStringList{"move T2", "move C", "press C"} << "2";
    QTest::newRow("press on the toolbar leaves Convert")
        << QStringList{"move C", "move T4", "press T4"} << "C";
    QTest::newRow("background resets both") << QStringList{"move T3", "move C", "move BG"} << "";
    QTest::newRow("another control leaves it lit")
        << QStringList{"move T0", "move C", "move Edit"} << "0,C";
    QTest::newRow("a label leaves it lit") << QStringList{"move T0", "move Label"} << "0";
    QTest::newRow("disabled buttons react to nothing")
        << QStringList{"move T3", "move C", "disable", "move T1", "press T3", "press C"} << "3,C";
    QTest::newRow("disabled buttons are not background")
        << QStringList{"move T3", "disable", "move T1", "move C"} << "3";
}

void TestSkinnedButtons::lighting() {
    QFETCH(QStringList, steps);
    QFETCH(QString, lit);
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.top));
    Run(w, steps);
    QCOMPARE(w.lit(), lit);
}

void TestSkinnedButtons::clicks_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("toolbarClicks");
    QTest::addColumn<int>("convertClicks");
    QTest::newRow("click member 2")
        << QStringList{"move T2", "press T2", "release T2"} << QList<int>{2} << 0;
    QTest::newRow("click member 6")
        << QStringList{"move T6", "press T6", "release T6"} << QList<int>{6} << 0;
    QTest::newRow("released over another member")
        << QStringList{"press T2", "move T1", "release T1"} << QList<int>{} << 0;
    QTest::newRow("released over the background")
        << QStringList{"press T2", "move BG", "release BG"} << QList<int>{} << 0;
    QTest::newRow("click Convert")
        << QStringList{"move C", "press C", "release C"} << QList<int>{} << 1;
    QTest::newRow("two clicks") << QStringList{"press T0", "release T0", "press T3", "release T3"}
                                << QList<int>{0, 3} << 0;
    QTest::newRow("disabled does not click")
        << QStringList{"disable", "press T0", "release T0", "press C", "release C"} << QList<int>{}
        << 0;
}

void TestSkinnedButtons::clicks() {
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, toolbarClicks);
    QFETCH(int, convertClicks);
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.top));
    QList<int> clicked;
    connect(&w.buttons, &SkinnedButtons::toolbarActivated, this,
            [&clicked](int index) { clicked.append(index); });
    QSignalSpy convert(&w.buttons, &SkinnedButtons::convertActivated);
    Run(w, steps);
    QCOMPARE(clicked, toolbarClicks);
    QCOMPARE(convert.size(), convertClicks);
}

void TestSkinnedButtons::unknownMemberDoesNothing() {
    Window w;
    QSignalSpy spy(&w.buttons, &SkinnedButtons::toolbarActivated);
    w.buttons.toolbarClick(5);
    w.buttons.toolbarClick(-1);
    QCOMPARE(spy.size(), 0);
    w.buttons.toolbarMouseMove(3);
    w.buttons.toolbarMouseMove(5); // no such member: every member rests
    QCOMPARE(w.lit(), QString());
}

void TestSkinnedButtons::imageButtonPicture() {
    QWidget top;
    top.resize(40, 20);
    auto* bar = new ImageButton(&top);
    bar->setGeometry(0, 0, 40, 20);
    QPixmap picture(80, 10);
    picture.fill(Qt::red);
    bar->setPicture(picture);
    // A narrower control shows the left part of its picture; below the picture nothing.
    bar->resize(20, 20);
    top.setStyleSheet(QString());
    QPalette palette = top.palette();
    palette.setColor(QPalette::Window, Qt::blue);
    top.setPalette(palette);
    top.setAutoFillBackground(true);
    const QImage shown = top.grab().toImage();
    QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(19, 5), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(25, 5), QColor(Qt::blue));
    QCOMPARE(shown.pixelColor(5, 15), QColor(Qt::blue));
    bar->clearPicture();
    QCOMPARE(top.grab().toImage().pixelColor(5, 5), QColor(Qt::blue));
}

void TestSkinnedButtons::backgroundReports_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("reports");
    QTest::addColumn<bool>("leftHeldInLast");
    QTest::newRow("move over the background") << QStringList{"move BG"} << 1 << false;
    QTest::newRow("held over the background") << QStringList{"press BG", "move BG"} << 1 << true;
    QTest::newRow("over a button") << QStringList{"move T1", "move C"} << 0 << false;
    QTest::newRow("over a label or a text box")
        << QStringList{"move Label", "move Edit"} << 0 << false;
    QTest::newRow("pressed on a text box, then over the background")
        << QStringList{"press Edit", "move BG"} << 0 << false;
    QTest::newRow("pressed on a label, then over the background")
        << QStringList{"press Label", "move BG"} << 0 << false;
    QTest::newRow("released, then over the background")
        << QStringList{"press Label", "release Label", "move BG"} << 1 << false;
    QTest::newRow("pressed on a button, then over the background")
        << QStringList{"press T1", "move BG"} << 0 << false;
}

void TestSkinnedButtons::backgroundReports() {
    QFETCH(QStringList, steps);
    QFETCH(int, reports);
    QFETCH(bool, leftHeldInLast);
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.top));
    QSignalSpy spy(w.surface, &SkinSurface::backgroundMouseMoved);
    Run(w, steps);
    QCOMPARE(spy.size(), reports);
    if (reports > 0) {
        const auto held = spy.last().at(0).value<Qt::MouseButtons>();
        QCOMPARE(bool(held & Qt::LeftButton), leftHeldInLast);
    }
}

QTEST_MAIN(TestSkinnedButtons)
#include "tst_skinnedbuttons.moc"
