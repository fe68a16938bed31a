#include "mainwindow/MainWindowLayout.h"
#include "ui/ImageButton.h"
#include "ui/LinkLabel.h"
#include "ui/SkinSurface.h"
#include "ui/WindowStyling.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace vantorel;

namespace {

QString TextOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* box = qobject_cast<const QLineEdit*>(widget))
        return box->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return QString();
}

QStringList ItemsOf(const QWidget* widget) {
    QStringList items;
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
    return items;
}

} // namespace

class TestMainWindowLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void controls_data();
    void controls();
    void clientArea();
    void noToolbarMemberFive();
    void listView();
    void hintLiesOverTheList();
    void fonts();
    void timers();
    void skinnedControlsShowTheHandCursor();
    void scalableControlsAreAllThere();
    void artworkFitsItsControls();

private:
    std::unique_ptr<QWidget> m_window;
    MainWindowControls m_c;
};

void TestMainWindowLayout::init() {
    m_window = std::make_unique<QWidget>();
    m_c = CreateMainWindowControls(m_window.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMainWindowLayout::cleanup() {
    m_c = {};
    m_window.reset();
}

void TestMainWindowLayout::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<bool>("visible");

    const auto row = [](const char* name, QRect rect, const QString& text = {},
                        const QString& tooltip = {}, const QStringList& items = {},
                        bool visible = true) {
        QTest::newRow(name) << QString::fromLatin1(name) << rect << text << tooltip << items
                            << visible;
    };
    row("imgToolbar0", {19, 4, 48, 57});
    row("imgToolbar6", {82, 3, 68, 60});
    row("imgToolbar1", {169, 3, 60, 60});
    row("imgToolbar2", {239, 3, 60, 60});
    row("imgToolbar3", {313, 3, 60, 60});
    row("imgToolbar4", {374, 3, 60, 60});
    row("LV", {14, 122, 455, 274});
    row("picText", {152, 228, 163, 21});
    row("lblText", {10, 0, 139, 14}, "Drag & Drop Files Here");
    row("txtSplit", {554, 103, 43, 23}, "30", "Split Time Unit");
    row("cmbUnit", {600, 103, 89, 22}, {}, "Audio Rate", {"Seconds", "Minutes", "Hours"});
    row("cmbOF", {482, 156, 207, 22}, {}, "Output Format",
        {"MP3", "WMA", "OGG", "WAV", "FLAC", "AC3", "AAC", "AMR", "MPG"});
    row("cmbBR", {482, 198, 93, 22}, {}, "Audio Bitrate",
        {"32", "48", "56", "64", "80", "96", "112", "128", "192", "224", "256", "320"});
    row("cmbR", {602, 200, 89, 22}, {}, "Audio Rate",
        {"48000", "44100", "32000", "24000", "22050", "16000", "12050", "8000"});
    row("cmbChannel", {482, 244, 207, 22}, {}, "MP3 Audio Channel(Stereo or Mono)",
        {"Mono", "Stereo"});
    row("txtPath", {482, 292, 149, 23}, {}, "Select a Folder to Output");
    row("cmdBrowse", {640, 291, 49, 25}, "Browse");
    row("imgConvert", {492, 333, 187, 91});
    row("imgPB", {109, 409, 361, 13});
    row("lblPB", {208, 409, 157, 13}, "0%");
    row("lblWeb", {14, 434, 133, 13});
    row("picDrop", {14, 122, 455, 274}, {}, {}, {}, false);
    row("txtAction", {0, 0, 81, 19}, {}, {}, {}, false);
    row("txtConvert", {0, 0, 81, 19}, "Text2", {}, {}, false);
    row("lstAddFolder", {0, 0, 81, 69}, {}, {}, {}, false);
}

void TestMainWindowLayout::controls() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QFETCH(QString, tooltip);
    QFETCH(QStringList, items);
    QFETCH(bool, visible);
    const auto found = m_window->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* widget = found.first();
    QCOMPARE(widget->geometry(), rect);
    QCOMPARE(TextOf(widget), text);
    QCOMPARE(widget->toolTip(), tooltip);
    QCOMPARE(ItemsOf(widget), items);
    QCOMPARE(widget->isVisible(), visible);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QVERIFY(!combo->isEditable());
        QCOMPARE(combo->currentIndex(), -1); // start-up chooses
    }
}

void TestMainWindowLayout::clientArea() {
    QCOMPARE(m_window->size(), QSize(699, 454));
    QCOMPARE(m_c.surface->geometry(), QRect(0, 0, 699, 454));
    // Every control lies on the surface, in client coordinates.
    QCOMPARE(m_c.cmdBrowse->parentWidget(), m_c.surface);
    QCOMPARE(m_c.lblText->parentWidget(), m_c.picText);
}

void TestMainWindowLayout::noToolbarMemberFive() {
    QVERIFY(!m_c.imgToolbar[5]);
    QVERIFY(m_window->findChildren<QWidget*>(QStringLiteral("imgToolbar5")).isEmpty());
    for (int index : {0, 1, 2, 3, 4, 6}) {
        QVERIFY(m_c.imgToolbar[static_cast<std::size_t>(index)]);
        QVERIFY(!m_c.imgToolbar[static_cast<std::size_t>(index)]->hasPicture());
    }
    QVERIFY(!m_c.imgConvert->hasPicture());
}

