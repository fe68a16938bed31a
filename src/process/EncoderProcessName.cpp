#include "process/EncoderProcessName.h"

namespace vantorel {

QString& EncoderProcessName() {
    static QString name = QStringLiteral("conv.exe");
    return name;
}

} // namespace vantorel
