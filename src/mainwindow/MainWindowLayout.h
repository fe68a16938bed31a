#pragma once

#include <QList>
#include <QPixmap>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class QTreeView;
class QWidget;

namespace vantorel {

class ImageButton;
class LinkLabel;
class SkinSurface;

// Every control of the main window, created at its place by CreateMainWindowControls. The
// window owns them all (parent-child); the pointers stay valid for the window's life.
struct MainWindowControls {
    SkinSurface* surface = nullptr; // the client area, drawing the skin; parent of the controls

    // Indexed by toolbar member; member 5 does not exist and stays null.
    std::array<ImageButton*, 7> imgToolbar{};
    QTreeView* LV = nullptr;
    QWidget* picText = nullptr;
    QLabel* lblText = nullptr;
    QLineEdit* txtSplit = nullptr;
    QComboBox* cmbUnit = nullptr;
    QComboBox* cmbOF = nullptr;
    QComboBox* cmbBR = nullptr;
    QComboBox* cmbR = nullptr;
    QComboBox* cmbChannel = nullptr;
    QLineEdit* txtPath = nullptr;
    QPushButton* cmdBrowse = nullptr;
    ImageButton* imgConvert = nullptr;
    ImageButton* imgPB = nullptr;
    QLabel* lblPB = nullptr;
    LinkLabel* lblWeb = nullptr;

    // Hidden from the start.
    QLineEdit* txtAction = nullptr;
    QLineEdit* txtConvert = nullptr;
    QWidget* picDrop = nullptr;
    QListWidget* lstAddFolder = nullptr;

    // All off; Timer3 fires once.
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;

    // The lit pictures of the toolbar members (same indexes) and of Convert; null pictures
    // where the artwork is missing.
    std::array<QPixmap, 7> imgButtonData;
    QPixmap imgConvertData;

    // The controls that scale with the display, the surface first.
    QList<QWidget*> scalableControls() const;
};

// The window's client size in pixels (10485 x 6810 twips).
inline constexpr int MainWindowClientWidth = 699;
inline constexpr int MainWindowClientHeight = 454;

// Creates the main window's controls on the window: a skin surface filling its client area and
// every control on that surface. The window is resized to the client size; a QMainWindow
// should take the surface as its central widget.
MainWindowControls CreateMainWindowControls(QWidget* window);

// The list view's two columns at their design widths; again after a new model is set.
void ApplyListColumnWidths(QTreeView* view);

} // namespace vantorel
