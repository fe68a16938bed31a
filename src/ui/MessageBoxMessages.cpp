#include "ui/MessageBoxMessages.h"

#include <QApplication>

namespace vantorel {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageBoxMessages::MessageBoxMessages(QWidget* owner) : m_owner(owner) {}

void MessageBoxMessages::show(MessageIcon icon, const QString& title, const QString& text) {
    // A message raised while a modal dialog is up must stand over that dialog, not behind it.
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    if (!parent)
        parent = m_owner;
    const auto box = CreateMessageBox(icon, title, text, parent);
    box->exec();
}

std::unique_ptr<QMessageBox> CreateMessageBox(MessageIcon icon, const QString& title,
                                              const QString& text, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(BoxIcon(icon), title, text, QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

} // namespace vantorel
