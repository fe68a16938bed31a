#include "ui/ImageButton.h"
#include "ui/ScaleToDisplay.h"

#include <QLineEdit>
#include <QTest>

using namespace vantorel;

using Metric = std::optional<double>;
Q_DECLARE_METATYPE(Metric)

namespace {

// Two controls: a plain one and the path box, both starting at the same metrics.
FormMetrics Form(const ControlMetrics& control, bool withPathBox) {
    FormMetrics form;
    form.width = 10485;
    form.height = 6810;
    form.controls = {control, control};
    if (withPathBox)
        form.pathBox = 1;
    return form;
}

void CompareMetric(const Metric& got, const Metric& expected, const char* what) {
    QVERIFY2(got.has_value() == expected.has_value(), what);
    if (expected)
        QVERIFY2(
            qFuzzyCompare(*got, *expected),
            qPrintable(
                QStringLiteral("%1: %2 vs %3").arg(QLatin1String(what)).arg(*got).arg(*expected)));
}

} // namespace

class TestScaleToDisplay : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pure_data();
    void pure();
    void pathBoxOutOfRangeIsIgnored();
    void widgets_data();
    void widgets();
};

void TestScaleToDisplay::pure_data() {
    QTest::addColumn<double>("tppX");
    QTest::addColumn<double>("tppY");
    QTest::addColumn<bool>("withPathBox");
    QTest::addColumn<double>("windowWidth");
    QTest::addColumn<double>("windowHeight");
    QTest::addColumn<Metric>("left");
    QTest::addColumn<Metric>("top");
    QTest::addColumn<Metric>("font");
    QTest::addColumn<Metric>("pathFont");

    QTest::newRow("96 dpi changes nothing")
        << 15.0 << 15.0 << true << 10485.0 << 6810.0 << Metric(7230) << Metric(4380) << Metric(9)
        << Metric(9);
    QTest::newRow("120 dpi: x0.8, path font twice")
        << 12.0 << 12.0 << true << 8388.0 << 5448.0 << Metric(5784) << Metric(3504) << Metric(7.2)
        << Metric(5.76);
    QTest::newRow("only x differs: the path font's y step is 1")
        << 12.0 << 15.0 << true << 8388.0 << 6810.0 << Metric(5784) << Metric(4380) << Metric(7.2)
        << Metric(7.2);
    QTest::newRow("only y differs: the path font takes fy and fx")
        << 15.0 << 12.0 << true << 10485.0 << 5448.0 << Metric(7230) << Metric(3504) << Metric(9)
        << Metric(7.2);
    QTest::newRow("no path box: fonts once")
        << 12.0 << 12.0 << false << 8388.0 << 5448.0 << Metric(5784) << Metric(3504) << Metric(7.2)
        << Metric(7.2);
    QTest::newRow("72 dpi grows") << 20.0 << 20.0 << true << 13980.0 << 9080.0 << Metric(9640)
                                  << Metric(5840) << Metric(12) << Metric(16);
}

void TestScaleToDisplay::pure() {
    QFETCH(double, tppX);
    QFETCH(double, tppY);
    QFETCH(bool, withPathBox);
    QFETCH(double, windowWidth);
    QFETCH(double, windowHeight);
    QFETCH(Metric, left);
    QFETCH(Metric, top);
    QFETCH(Metric, font);
    QFETCH(Metric, pathFont);

    const ControlMetrics control{7230, 4380, 2235, 345, 9};
    const FormMetrics scaled = ScaleToDisplay(Form(control, withPathBox), tppX, tppY);
    QVERIFY(qFuzzyCompare(scaled.width, windowWidth));
    QVERIFY(qFuzzyCompare(scaled.height, windowHeight));
    CompareMetric(scaled.controls[0].left, left, "left");
    CompareMetric(scaled.controls[0].top, top, "top");
    CompareMetric(scaled.controls[0].width, 2235 * tppX / 15, "width");
    CompareMetric(scaled.controls[0].height, 345 * tppY / 15, "height");
    CompareMetric(scaled.controls[0].fontSize, font, "font");
    CompareMetric(scaled.controls[1].fontSize, pathFont, "path font");

    // A control lacking a property keeps lacking it.
    FormMetrics sparse;
    sparse.controls = {ControlMetrics{100, std::nullopt, std::nullopt, 30, std::nullopt}};
    const FormMetrics sparseScaled = ScaleToDisplay(sparse, tppX, tppY);
    CompareMetric(sparseScaled.controls[0].left, 100 * tppX / 15, "sparse left");
    CompareMetric(sparseScaled.controls[0].top, std::nullopt, "sparse top");
    CompareMetric(sparseScaled.controls[0].fontSize, std::nullopt, "sparse font");
}

void TestScaleToDisplay::pathBoxOutOfRangeIsIgnored() {
    FormMetrics form = Form(ControlMetrics{0, 0, 0, 0, 10}, false);
    form.pathBox = 7;
    const FormMetrics scaled = ScaleToDisplay(form, 12, 12);
    CompareMetric(scaled.controls[0].fontSize, 8.0, "first");
    CompareMetric(scaled.controls[1].fontSize, 8.0, "second");
}

void TestScaleToDisplay::widgets_data() {
    QTest::addColumn<double>("tpp");
    QTest::addColumn<double>("boxFont");
    QTest::addColumn<double>("pathFont");
    QTest::newRow("96 dpi") << 15.0 << 9.0 << 9.0;
    QTest::newRow("120 dpi") << 12.0 << 7.2 << 5.76;
    QTest::newRow("72 dpi") << 20.0 << 12.0 << 16.0;
}

void TestScaleToDisplay::widgets() {
    QFETCH(double, tpp);
    QFETCH(double, boxFont);
    QFETCH(double, pathFont);
    QWidget window;
    window.resize(699, 454);
    auto* box = new QLineEdit(&window);
    box->setGeometry(554, 103, 43, 23);
    auto* path = new QLineEdit(&window);
    path->setGeometry(482, 292, 149, 23);
    auto* image = new ImageButton(&window);
    image->setGeometry(19, 4, 48, 57);
    QFont font = window.font();
    font.setPointSizeF(9);
    for (QWidget* w : QList<QWidget*>{box, path, image})
        w->setFont(font);

    ScaleWidgetsToDisplay(&window, {box, path, image}, path, tpp, tpp);

    // Places and sizes stay the same in pixels: the display counts twips by its own pixels.
    QCOMPARE(window.size(), QSize(699, 454));
    QCOMPARE(box->geometry(), QRect(554, 103, 43, 23));
    QCOMPARE(path->geometry(), QRect(482, 292, 149, 23));
    QCOMPARE(image->geometry(), QRect(19, 4, 48, 57));
    QVERIFY(qFuzzyCompare(box->font().pointSizeF(), boxFont));
    QVERIFY(qFuzzyCompare(path->font().pointSizeF(), pathFont));
    QVERIFY(qFuzzyCompare(image->font().pointSizeF(), 9.0));
}

QTEST_MAIN(TestScaleToDisplay)
#include "tst_scaletodisplay.moc"
