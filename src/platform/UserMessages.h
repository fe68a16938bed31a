#pragma once

#include <QList>
#include <QString>

namespace vantorel {

enum class MessageIcon { None, Information, Exclamation, Critical };

// Every message box of the program goes through this one interface, so tests capture what the
// user would have seen and no modal window ever waits for a person.
class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual void show(MessageIcon icon, const QString& title, const QString& text) = 0;
};

// The title used where a message names none.
QString defaultMessageTitle();

// Shows a message through the interface in force (stderr until a window installs its own).
void showMessage(MessageIcon icon, const QString& text, const QString& title = QString());
// Installs the interface in force; nullptr restores the stderr fallback. Not owned.
void setUserMessages(UserMessages* messages);

// Keeps every message shown while it is installed; for tests.
class RecordedMessages final : public UserMessages {
public:
    struct Entry {
        MessageIcon icon;
        QString title;
        QString text;
    };
    RecordedMessages();
    ~RecordedMessages() override;
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;

    void show(MessageIcon icon, const QString& title, const QString& text) override;
    QList<Entry> entries;
};

} // namespace vantorel
