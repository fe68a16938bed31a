#include "SkinPictures.h"

namespace vantorel::skin {

QString mainFacePath() {
    return QStringLiteral(":/skin/main.png");
}
QString optionsFacePath() {
    return QStringLiteral(":/skin/options.png");
}

QString litToolbarPath(int member) {
    const bool isMember = (member >= 0 && member <= 4) || member == 6;
    if (!isMember)
        return {};
    return QStringLiteral(":/skin/lit_toolbar_%1.png").arg(member);
}

QString litConvertPath() {
    return QStringLiteral(":/skin/lit_convert.png");
}
QString progressBarPath() {
    return QStringLiteral(":/skin/progress_bar.png");
}
QString cursorPath() {
    return QStringLiteral(":/skin/cursor.png");
}
QString iconPath() {
    return QStringLiteral(":/skin/icon.png");
}

} // namespace vantorel::skin
