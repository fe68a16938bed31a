#include "filelist/DropHint.h"

namespace vantorel {

DropHint::DropHint(QObject* parent) : QObject(parent), m_caption(DragCaption()) {}

QString DropHint::DragCaption() {
    return QStringLiteral("Drag && Drop Files Here");
}

QString DropHint::SearchingCaption() {
    return QStringLiteral("Searching Files...");
}

void DropHint::SetVisible(bool visible) {
    if (m_visible == visible)
        return;
    m_visible = visible;
    Q_EMIT Changed();
}

void DropHint::SetCaption(const QString& caption) {
    if (m_caption == caption)
        return;
    m_caption = caption;
    Q_EMIT Changed();
}

void DropHint::ShowSearching() {
    SetVisible(true);
    SetCaption(SearchingCaption());
}

void DropHint::EndSearch(qsizetype listCount) {
    SetCaption(DragCaption());
    Update(listCount);
}

void DropHint::Update(qsizetype listCount) {
    SetVisible(listCount == 0);
}

} // namespace vantorel
