#include "platform/poweroff.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

// Long enough for a person to answer a password prompt from polkit.
constexpr int callTimeoutMs = 2 * 60 * 1000;

} // namespace

void requestSystemPowerOff(QObject &context, PowerOffDone done)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    const bool interactive = true; // lets polkit ask where its policy wants to
    call << interactive;
    call.setInteractiveAuthorizationAllowed(interactive);

    const QDBusPendingCall pending = QDBusConnection::systemBus().asyncCall(call, callTimeoutMs);
    auto *watcher = new QDBusPendingCallWatcher(pending, &context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &context,
                     [done = std::move(done)](QDBusPendingCallWatcher *finished) {
                         const QDBusPendingReply<> reply = *finished;
                         finished->deleteLater();
                         if (reply.isError()) {
                             const QDBusError error = reply.error();
                             done(false, error.message() + QStringLiteral(" (") + error.name() + u')');
                         } else {
                             done(true, QString());
                         }
                     });
}
