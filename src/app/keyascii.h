#pragma once

#include <QtGlobal>

#include <optional>

class QKeyEvent;

// The character code a key press hands to a key-press handler: 13 for
// either Enter key, else the first code unit of the text it types; keys
// that type nothing have none.
std::optional<qint16> keyAscii(const QKeyEvent &event);
