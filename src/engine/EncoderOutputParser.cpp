#include "engine/EncoderOutputParser.h"

#include "platform/NumberText.h"

#include <QStringList>
#include <cmath>

namespace vantorel {
namespace {

// The significant digits of |value| without trailing zeros, and the power of ten of the first.
struct Digits {
    QString digits;
    int exponent = 0;
};

Digits significantDigits(double value, int count) {
    // "d.ddde±x": the mantissa already rounded to `count` digits.
    const QString text = QString::number(std::fabs(value), 'e', count - 1);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    Digits result;
    result.digits = text.left(e);
    result.digits.remove(QLatin1Char('.'));
    result.exponent = text.mid(e + 1).toInt();
    while (result.digits.size() > 1 && result.digits.endsWith(QLatin1Char('0')))
        result.digits.chop(1);
    return result;
}

// Plain decimal with at most 15 significant digits: never an exponent, never trailing zeros.
QString plainDecimal(double value) {
    if (value == 0.0 || !std::isfinite(value))
        return value == 0.0 ? QStringLiteral("0") : QString::number(value);
    const Digits d = significantDigits(value, 15);
    QString text;
    if (d.exponent < 0) {
        text = QStringLiteral("0.") + QString(-d.exponent - 1, QLatin1Char('0')) + d.digits;
    } else {
        const qsizetype wholeDigits = d.exponent + 1;
        if (d.digits.size() <= wholeDigits)
            text = d.digits + QString(wholeDigits - d.digits.size(), QLatin1Char('0'));
        else
            text = d.digits.left(wholeDigits) + QLatin1Char('.') + d.digits.mid(wholeDigits);
    }
    return value < 0 ? QLatin1Char('-') + text : text;
}

std::optional<double> fieldValue(QString field) {
    field = field.trimmed();
    if (field.endsWith(QLatin1Char(',')))
        field.chop(1);
    return StrictNumber(field);
}

} // namespace

QString DurationMarker() {
    return QStringLiteral("Duration: ");
}

QString TimeMarker() {
    return QStringLiteral("time=");
}

MarkerToken CollectToken(const QString& chunk, const QString& marker, const ScanStep& step) {
    MarkerToken token;
    const qsizetype last = chunk.size() - marker.size(); // positions 0 .. last-1
    for (qsizetype at = 0; at < last; ++at) {
        if (QStringView(chunk).sliced(at, marker.size()) == marker) {
            token.found = true;
            for (qsizetype i = at + marker.size(); i < chunk.size() && chunk[i] != QLatin1Char(' ');
                 ++i) {
                token.text.append(chunk[i]);
                if (step)
                    step();
            }
        }
        if (step)
            step();
    }
    return token;
}

std::optional<qint32> TimeValue(const QString& token) {
    const QStringList fields = token.split(QLatin1Char(':'));
    if (fields.size() < 3)
        return std::nullopt;
    const auto hours = fieldValue(fields[0]);
    const auto minutes = fieldValue(fields[1]);
    const auto seconds = fieldValue(fields[2]);
    if (!hours || !minutes || !seconds)
        return std::nullopt;
    return RoundToInt32(*hours * 3600.0 + *minutes * 60.0 + *seconds);
}

QString PercentText(double percent) {
    return plainDecimal(percent).left(4) + QLatin1Char('%');
}

double BusyStep(double width) {
    if (width >= 5315.0)
        width = 1.0;
    return width + 100.0;
}

} // namespace vantorel
