#pragma once

#include <QString>
#include <QtGlobal>

// The numeric value at the start of a text: blanks, tabs and line feeds
// are skipped wherever they stand; then an optional sign, ASCII digits and
// an optional point with more digits. The first other character ends the
// number; no digits at all gives 0.
double TextValue(const QString &text);

// Nearest 16-bit integer, halves to the even neighbour. Values beyond the
// 16-bit range saturate instead of wrapping.
qint16 RoundInt(double value);

// RoundInt of TextValue of count characters from position first (from 1).
qint16 pieceValue(const QString &text, qsizetype first, qsizetype count);

// Decimal digits after one blank, or after "-" for a negative number.
QString NumberText(qint16 number);
