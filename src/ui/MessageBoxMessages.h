#pragma once

#include "platform/UserMessages.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace vantorel {

// The program's messages as modal message boxes with an OK button.
class MessageBoxMessages final : public UserMessages {
public:
    // The owner is used when no window of the program is active at the time of a message.
    explicit MessageBoxMessages(QWidget* owner = nullptr);

    void show(MessageIcon icon, const QString& title, const QString& text) override;

private:
    QPointer<QWidget> m_owner;
};

// The box a message is shown in, ready to be executed.
std::unique_ptr<QMessageBox> CreateMessageBox(MessageIcon icon, const QString& title,
                                              const QString& text, QWidget* parent);

} // namespace vantorel
