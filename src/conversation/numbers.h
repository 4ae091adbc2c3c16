#pragma once

#include <QString>
#include <QtGlobal>

// The numeric value at the start of a text: blanks, tabs and line feeds
// are skipped wherever they stand; then an optional sign, ASCII digits and
// an optional point with more digits. The first other character ends the
// number; no digits at all gives 0. hasDigits, when given, tells whether
// any digit was read.
double TextValue(const QString &text, bool *hasDigits = nullptr);

// Nearest 16-bit integer, halves to the even neighbour. Values beyond the
// 16-bit range saturate instead of wrapping.
qint16 RoundInt(double value);

// Hour and minute at the start of a time text, as "9:30" (character 2 a
// colon: the hour is character 1, the minute characters 3 and 4) or as
// "21:30" (the hour characters 1 and 2, the minute 4 and 5; character 3 is
// not looked at).
struct HourMinute
{
    bool oneDigitHour;
    qint16 hour;
    qint16 minute;
};
HourMinute readHourMinute(const QString &text);

// Decimal digits after one blank, or after "-" for a negative number.
QString NumberText(qint16 number);
