#include "mainwindow/MainWindowLayout.h"

#include "SkinPictures.h"
#include "settings/OutputChoices.h"
#include "ui/ImageButton.h"
#include "ui/LinkLabel.h"
#include "ui/SkinFont.h"
#include "ui/SkinLabel.h"
#include "ui/SkinSurface.h"
#include "ui/SkinnedButtons.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>

namespace vantorel {
namespace {

struct Place {
    int left, top, width, height; // twips
};

template <typename Widget> Widget* Create(QWidget* parent, const char* name, Place place) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(twips::Rect(place.left, place.top, place.width, place.height));
    return widget;
}

QComboBox* CreateList(QWidget* parent, const char* name, Place place, const QStringList& items,
                      const QString& tooltip) {
    auto* combo = Create<QComboBox>(parent, name, place);
    combo->addItems(items);
    // Start-up puts the selections in; until then nothing is chosen.
    combo->setCurrentIndex(-1);
    combo->setToolTip(tooltip);
    return combo;
}

QLineEdit* CreateTextBox(QWidget* parent, const char* name, Place place, const QString& text,
                         const QString& tooltip = QString()) {
    auto* box = Create<QLineEdit>(parent, name, place);
    box->setText(text);
    box->setToolTip(tooltip);
    return box;
}

QTimer* CreateTimer(QObject* parent, const char* name, int intervalMs, bool once) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    timer->setSingleShot(once);
    return timer;
}

struct ToolbarPlace {
    int index;
    Place place;
};

constexpr std::array<ToolbarPlace, 6> ToolbarPlaces{{
    {toolbar::AddFile, {285, 60, 720, 855}},
    {toolbar::AddFolder, {1230, 40, 1020, 900}},
    {toolbar::Remove, {2540, 40, 900, 900}},
    {toolbar::Options, {3590, 50, 900, 900}},
    {toolbar::Help, {4700, 50, 900, 900}},
    {toolbar::Exit, {5610, 50, 900, 900}},
}};

void CreateList(MainWindowControls& c, QWidget* surface) {
    c.LV = Create<QTreeView>(surface, "LV", {210, 1830, 6825, 4110});
    c.LV->setRootIsDecorated(false);
    c.LV->setItemsExpandable(false);
    c.LV->setUniformRowHeights(true);
    c.LV->setAllColumnsShowFocus(true);
    c.LV->setSelectionMode(QAbstractItemView::SingleSelection);
    c.LV->setSelectionBehavior(QAbstractItemView::SelectRows);
    c.LV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.LV->setSortingEnabled(false);
    // The skin draws the list's frame; the two columns fill the list's whole width.
    c.LV->setFrameShape(QFrame::NoFrame);
    c.LV->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.LV->header()->setSectionsMovable(false);
    c.LV->header()->setStretchLastSection(false);
    QPalette palette = c.LV->palette();
    palette.setColor(QPalette::Text, QColor(228, 121, 69));
    c.LV->setPalette(palette);
    // Shows the two headers until the file list's own model takes its place.
    auto* columns = new QStandardItemModel(0, 2, c.LV);
    columns->setHorizontalHeaderLabels({QStringLiteral("FileName"), QStringLiteral("Format")});
    c.LV->setModel(columns);
    ApplyListColumnWidths(c.LV);

    c.picText = Create<QWidget>(surface, "picText", {2280, 3420, 2445, 315});
    c.picText->setBackgroundRole(QPalette::Base);
    c.picText->setAutoFillBackground(true);
    c.lblText = Create<SkinLabel>(c.picText, "lblText", {150, 0, 2085, 210});
    c.lblText->setText(ShownCaption(QStringLiteral("Drag && Drop Files Here")));
    c.lblText->setAlignment(Qt::AlignCenter);
    c.lblText->setFont(SkinFont(9, true));
    // Inside the box the label would take the list's text colour; the hint is grey.
    c.lblText->setForegroundRole(QPalette::WindowText);
    palette = c.lblText->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    c.lblText->setPalette(palette);
}

void CreateOutputControls(MainWindowControls& c, QWidget* surface) {
    c.txtSplit = CreateTextBox(surface, "txtSplit", {8310, 1550, 645, 345}, QStringLiteral("30"),
                               QStringLiteral("Split Time Unit"));
    c.cmbUnit = CreateList(surface, "cmbUnit", {9000, 1550, 1335, 330}, SplitUnitItems(),
                           QStringLiteral("Audio Rate"));
    c.cmbOF = CreateList(surface, "cmbOF", {7230, 2340, 3105, 330}, OutputFormatItems(),
                         QStringLiteral("Output Format"));
    c.cmbBR = CreateList(surface, "cmbBR", {7230, 2970, 1395, 330}, BitrateItems(),
                         QStringLiteral("Audio Bitrate"));
    c.cmbR = CreateList(surface, "cmbR", {9030, 3000, 1335, 330}, SampleRateItems(),
                        QStringLiteral("Audio Rate"));
    c.cmbChannel = CreateList(surface, "cmbChannel", {7230, 3660, 3105, 330}, ChannelItems(),
                              QStringLiteral("MP3 Audio Channel(Stereo or Mono)"));
    c.txtPath = CreateTextBox(surface, "txtPath", {7230, 4380, 2235, 345}, QString(),
                              QStringLiteral("Select a Folder to Output"));
    c.cmdBrowse = Create<QPushButton>(surface, "cmdBrowse", {9600, 4370, 735, 375});
    c.cmdBrowse->setText(QStringLiteral("Browse"));
}

