#pragma once

#include <QDBusError>
#include <QString>

// A D-Bus error as the user reads it: the service's own words, then the
// error's name.
inline QString dbusErrorText(const QDBusError &error)
{
    return error.message() + QStringLiteral(" (") + error.name() + u')';
}
