#include "platform/sleepinhibitor.h"

#include "platform/appidentity.h"
#include "platform/dbuscalls.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QString>
#include <QVariantMap>

#include <cstdio>
#include <utility>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");

// Asks the desktop through its portal, which also names the program and the
// reason to the user; where no portal answers, logind directly.
class DesktopSleepInhibitor final : public SleepInhibitor
{
public:
    DesktopSleepInhibitor(const QDBusConnection &session, const QDBusConnection &system)
        : session(session), system(system)
    {
    }
    ~DesktopSleepInhibitor() override { release(); }

    void inhibit(const QString &reason) override
    {
        if (wanted)
            return;
        wanted = true;
        const quint64 attempt = ++attempts;
        QDBusMessage call = QDBusMessage::createMethodCall(
            portalService, QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
        // Suspending only: the session may still go idle, so that the screen
        // blanks and locks as it would otherwise.
        const uint suspend = 4;
        call << QString() << suspend << QVariantMap{{QStringLiteral("reason"), reason}};
        const QDBusPendingCall pending = askOn(session, call);
        onAnswer(pending, [this, attempt, reason](QDBusPendingCallWatcher &answer) {
            const QDBusPendingReply<QDBusObjectPath> reply = answer;
            if (reply.isError())
                inhibitByLogind(attempt, reason, reply.error());
            else if (current(attempt))
                portalRequest = reply.value().path();
            else
                closePortalRequest(reply.value().path());
        });
    }

    void release() override
    {
        wanted = false;
        if (!portalRequest.isEmpty())
            closePortalRequest(std::exchange(portalRequest, QString()));
        logindLock = QDBusUnixFileDescriptor(); // logind's lock ends with its last descriptor
    }

private:
    void inhibitByLogind(quint64 attempt, const QString &reason, const QDBusError &portalError)
    {
        if (!current(attempt))
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
        // The desktop's power manager suspends by asking logind to sleep,
        // which "sleep" blocks; "idle" would also keep the screen from locking.
        call << QStringLiteral("sleep") << QString::fromUtf8(AppIdentity::title) << reason
             << QStringLiteral("block");
        const QDBusPendingCall pending = askOn(system, call);
        onAnswer(pending, [this, attempt, portalError](QDBusPendingCallWatcher &answer) {
            const QDBusPendingReply<QDBusUnixFileDescriptor> reply = answer;
            if (reply.isError()) {
                // Not the user's concern: the alarm stays armed all the same.
                const QString report = QStringLiteral("スリープを止められませんでした。\n") + dbusErrorText(portalError)
                                       + u'\n' + dbusErrorText(reply.error());
                std::fprintf(stderr, "%s\n", report.toLocal8Bit().constData());
            } else if (current(attempt)) {
                logindLock = reply.value();
            } // else the descriptor closes with the reply, and the lock with it
        });
    }

    void closePortalRequest(const QString &request)
    {
        session.send(QDBusMessage::createMethodCall(
            portalService, request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close")));
    }

    // An answer to an inhibition released or taken anew since is let go at once.
    bool current(quint64 attempt) const { return wanted && attempt == attempts; }

    template<typename Handler>
    void onAnswer(const QDBusPendingCall &call, Handler handler)
    {
        auto *watcher = new QDBusPendingCallWatcher(call, &answers);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &answers,
                         [handler = std::move(handler)](QDBusPendingCallWatcher *finished) {
                             finished->deleteLater();
                             handler(*finished);
                         });
    }

    QDBusConnection session;
    QDBusConnection system;
    QObject answers; // owns the calls still open; they go with the inhibitor
    bool wanted = false;
    quint64 attempts = 0;
    QString portalRequest;
    QDBusUnixFileDescriptor logindLock;
};

} // namespace

std::unique_ptr<SleepInhibitor> sleepInhibitorOver(const QDBusConnection &session, const QDBusConnection &system)
{
    return std::make_unique<DesktopSleepInhibitor>(session, system);
}

std::unique_ptr<SleepInhibitor> platformSleepInhibitor()
{
    return sleepInhibitorOver(QDBusConnection::sessionBus(), QDBusConnection::systemBus());
}