void CreateSkinnedControls(MainWindowControls& c, QWidget* surface) {
    for (const ToolbarPlace& member : ToolbarPlaces) {
        const QByteArray name = "imgToolbar" + QByteArray::number(member.index);
        auto* button = Create<ImageButton>(surface, name.constData(), member.place);
        button->setCursor(SkinCursor());
        c.imgToolbar[static_cast<std::size_t>(member.index)] = button;
        c.imgButtonData[static_cast<std::size_t>(member.index)] =
            QPixmap(skin::litToolbarPath(member.index));
    }
    c.imgConvert = Create<ImageButton>(surface, "imgConvert", {7380, 5000, 2805, 1365});
    c.imgConvert->setCursor(SkinCursor());
    c.imgConvertData = QPixmap(skin::litConvertPath());

    c.imgPB = Create<ImageButton>(surface, "imgPB", {1640, 6130, 5415, 195});
    c.imgPB->setPicture(QPixmap(skin::progressBarPath()));
    c.lblPB = Create<SkinLabel>(surface, "lblPB", {3120, 6140, 2355, 195});
    c.lblPB->setText(QStringLiteral("0%"));
    c.lblPB->setAlignment(Qt::AlignCenter);
    c.lblPB->setFont(SkinFont(7.5, true));

    c.lblWeb = Create<LinkLabel>(surface, "lblWeb", {210, 6510, 1995, 195});
    c.lblWeb->setCursor(SkinCursor());
}

void CreateHiddenControls(MainWindowControls& c, QWidget* window, QWidget* surface) {
    c.txtAction = CreateTextBox(surface, "txtAction", {0, 0, 1215, 285}, QString());
    c.txtAction->hide();
    c.txtConvert = CreateTextBox(surface, "txtConvert", {0, 0, 1215, 285}, QStringLiteral("Text2"));
    c.txtConvert->hide();
    c.lstAddFolder = Create<QListWidget>(surface, "lstAddFolder", {0, 0, 1215, 1035});
    c.lstAddFolder->hide();
    // Start-up lays it over the list again; it starts there already.
    c.picDrop = Create<QWidget>(surface, "picDrop", {210, 1830, 6825, 4110});
    QPalette palette = c.picDrop->palette();
    palette.setColor(QPalette::Window, Qt::white);
    c.picDrop->setPalette(palette);
    c.picDrop->setAutoFillBackground(true);
    c.picDrop->setAcceptDrops(true);
    c.picDrop->hide();
    c.picDrop->raise();

    c.Timer1 = CreateTimer(window, "Timer1", 100, false);
    c.Timer2 = CreateTimer(window, "Timer2", 50, false);
    c.Timer3 = CreateTimer(window, "Timer3", 50, true);
}

} // namespace

QList<QWidget*> MainWindowControls::scalableControls() const {
    QList<QWidget*> controls{surface};
    for (ImageButton* member : imgToolbar)
        if (member)
            controls.append(member);
    controls << LV << picText << lblText << txtSplit << cmbUnit << cmbOF << cmbBR << cmbR
             << cmbChannel << txtPath << cmdBrowse << imgConvert << imgPB << lblPB << lblWeb
             << txtAction << txtConvert << picDrop << lstAddFolder;
    return controls;
}

MainWindowControls CreateMainWindowControls(QWidget* window) {
    MainWindowControls c;
    window->resize(MainWindowClientWidth, MainWindowClientHeight);
    c.surface = new SkinSurface(window);
    c.surface->setGeometry(0, 0, MainWindowClientWidth, MainWindowClientHeight);
    c.surface->setFont(SkinFont(9));
    c.surface->setSkin(QPixmap(skin::mainFacePath()));

    // Creation order is stacking order: the hint box lies over the list.
    CreateSkinnedControls(c, c.surface);
    CreateList(c, c.surface);
    CreateOutputControls(c, c.surface);
    CreateHiddenControls(c, window, c.surface);
    return c;
}

void ApplyListColumnWidths(QTreeView* view) {
    view->header()->resizeSection(0, 361);
    view->header()->resizeSection(1, 94);
}

} // namespace vantorel
