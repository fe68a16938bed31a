#pragma once

#include "settings/OptionValues.h"

#include <QDialog>
#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantorel {

class SkinSurface;

// The options dialog: the reminder sound switch and the music cutter's start and length in
// hours, minutes and seconds. It loads afresh from the option values each time it is made;
// OK checks the minutes and seconds, stores the values and writes options.ini; Back changes
// nothing. It is skinned and dragged by its background like the main window.
class frmOptions : public QDialog {
    Q_OBJECT

public:
    static constexpr int DialogWidth = 600;
    static constexpr int DialogHeight = 140;

    frmOptions(OptionValues& values, QWidget* parent = nullptr);

    // Opens a fresh dialog modally and returns when it has closed.
    static void ShowModal(OptionValues& values, QWidget* parent);

    SkinSurface* surface = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbSR = nullptr;
    QPushButton* Command1 = nullptr; // OK
    QPushButton* Command2 = nullptr; // Back
    QLabel* Label2 = nullptr;
    QCheckBox* chkMC = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtFromH = nullptr;
    QLineEdit* txtFromM = nullptr;
    QLineEdit* txtFromS = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtToH = nullptr;
    QLineEdit* txtToM = nullptr;
    QLineEdit* txtToS = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;

private:
    void CreateControls();
    void Load();
    void Ok();
    void EnableTimeBoxes();
    QList<QWidget*> Controls() const;
    QList<QLineEdit*> TimeBoxes() const;

    OptionValues& m_values;
};

// The three boxes' texts for a number of seconds; each box's value is read back from its text
// before the next one is worked out, as the boxes show it.
void FillTimeBoxes(std::int32_t seconds, QLineEdit* hours, QLineEdit* minutes,
                   QLineEdit* secondsBox);
// The seconds the three boxes stand for, rounded half to even; no value beyond 32 bits.
std::optional<std::int32_t> SecondsFromBoxes(const QString& hours, const QString& minutes,
                                             const QString& seconds);

} // namespace vantorel
