#pragma once

#include <QFont>
#include <QString>

namespace vantorel {

// The windows were drawn for Tahoma; where it is missing a close sans-serif stands in, so the
// texts keep their size and weight over the skin.
QFont SkinFont(double points, bool bold = false);

// A caption in label-mnemonic notation as it shows on screen: "&&" is one "&", a single "&"
// only marks a mnemonic and is not shown.
QString ShownCaption(const QString& caption);

} // namespace vantorel
