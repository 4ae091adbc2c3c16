#include "platform/poweroff.h"

#include "platform/dbuscalls.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <memory>
#include <vector>

// The desktop's session manager is asked first: like the desktop's own Power
// Off, it asks every application before the session ends, and one with
// unsaved work may hold it. logind, last, ends the session at once.

namespace {

// Long enough for a person to answer a password prompt from polkit, or an
// application's question about unsaved work.
constexpr int callTimeoutMs = 2 * 60 * 1000;

// One way to ask for the power-off.
class PowerOffWay
{
public:
    virtual ~PowerOffWay() = default;
    // Whether the one who would answer is running.
    virtual bool present() const = 0;
    virtual QDBusPendingCall send() const = 0;
};

using PowerOffWays = std::vector<std::unique_ptr<PowerOffWay>>;

// A session manager on the session bus, there while its bus name has an
// owner. That name may differ from the one called: KDE's shutdown service
// is started by the bus on demand, so only the running session manager
// tells that this is a Plasma session.
class SessionManager final : public PowerOffWay
{
public:
    SessionManager(const QDBusConnection &bus, const QString &owner, const QString &service, const QString &path,
                   const QString &interface, const QString &method, const QVariantList &arguments = {})
        : bus(bus)
        , owner(owner)
        , call(QDBusMessage::createMethodCall(service, path, interface, method))
    {
        call.setArguments(arguments);
    }

    bool present() const override { return hasOwner(bus, owner); }
    QDBusPendingCall send() const override { return askOn(bus, call, callTimeoutMs); }

private:
    QDBusConnection bus;
    QString owner;
    QDBusMessage call;
};

// logind on the system bus: always tried, as the last way.
class Logind final : public PowerOffWay
{
public:
    explicit Logind(const QDBusConnection &bus) : bus(bus) {}
    bool present() const override { return true; }
    QDBusPendingCall send() const override
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
        const bool interactive = true; // lets polkit ask where its policy wants to
        call << interactive;
        call.setInteractiveAuthorizationAllowed(interactive);
        return askOn(bus, call, callTimeoutMs);
    }

private:
    QDBusConnection bus;
};

PowerOffWays powerOffWays(const QDBusConnection &session, const QDBusConnection &system)
{
    const QString gnome = QStringLiteral("org.gnome.SessionManager");
    const QString gnomePath = QStringLiteral("/org/gnome/SessionManager");
    const QString kde = QStringLiteral("org.kde.Shutdown");
    const QString xfce = QStringLiteral("org.xfce.SessionManager");
    const QString xfceInterface = QStringLiteral("org.xfce.Session.Manager");
    const QString shutdown = QStringLiteral("Shutdown");
    const bool allowSave = true;
    PowerOffWays ways;
    // Powers off without a dialog where the interface has it (MATE, older
    // GNOME); GNOME itself only opens its Power Off dialog, which powers off
    // after its countdown unless an application holds the session.
    ways.push_back(std::make_unique<SessionManager>(session, gnome, gnome, gnomePath, gnome,
                                                    QStringLiteral("RequestShutdown")));
    ways.push_back(std::make_unique<SessionManager>(session, gnome, gnome, gnomePath, gnome, shutdown));
    ways.push_back(std::make_unique<SessionManager>(session, QStringLiteral("org.kde.ksmserver"), kde,
                                                    QStringLiteral("/Shutdown"), kde,
                                                    QStringLiteral("logoutAndShutdown")));
    ways.push_back(std::make_unique<SessionManager>(session, xfce, xfce, QStringLiteral("/org/xfce/SessionManager"),
                                                    xfceInterface, shutdown, QVariantList{allowSave}));
    ways.push_back(std::make_unique<Logind>(system));
    return ways;
}

// The errors that mean "not here", not "no".
bool wayMissing(const QDBusError &error)
{
    const QString name = error.name();
    for (const char *missing :
         {"ServiceUnknown", "NameHasNoOwner", "UnknownObject", "UnknownInterface", "UnknownMethod"}) {
        if (name == QStringLiteral("org.freedesktop.DBus.Error.") + QLatin1String(missing))
            return true;
    }
    return false;
}

void tryFrom(std::shared_ptr<const PowerOffWays> ways, std::size_t first, QObject &context, PowerOffDone done)
{
    std::size_t way = first;
    while (!(*ways)[way]->present())
        ++way; // the last way is always present
    onAnswer((*ways)[way]->send(), context,
             [ways, way, &context, done = std::move(done)](QDBusPendingCallWatcher &finished) {
                 const QDBusPendingReply<> reply = finished;
                 if (!reply.isError()) {
                     done(true, QString());
                     return;
                 }
                 const QDBusError error = reply.error();
                 if (wayMissing(error) && way + 1 < ways->size())
                     tryFrom(ways, way + 1, context, done);
                 else
                     done(false, dbusErrorText(error));
             });
}

} // namespace

void requestPowerOffOver(const QDBusConnection &session, const QDBusConnection &system, QObject &context,
                         PowerOffDone done)
{
    tryFrom(std::make_shared<const PowerOffWays>(powerOffWays(session, system)), 0, context, std::move(done));
}

void requestSystemPowerOff(QObject &context, PowerOffDone done)
{
    requestPowerOffOver(QDBusConnection::sessionBus(), QDBusConnection::systemBus(), context, std::move(done));
}
