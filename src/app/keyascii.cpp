#include "app/keyascii.h"

#include <QKeyEvent>

std::optional<qint16> keyAscii(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return qint16(13);
    if (event.text().isEmpty())
        return std::nullopt;
    return static_cast<qint16>(event.text().at(0).unicode());
}
