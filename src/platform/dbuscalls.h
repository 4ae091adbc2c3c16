#pragma once

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QString>

// Sends call on bus and returns its answer to come. On a bus that never
// connected, the answer is that bus's error, already there: Qt's own call
// would be an empty one whose watcher never says it has finished, and the
// request would wait for ever without a word.
inline QDBusPendingCall askOn(const QDBusConnection &bus, const QDBusMessage &call, int timeoutMs = -1)
{
    if (bus.isConnected())
        return bus.asyncCall(call, timeoutMs);
    const QDBusError why = bus.lastError();
    return QDBusPendingCall::fromError(
        why.isValid() ? why : QDBusError(QDBusError::Disconnected, QStringLiteral("Not connected to D-Bus")));
}

// Whether name has an owner on bus, that is whoever answers to it runs; a
// bus that cannot be reached has none.
inline bool hasOwner(const QDBusConnection &bus, const QString &name)
{
    const QDBusConnectionInterface *daemon = bus.interface();
    return daemon && daemon->isServiceRegistered(name).value();
}

// Hands the answer to call, when it comes, to handler, unless owner is gone
// by then; the call is owner's child meanwhile.
template<typename Handler>
void onAnswer(const QDBusPendingCall &call, QObject &owner, Handler handler)
{
    auto *watcher = new QDBusPendingCallWatcher(call, &owner);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &owner,
                     [handler = std::move(handler)](QDBusPendingCallWatcher *finished) {
                         finished->deleteLater();
                         handler(*finished);
                     });
}

// A D-Bus error as the user reads it: the service's own words, then the
// error's name.
inline QString dbusErrorText(const QDBusError &error)
{
    return error.message() + QStringLiteral(" (") + error.name() + u')';
}
