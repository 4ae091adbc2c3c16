#pragma once

#include <QStringList>

// The actions of the alarm's warning, key and label by turns, as the
// notification server can carry them out; server, vendor and version are
// its answer to GetServerInformation. "default" is a click on the banner,
// "open" and "cancel" its buttons. Only what works is offered: on Wayland
// a window comes forward only with the server's activation token.
QStringList warningActions(const QString &server, const QString &vendor, const QString &version, bool wayland);
