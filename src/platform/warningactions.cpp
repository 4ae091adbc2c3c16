#include "platform/warningactions.h"

#include <QVersionNumber>

QStringList warningActions(const QString &server, const QString &vendor, const QString &version, bool wayland)
{
    const bool gnomeShell = server == u"gnome-shell";
    // GNOME Shell brings the sender's window forward itself on a click where
    // no "default" is offered, on X11 and Wayland alike; xfce4-notifyd only
    // closes on a click, and would draw "default" as a second button.
    const bool offerDefault = !gnomeShell && vendor != u"Xfce";
    // The servers known to send a token before an action: Plasma, and GNOME
    // Shell from 46 on.
    const bool tokens = server == u"Plasma" || (gnomeShell && QVersionNumber::fromString(version).majorVersion() >= 46);
    const QString open = QStringLiteral("開く");
    QStringList actions;
    if (!wayland || tokens) {
        if (offerDefault)
            actions << QStringLiteral("default") << open;
        actions << QStringLiteral("open") << open;
    }
    return actions << QStringLiteral("cancel") << QStringLiteral("解除");
}
