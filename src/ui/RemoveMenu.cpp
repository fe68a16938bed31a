#include "ui/RemoveMenu.h"

#include <QLineEdit>

namespace vantorel {

QString RemoveSelectedCommand() {
    return QStringLiteral("RemoveSelected");
}

frmMenu::frmMenu(QLineEdit* txtAction, std::function<void()> removeAll, QWidget* owner)
    : QObject(owner), m_txtAction(txtAction), m_removeAll(std::move(removeAll)) {
    setObjectName(QStringLiteral("frmMenu"));
    menuRemove = new QMenu(QStringLiteral("Remove"), owner);
    menuRemove->setObjectName(QStringLiteral("menuRemove"));
    menuRemoveSelected = menuRemove->addAction(QStringLiteral("Remove Selected"));
    menuRemoveSelected->setObjectName(QStringLiteral("menuRemoveSelected"));
    menuRemoveAll = menuRemove->addAction(QStringLiteral("Remove All"));
    menuRemoveAll->setObjectName(QStringLiteral("menuRemoveAll"));

    connect(menuRemoveSelected, &QAction::triggered, this, [this] {
        if (m_txtAction)
            m_txtAction->setText(RemoveSelectedCommand());
    });
    connect(menuRemoveAll, &QAction::triggered, this, [this] {
        if (m_removeAll)
            m_removeAll();
    });
}

void frmMenu::popUp(const QPoint& globalPos) {
    menuRemove->exec(globalPos);
}

CommandChannel::CommandChannel(QLineEdit* box, QObject* parent) : QObject(parent), m_box(box) {
    connect(box, &QLineEdit::textChanged, this, &CommandChannel::dispatch);
}

void CommandChannel::addCommand(const QString& word, std::function<void()> action) {
    m_commands.insert(word, std::move(action));
}

void CommandChannel::dispatch(const QString& text) {
    if (text.isEmpty())
        return;
    // A copy, so an action that changes the table cannot pull the running one away.
    const std::function<void()> action = m_commands.value(text);
    if (action)
        action();
    if (m_box)
        m_box->clear();
}

} // namespace vantorel
