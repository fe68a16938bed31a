#include "ui/SkinnedButtons.h"

#include "ui/ImageButton.h"

namespace vantorel {

bool toolbar::IsMember(int index) {
    return Members.contains(index);
}

SkinnedButtons::SkinnedButtons(QObject* parent) : QObject(parent) {}

void SkinnedButtons::addToolbarMember(int index, ImageButton* button, const QPixmap& lit) {
    m_toolbar.insert(index, {button, lit});
    connect(button, &ImageButton::mouseMoved, this, [this, index] { toolbarMouseMove(index); });
    connect(button, &ImageButton::mousePressed, this, &SkinnedButtons::toolbarMouseDown);
    connect(button, &ImageButton::clicked, this, [this, index] { toolbarClick(index); });
}

void SkinnedButtons::setConvertButton(ImageButton* button, const QPixmap& lit) {
    m_convert = {button, lit};
    connect(button, &ImageButton::mouseMoved, this, &SkinnedButtons::convertMouseMove);
    connect(button, &ImageButton::mousePressed, this, &SkinnedButtons::convertMouseDown);
    connect(button, &ImageButton::clicked, this, &SkinnedButtons::convertClick);
}

void SkinnedButtons::restToolbar() {
    for (const Entry& entry : std::as_const(m_toolbar))
        if (entry.button)
            entry.button->clearPicture();
}

void SkinnedButtons::restConvert() {
    if (m_convert.button)
        m_convert.button->clearPicture();
}

void SkinnedButtons::toolbarMouseMove(int index) {
    restToolbar();
    const auto it = m_toolbar.constFind(index);
    if (it != m_toolbar.constEnd() && it->button)
        it->button->setPicture(it->lit);
}

void SkinnedButtons::toolbarMouseDown() {
    restToolbar();
}

void SkinnedButtons::toolbarClick(int index) {
    if (toolbar::IsMember(index))
        Q_EMIT toolbarActivated(index);
}

void SkinnedButtons::convertMouseMove() {
    if (m_convert.button)
        m_convert.button->setPicture(m_convert.lit);
}

void SkinnedButtons::convertMouseDown() {
    restConvert();
}

void SkinnedButtons::convertClick() {
    Q_EMIT convertActivated();
}

void SkinnedButtons::backgroundMouseMove() {
    restToolbar();
    restConvert();
}

} // namespace vantorel
