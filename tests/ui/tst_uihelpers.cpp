#include "ui/DesktopOpener.h"
#include "ui/MessageBoxMessages.h"
#include "ui/SkinFont.h"
#include "ui/SkinLabel.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vantorel;

Q_DECLARE_METATYPE(vantorel::MessageIcon)

class TestUiHelpers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void messageBoxes_data();
    void messageBoxes();
    void messageShownOverTheActiveDialog();
    void shownCaption_data();
    void shownCaption();
    void fittedFont_data();
    void fittedFont();
    void twips_data();
    void twips();
    void openFolder_data();
    void openFolder();
    void openWebAddress_data();
    void openWebAddress();
};

void TestUiHelpers::messageBoxes_data() {
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<int>("boxIcon");
    QTest::newRow("none") << MessageIcon::None << int(QMessageBox::NoIcon);
    QTest::newRow("information") << MessageIcon::Information << int(QMessageBox::Information);
    QTest::newRow("exclamation") << MessageIcon::Exclamation << int(QMessageBox::Warning);
    QTest::newRow("critical") << MessageIcon::Critical << int(QMessageBox::Critical);
}

void TestUiHelpers::messageBoxes() {
    QFETCH(MessageIcon, icon);
    QFETCH(int, boxIcon);
    const auto box = CreateMessageBox(icon, QStringLiteral("Min"),
                                      QStringLiteral("<b>a</b> & b\r\nline two"), nullptr);
    QCOMPARE(int(box->icon()), boxIcon);
    QCOMPARE(box->windowTitle(), QStringLiteral("Min"));
    // Text is shown as it is, never read as markup.
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->text(), QStringLiteral("<b>a</b> & b\r\nline two"));
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestUiHelpers::messageShownOverTheActiveDialog() {
    QWidget owner;
    owner.show();
    QDialog dialog(&owner);
    MessageBoxMessages messages(&owner);
    QWidget* parentSeen = nullptr;
    QString titleSeen;
    QTimer::singleShot(0, &dialog, [&] {
        // The dialog is up; a message comes from its handler.
        QTimer::singleShot(0, &dialog, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                parentSeen = box->parentWidget();
                titleSeen = box->windowTitle();
                box->button(QMessageBox::Ok)->click();
            }
        });
        messages.show(MessageIcon::Exclamation, QStringLiteral("Min"), QStringLiteral("text"));
        dialog.accept();
    });
    QTimer::singleShot(10000, &dialog, [] { // never wait for a person
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    dialog.exec();
    QCOMPARE(titleSeen, QStringLiteral("Min"));
    QCOMPARE(parentSeen, &dialog);
}

void TestUiHelpers::shownCaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::newRow("doubled ampersand") << "Drag && Drop Files Here"
                                       << "Drag & Drop Files Here";
    QTest::newRow("mnemonic marker") << "&Browse"
                                     << "Browse";
    QTest::newRow("three in a row") << "a&&&b"
                                    << "a&b";
    QTest::newRow("trailing single") << "end&"
                                     << "end";
    QTest::newRow("plain") << "Searching Files..."
                           << "Searching Files...";
}

void TestUiHelpers::shownCaption() {
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QCOMPARE(ShownCaption(caption), shown);
}

void TestUiHelpers::fittedFont_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("shrinks");
    QTest::newRow("fits") << "0%" << 157 << false;
    QTest::newRow("too wide") << "Drag & Drop Files Here, and more" << 139 << true;
    QTest::newRow("far too wide") << QString(200, QLatin1Char('W')) << 60 << true;
    QTest::newRow("empty") << "" << 10 << false;
    QTest::newRow("no room at all") << "text" << 0 << false;
}

void TestUiHelpers::fittedFont() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, shrinks);
    const QFont font = SkinFont(9, true);
    const QFont fitted = FittedFont(font, text, width);
    QCOMPARE(fitted.pointSizeF() < font.pointSizeF(), shrinks);
    QCOMPARE(fitted.bold(), font.bold());
    QCOMPARE(fitted.families(), font.families());
    if (shrinks) {
        QVERIFY(fitted.pointSizeF() >= 1);
        QVERIFY(QFontMetricsF(fitted).horizontalAdvance(text) <= width || fitted.pointSizeF() == 1);
    }
}

void TestUiHelpers::twips_data() {
    QTest::addColumn<int>("twipsValue");
    QTest::addColumn<int>("pixels");
    QTest::newRow("exact") << 10485 << 699;
    QTest::newRow("rounds down") << 40 << 3;
    QTest::newRow("rounds up") << 5000 << 333;
    QTest::newRow("just under half") << 3590 << 239;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("negative rounds like positive") << -40 << -3;
}

void TestUiHelpers::twips() {
    QFETCH(int, twipsValue);
    QFETCH(int, pixels);
    QCOMPARE(twips::ToPixels(twipsValue), pixels);
    QCOMPARE(twips::FromPixels(pixels), pixels * 15);
}

void TestUiHelpers::openFolder_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("url"); // empty: nothing opened
    QTest::newRow("folder") << "/home/me/output"
                            << "file:///home/me/output";
    QTest::newRow("blanks and hash") << "/home/me/my #1 songs"
                                     << "file:///home/me/my%20%231%20songs";
    QTest::newRow("empty") << ""
                           << "";
}

void TestUiHelpers::openFolder() {
    QFETCH(QString, path);
    QFETCH(QString, url);
    RecordedOpener opener;
    QCOMPARE(OpenFolder(path), !url.isEmpty());
    if (url.isEmpty()) {
        QVERIFY(opener.opened.isEmpty());
    } else {
        QCOMPARE(opener.opened.size(), 1);
        QCOMPARE(opener.opened[0].toString(QUrl::FullyEncoded), url);
        QCOMPARE(opener.opened[0].toLocalFile(), path);
    }
}

void TestUiHelpers::openWebAddress_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opened");
    QTest::newRow("web page") << "https://vantorel.example/" << true;
    QTest::newRow("relative") << "vantorel.example" << false;
    QTest::newRow("empty") << "" << false;
}

void TestUiHelpers::openWebAddress() {
    QFETCH(QString, address);
    QFETCH(bool, opened);
    DesktopOpener* before = &desktopOpener();
    {
        RecordedOpener opener;
        QCOMPARE(OpenWebAddress(address), opened);
        QCOMPARE(opener.opened.size(), opened ? 1 : 0);
        if (opened)
            QCOMPARE(opener.opened[0], QUrl(address));
    }
    QCOMPARE(&desktopOpener(), before);
}

QTEST_MAIN(TestUiHelpers)
#include "tst_uihelpers.moc"
