#pragma once

#include <QString>

// Positions in the conversation count whole characters: a surrogate pair
// is one character, as the user sees it.

// Index one past the character that starts at index.
qsizetype characterEnd(const QString &text, qsizetype index);
// count characters from position first (counted from 1); shorter, or
// empty, where the text ends first.
QString characterSlice(const QString &text, qsizetype first, qsizetype count);
