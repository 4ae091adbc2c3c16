#include "platform/windowactivation.h"

#include "platform/x11activation.h"

#include <QGuiApplication>
#include <QWindow>

void activateOnUsersRequest(QWindow &window, const QString &activationToken)
{
    // The offscreen platform answers for X11 too, but without a connection.
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection()) {
        if (requestX11Activation(x11->connection(), quint32(window.winId())))
            return;
    } else if (QGuiApplication::platformName().startsWith(u"wayland") && !activationToken.isEmpty()) {
        // Qt's Wayland client activates with this token, once, when it is set.
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
        window.requestActivate();
        // Not left for a later request where the compositor did not take it.
        qunsetenv("XDG_ACTIVATION_TOKEN");
        return;
    }
    window.requestActivate();
}