void TestMainWindowLayout::listView() {
    QTreeView* view = m_c.LV;
    QVERIFY(view->model());
    QCOMPARE(view->model()->columnCount(), 2);
    QCOMPARE(view->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("FileName"));
    QCOMPARE(view->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Format"));
    QCOMPARE(view->header()->sectionSize(0), 361);
    QCOMPARE(view->header()->sectionSize(1), 94);
    QCOMPARE(view->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!view->isSortingEnabled());
    QCOMPARE(view->palette().color(QPalette::Text), QColor(228, 121, 69));
    // The two columns fill the list exactly.
    QCOMPARE(view->viewport()->width(), 455);
}

void TestMainWindowLayout::hintLiesOverTheList() {
    const QPoint middle = m_c.picText->geometry().center();
    QWidget* top = m_c.surface->childAt(middle);
    QVERIFY(top == m_c.picText || top == m_c.lblText);
    // The drop overlay lies over both once shown.
    m_c.picDrop->show();
    QCOMPARE(m_c.surface->childAt(middle), m_c.picDrop);
    QCOMPARE(m_c.picDrop->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(m_c.picDrop->acceptDrops());
}

void TestMainWindowLayout::fonts() {
    QCOMPARE(m_c.surface->font().families().value(0), QStringLiteral("Tahoma"));
    QCOMPARE(m_c.surface->font().pointSizeF(), 9.0);
    QCOMPARE(m_c.cmbOF->font().pointSizeF(), 9.0);
    QCOMPARE(m_c.lblText->font().pointSizeF(), 9.0);
    QVERIFY(m_c.lblText->font().bold());
    // Drawn grey: no pixel of the hint is darker than grey 128.
    const QImage hint = m_c.picText->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < hint.height(); ++y)
        for (int x = 0; x < hint.width(); ++x)
            darkest = std::min(darkest, qGray(hint.pixel(x, y)));
    QVERIFY2(darkest >= 120 && darkest <= 136, qPrintable(QString::number(darkest)));
    QCOMPARE(m_c.lblText->alignment(), Qt::AlignCenter);
    QCOMPARE(m_c.lblPB->font().pointSizeF(), 7.5);
    QVERIFY(m_c.lblPB->font().bold());
    QVERIFY(!m_c.cmbOF->font().bold());
}

void TestMainWindowLayout::timers() {
    struct Expected {
        QTimer* timer;
        const char* name;
        int interval;
        bool once;
    };
    for (const Expected& e :
         {Expected{m_c.Timer1, "Timer1", 100, false}, Expected{m_c.Timer2, "Timer2", 50, false},
          Expected{m_c.Timer3, "Timer3", 50, true}}) {
        QVERIFY(e.timer);
        QCOMPARE(e.timer->objectName(), QLatin1String(e.name));
        QCOMPARE(e.timer->interval(), e.interval);
        QCOMPARE(e.timer->isSingleShot(), e.once);
        QVERIFY(!e.timer->isActive());
    }
}

void TestMainWindowLayout::skinnedControlsShowTheHandCursor() {
    QList<QWidget*> pointed{m_c.imgConvert, m_c.lblWeb};
    for (ImageButton* member : m_c.imgToolbar)
        if (member)
            pointed.append(member);
    for (QWidget* widget : pointed) {
        QVERIFY2(widget->testAttribute(Qt::WA_SetCursor), qPrintable(widget->objectName()));
        QVERIFY(widget->cursor().shape() != Qt::ArrowCursor);
    }
    QVERIFY(!m_c.imgPB->testAttribute(Qt::WA_SetCursor));
}

void TestMainWindowLayout::scalableControlsAreAllThere() {
    const QList<QWidget*> controls = m_c.scalableControls();
    QCOMPARE(controls.first(), m_c.surface);
    QVERIFY(!controls.contains(nullptr));
    for (const char* name :
         {"imgToolbar0", "imgToolbar1", "imgToolbar2", "imgToolbar3", "imgToolbar4",
          "imgToolbar6", "LV",          "picText",     "lblText",     "txtSplit",
          "cmbUnit",     "cmbOF",       "cmbBR",       "cmbR",        "cmbChannel",
          "txtPath",     "cmdBrowse",   "imgConvert",  "imgPB",       "lblPB",
          "lblWeb",      "txtAction",   "txtConvert",  "picDrop",     "lstAddFolder"}) {
        QWidget* widget = m_window->findChild<QWidget*>(QLatin1String(name));
        QVERIFY2(widget && controls.count(widget) == 1, name);
    }
}

void TestMainWindowLayout::artworkFitsItsControls() {
    QCOMPARE(m_c.surface->skin().size(), QSize(720, 458));
    // Each lit picture covers exactly the button it lights.
    for (int index : {0, 1, 2, 3, 4, 6}) {
        const auto i = static_cast<std::size_t>(index);
        QCOMPARE(m_c.imgButtonData[i].size(), m_c.imgToolbar[i]->size());
    }
    QCOMPARE(m_c.imgConvertData.size(), m_c.imgConvert->size());
    QCOMPARE(m_c.imgPB->picture().size(), m_c.imgPB->size());
    // The window's corners are see-through, its face is not.
    const QRegion shape = KeyColourRegion(m_c.surface->skin().toImage());
    QVERIFY(!shape.contains(QPoint(0, 0)));
    QVERIFY(!shape.contains(QPoint(698, 453)));
    QVERIFY(shape.contains(QPoint(349, 227)));
    QVERIFY(shape.contains(m_c.imgConvert->geometry().center()));
}

QTEST_MAIN(TestMainWindowLayout)
#include "tst_mainwindowlayout.moc"
