#pragma once

#include <QList>
#include <QMap>
#include <QObject>
#include <QPixmap>
#include <QPointer>

namespace vantorel {

class ImageButton;

// The toolbar members and what a click on each runs.
namespace toolbar {
inline constexpr int AddFile = 0;
inline constexpr int Remove = 1;
inline constexpr int Options = 2;
inline constexpr int Help = 3;
inline constexpr int Exit = 4;
inline constexpr int AddFolder = 6;
// In the order they stand on the toolbar.
inline const QList<int> Members{AddFile, AddFolder, Remove, Options, Help, Exit};
bool IsMember(int index);
} // namespace toolbar

// The lit-picture behaviour of the toolbar and the Convert button. A button at rest or pressed
// shows nothing (the skin draws it); under the mouse it shows its lit picture. A move over a
// toolbar member lights that member alone; a press on any member puts them all at rest; the
// Convert button lights and rests on its own. Only a move over the bare window background
// puts both groups at rest.
class SkinnedButtons : public QObject {
    Q_OBJECT

public:
    explicit SkinnedButtons(QObject* parent = nullptr);

    void addToolbarMember(int index, ImageButton* button, const QPixmap& lit);
    void setConvertButton(ImageButton* button, const QPixmap& lit);

    ImageButton* toolbarMember(int index) const { return m_toolbar.value(index).button; }
    ImageButton* convertButton() const { return m_convert.button; }

    // The mouse events of the window, as its controls report them.
    void toolbarMouseMove(int index);
    void toolbarMouseDown();
    void toolbarClick(int index);
    void convertMouseMove();
    void convertMouseDown();
    void convertClick();
    void backgroundMouseMove();

Q_SIGNALS:
    // A click on a toolbar member with an action; index is one of toolbar::Members.
    void toolbarActivated(int index);
    void convertActivated();

private:
    struct Entry {
        QPointer<ImageButton> button;
        QPixmap lit;
    };
    void restToolbar();
    void restConvert();

    QMap<int, Entry> m_toolbar;
    Entry m_convert;
};

} // namespace vantorel
