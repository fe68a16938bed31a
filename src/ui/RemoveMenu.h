#pragma once

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>

class QLineEdit;

namespace vantorel {

// The word that "Remove Selected" sends to the main window.
QString RemoveSelectedCommand();

// Holds the Remove pop-up menu. "Remove Selected" only writes its command word into the main
// window's command box, so the menu never calls into the window; "Remove All" runs its action
// itself.
class frmMenu : public QObject {
    Q_OBJECT

public:
    // owner: the window the menu pops up over (and is owned by).
    frmMenu(QLineEdit* txtAction, std::function<void()> removeAll, QWidget* owner);

    // Shows the menu at a screen position and returns when an item was picked or the menu
    // was dismissed.
    void popUp(const QPoint& globalPos);

    QMenu* menuRemove = nullptr;
    QAction* menuRemoveSelected = nullptr;
    QAction* menuRemoveAll = nullptr;

private:
    QPointer<QLineEdit> m_txtAction;
    std::function<void()> m_removeAll;
};

// Watches the main window's hidden command box: a text that is exactly a known word (letter
// case counts) runs its action; any text is then cleared, so the same word sent twice runs
// twice.
class CommandChannel : public QObject {
    Q_OBJECT

public:
    explicit CommandChannel(QLineEdit* box, QObject* parent = nullptr);

    void addCommand(const QString& word, std::function<void()> action);

private:
    void dispatch(const QString& text);

    QPointer<QLineEdit> m_box;
    QHash<QString, std::function<void()>> m_commands;
};

} // namespace vantorel
