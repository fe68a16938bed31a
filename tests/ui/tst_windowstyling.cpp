#include "ui/WindowStyling.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

using namespace vantorel;

namespace {

// One character per pixel: 'M' the key colour, 'N' one step off it (255, 0, 254), 'T' the key
// colour fully transparent, '.' a skin colour.
QImage Face(const QStringList& rows) {
    QImage image(static_cast<int>(rows.first().size()), static_cast<int>(rows.size()),
                 QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QChar c = rows[y][x];
            QRgb pixel = qRgb(40, 60, 80);
            if (c == QLatin1Char('M'))
                pixel = qRgb(255, 0, 255);
            else if (c == QLatin1Char('N'))
                pixel = qRgb(255, 0, 254);
            else if (c == QLatin1Char('T'))
                pixel = qRgba(255, 0, 255, 0);
            image.setPixel(x, y, pixel);
        }
    }
    return image;
}

bool IsKey(QChar c) {
    return c == QLatin1Char('M') || c == QLatin1Char('T');
}

} // namespace

class TestWindowStyling : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyColourRegion_data();
    void keyColourRegion();
    void stylingShapesTheWindow();
    void stylingWithoutFace();
    void visibleWindowStaysVisible();
    void dragOnlyWithLeftButton_data();
    void dragOnlyWithLeftButton();
};

void TestWindowStyling::keyColourRegion_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("nothing keyed") << QStringList{"....", "...."};
    QTest::newRow("everything keyed") << QStringList{"MMM", "MMM"};
    QTest::newRow("rounded corners") << QStringList{"MM..MM", "M....M", "......", "M....M"};
    QTest::newRow("one off the key colour is drawn") << QStringList{"MNM", "NMN"};
    QTest::newRow("alpha does not matter") << QStringList{"T..", ".T.", "..M"};
    QTest::newRow("stripes") << QStringList{"M.M.M.", ".M.M.M", ".M.M.M", "M.M.M."};
    QTest::newRow("equal rows in one band") << QStringList{"M..M", "M..M", "M..M", "...."};
    QTest::newRow("hole in the middle") << QStringList{".....", "..M..", "....."};
}

void TestWindowStyling::keyColourRegion() {
    QFETCH(QStringList, rows);
    const QRegion region = KeyColourRegion(Face(rows));
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            QVERIFY2(region.contains(QPoint(x, y)) == !IsKey(rows[y][x]),
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    QVERIFY(!region.contains(QPoint(static_cast<int>(rows[0].size()), 0)));
}

void TestWindowStyling::stylingShapesTheWindow() {
    QWidget window;
    window.resize(8, 4);
    // The face is narrower than the window: what it does not cover stays.
    ApplyKeyColourStyling(&window, Face({"M..N", "....", "....", "...M"}));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    const QRegion mask = window.mask();
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(mask.contains(QPoint(3, 0)));
    QVERIFY(mask.contains(QPoint(1, 1)));
    QVERIFY(!mask.contains(QPoint(3, 3)));
    QVERIFY(mask.contains(QPoint(6, 2)));
}

void TestWindowStyling::stylingWithoutFace() {
    QWidget window;
    window.resize(20, 20);
    ApplyKeyColourStyling(&window, QImage());
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(window.mask().isEmpty());
}

void TestWindowStyling::visibleWindowStaysVisible() {
    QWidget window;
    window.resize(30, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ApplyKeyColourStyling(&window, Face({"M.", ".."}));
    QVERIFY(window.isVisible());
}

void TestWindowStyling::dragOnlyWithLeftButton_data() {
    QTest::addColumn<Qt::MouseButtons>("held");
    QTest::addColumn<bool>("moved");
    QTest::newRow("no button") << Qt::MouseButtons(Qt::NoButton) << false;
    QTest::newRow("left") << Qt::MouseButtons(Qt::LeftButton) << true;
    QTest::newRow("right") << Qt::MouseButtons(Qt::RightButton) << false;
    QTest::newRow("middle") << Qt::MouseButtons(Qt::MiddleButton) << false;
    QTest::newRow("left and right") << (Qt::LeftButton | Qt::RightButton) << true;
}

void TestWindowStyling::dragOnlyWithLeftButton() {
    QFETCH(Qt::MouseButtons, held);
    QFETCH(bool, moved);
    QWidget window;
    auto* child = new QWidget(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QList<QWindow*> moves;
    const auto record = [&moves](QWindow* w) {
        moves.append(w);
        return true;
    };
    QCOMPARE(StartDrag(child, held, record), moved);
    QCOMPARE(moves.size(), moved ? 1 : 0);
    if (moved)
        QCOMPARE(moves.first(), window.windowHandle());
}

QTEST_MAIN(TestWindowStyling)
#include "tst_windowstyling.moc"
