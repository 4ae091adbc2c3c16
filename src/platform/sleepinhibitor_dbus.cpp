#include "platform/sleepinhibitor.h"

#include "platform/appidentity.h"
#include "platform/dbuscalls.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

#include <cstdio>
#include <optional>
#include <utility>

namespace {

const QString gnomeSession = QStringLiteral("org.gnome.SessionManager");
const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalRequest = QStringLiteral("org.freedesktop.portal.Request");
// Suspending alone, in the session manager's and the portal's flags: the
// session may still go idle, so that the screen blanks and locks.
constexpr uint suspendFlag = 4;
// A portal that has not given its verdict by then is taken to refuse.
constexpr int portalVerdictMs = 10'000;

// Holds sleep in the first way that takes it, and knows that it is held
// only from the answer: GNOME's and MATE's session manager, where their
// power daemons look (the portal's backend asks it too, but without the
// application id it needs, and answers success all the same); else the
// desktop's portal, whose request handle is not its verdict, which comes
// later as the request's Response; else, or on a refusal, logind's "sleep"
// lock. Told on standard error once when every way refuses.
class DesktopSleepInhibitor final : public QObject, public QDBusContext, public SleepInhibitor
{
    Q_OBJECT

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
        why = reason;
        refusals.clear();
        const quint64 attempt = ++attempts;
        if (hasOwner(session, gnomeSession))
            askSessionManager(attempt);
        else
            askPortal(attempt);
    }

    void release() override
    {
        wanted = false;
        ++attempts;
        if (cookie)
            uninhibit(*std::exchange(cookie, std::nullopt));
        if (!request.isEmpty())
            closeRequest(std::exchange(request, QString()));
        logindLock = QDBusUnixFileDescriptor(); // logind's lock ends with its last descriptor
    }

private Q_SLOTS:
    void portalVerdict(uint response, const QVariantMap &)
    {
        const QString path = message().path();
        stopListening(path);
        const bool awaitedNow = path == awaited && current(awaitedAttempt);
        if (path == awaited)
            awaited.clear();
        if (response == 0 && awaitedNow) {
            request = path;
            return;
        }
        // Refused, or for an inhibition since let go: the request is gone,
        // or is let go now.
        closeRequest(path);
        if (awaitedNow)
            refused(awaitedAttempt, QStringLiteral("portal: response %1").arg(response));
    }

private:
    void askSessionManager(quint64 attempt)
    {
        QDBusMessage call = sessionManagerCall(QStringLiteral("Inhibit"));
        // Refused without an application id; the installed desktop entry's.
        call << QString::fromUtf8(AppIdentity::desktopEntry) << uint(0) << why << suspendFlag;
        onAnswer(askOn(session, call), *this, [this, attempt](QDBusPendingCallWatcher &answer) {
            const QDBusPendingReply<uint> reply = answer;
            if (reply.isError())
                refused(attempt, dbusErrorText(reply.error()));
            else if (current(attempt))
                cookie = reply.value();
            else
                uninhibit(reply.value());
        });
    }

    void askPortal(quint64 attempt)
    {
        // The verdict comes on a path the token names; listened to before
        // asking, so that it cannot come first.
        const QString token = QStringLiteral("pelmora%1").arg(attempt);
        awaited = QStringLiteral("/org/freedesktop/portal/desktop/request/")
                  + session.baseService().mid(1).replace(u'.', u'_') + u'/' + token;
        awaitedAttempt = attempt;
        session.connect(portalService, awaited, portalRequest, QStringLiteral("Response"), this,
                        SLOT(portalVerdict(uint, QVariantMap)));
        QDBusMessage call = QDBusMessage::createMethodCall(
            portalService, QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
        call << QString() << suspendFlag
             << QVariantMap{{QStringLiteral("reason"), why}, {QStringLiteral("handle_token"), token}};
        onAnswer(askOn(session, call), *this, [this, attempt](QDBusPendingCallWatcher &answer) {
            const QDBusPendingReply<QDBusObjectPath> reply = answer;
            if (reply.isError())
                noVerdict(attempt, dbusErrorText(reply.error()));
        });
        QTimer::singleShot(portalVerdictMs, this,
                           [this, attempt] { noVerdict(attempt, QStringLiteral("portal: no response")); });
    }

    void noVerdict(quint64 attempt, const QString &reason)
    {
        if (awaitedAttempt != attempt || awaited.isEmpty())
            return;
        stopListening(std::exchange(awaited, QString()));
        refused(attempt, reason);
    }

    void askLogind(quint64 attempt)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
        // The desktop's power manager suspends by asking logind to sleep,
        // which "sleep" blocks; "idle" would also keep the screen from locking.
        call << QStringLiteral("sleep") << QString::fromUtf8(AppIdentity::title) << why << QStringLiteral("block");
        onAnswer(askOn(system, call), *this, [this, attempt](QDBusPendingCallWatcher &answer) {
            const QDBusPendingReply<QDBusUnixFileDescriptor> reply = answer;
            if (reply.isError()) {
                refused(attempt, dbusErrorText(reply.error()), true);
            } else if (current(attempt)) {
                logindLock = reply.value();
            } // else the descriptor closes with the reply, and the lock with it
        });
    }

    // A way refused: logind is asked next, unless it was the last way or
    // the inhibition was let go.
    void refused(quint64 attempt, const QString &refusal, bool lastWay = false)
    {
        if (!current(attempt))
            return;
        refusals << refusal;
        if (!lastWay) {
            askLogind(attempt);
            return;
        }
        // Not the user's concern: the alarm stays armed all the same.
        const QString report = QStringLiteral("スリープを止められませんでした。\n") + refusals.join(u'\n');
        std::fprintf(stderr, "%s\n", report.toLocal8Bit().constData());
    }

    void uninhibit(uint held)
    {
        QDBusMessage call = sessionManagerCall(QStringLiteral("Uninhibit"));
        call << held;
        session.send(call);
    }

    static QDBusMessage sessionManagerCall(const QString &method)
    {
        return QDBusMessage::createMethodCall(gnomeSession, QStringLiteral("/org/gnome/SessionManager"), gnomeSession,
                                              method);
    }

    // The verdict on that request is no longer listened for.
    void stopListening(const QString &path)
    {
        session.disconnect(portalService, path, portalRequest, QStringLiteral("Response"), this,
                           SLOT(portalVerdict(uint, QVariantMap)));
    }

    void closeRequest(const QString &path)
    {
        session.send(QDBusMessage::createMethodCall(portalService, path, portalRequest, QStringLiteral("Close")));
    }

    // An answer to an inhibition released or taken anew since is let go at once.
    bool current(quint64 attempt) const { return wanted && attempt == attempts; }

    QDBusConnection session;
    QDBusConnection system;
    bool wanted = false;
    quint64 attempts = 0; // of inhibit and release; only the latest inhibit's answers count
    QStringList refusals; // of this attempt, said when the last way refuses too
    QString why; // the reason given to the desktop
    QString awaited; // the portal request whose verdict is awaited
    quint64 awaitedAttempt = 0;
    // What is held: at most one of them.
    std::optional<uint> cookie; // the session manager's
    QString request;            // the portal's
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

#include "sleepinhibitor_dbus.moc"
