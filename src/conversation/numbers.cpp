#include "conversation/numbers.h"

#include "conversation/characters.h"

#include <cmath>
#include <limits>

namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double TextValue(const QString &text, bool *hasDigits)
{
    QString kept;
    for (const QChar c : text) {
        if (!isSkipped(c))
            kept.append(c);
    }

    qsizetype i = 0;
    double sign = 1.0;
    if (i < kept.size() && (kept.at(i) == u'+' || kept.at(i) == u'-')) {
        sign = kept.at(i) == u'-' ? -1.0 : 1.0;
        ++i;
    }
    double value = 0.0;
    bool digits = false;
    for (; i < kept.size() && isDigit(kept.at(i)); ++i, digits = true)
        value = value * 10.0 + (kept.at(i).unicode() - u'0');
    if (i < kept.size() && kept.at(i) == u'.') {
        double scale = 0.1;
        for (++i; i < kept.size() && isDigit(kept.at(i)); ++i, scale /= 10.0, digits = true)
            value += (kept.at(i).unicode() - u'0') * scale;
    }
    if (hasDigits)
        *hasDigits = digits;
    return sign * value;
}

qint16 RoundInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    constexpr double lowest = std::numeric_limits<qint16>::min();
    constexpr double highest = std::numeric_limits<qint16>::max();
    if (rounded <= lowest)
        return std::numeric_limits<qint16>::min();
    if (rounded >= highest)
        return std::numeric_limits<qint16>::max();
    return static_cast<qint16>(rounded);
}

HourMinute readHourMinute(const QString &text)
{
    const auto pieceValue = [&text](qsizetype first, qsizetype count) {
        return RoundInt(TextValue(characterSlice(text, first, count)));
    };
    if (characterSlice(text, 2, 1) == u":")
        return {true, pieceValue(1, 1), pieceValue(3, 2)};
    return {false, pieceValue(1, 2), pieceValue(4, 2)};
}

QString NumberText(qint16 number)
{
    return number < 0 ? QString::number(number) : u' ' + QString::number(number);
}
