#include "platform/UserMessages.h"

#include <cstdio>

namespace vantorel {
namespace {

class StderrMessages final : public UserMessages {
public:
    void show(MessageIcon, const QString& title, const QString& text) override {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
    }
};

StderrMessages fallback;
UserMessages* current = &fallback;

} // namespace

QString defaultMessageTitle() { return QStringLiteral("Vantorel"); }

void showMessage(MessageIcon icon, const QString& text, const QString& title) {
    current->show(icon, title.isEmpty() ? defaultMessageTitle() : title, text);
}

void setUserMessages(UserMessages* messages) { current = messages ? messages : &fallback; }

RecordedMessages::RecordedMessages() { setUserMessages(this); }

RecordedMessages::~RecordedMessages() {
    if (current == this)
        setUserMessages(nullptr);
}

void RecordedMessages::show(MessageIcon icon, const QString& title, const QString& text) {
    entries.append({icon, title, text});
}

} // namespace vantorel
