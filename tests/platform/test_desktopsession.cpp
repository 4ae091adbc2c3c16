#include "platform/notifier.h"
#include "platform/poweroff.h"
#include "platform/sleepinhibitor.h"
#include "platform/warningactions.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <map>
#include <optional>

namespace {

// The buses are the private ones that with-private-buses.sh starts: two
// of them, and both of the program's buses see a name only those have.
// Otherwise stop before anything is sent.
void checkPrivateBuses()
{
    if (qgetenv("DBUS_SESSION_BUS_ADDRESS") == qgetenv("DBUS_SYSTEM_BUS_ADDRESS"))
        qFatal("the session and system buses are one; refusing to go on");
    const QString marker = QStringLiteral("org.pelmora.PrivateBus%1").arg(QCoreApplication::applicationPid());
    const std::pair<const char *, QDBusConnection> buses[] = {
        {"DBUS_SESSION_BUS_ADDRESS", QDBusConnection::sessionBus()}, {"DBUS_SYSTEM_BUS_ADDRESS", QDBusConnection::systemBus()}};
    for (const auto &[variable, program] : buses) {
        QDBusConnection own = QDBusConnection::connectToBus(qEnvironmentVariable(variable), variable);
        own.registerService(marker);
        if (!program.interface() || !program.interface()->isServiceRegistered(marker))
            qFatal("%s is not the test's private bus; refusing to go on", qPrintable(program.name()));
        QDBusConnection::disconnectFromBus(own.name());
    }
}

// A desktop service mocked by python3-dbusmock on one of those buses, from
// its main interface or from one of dbusmock's templates. Every call it
// answers is logged, and read back as "mock: Method arguments".
class Mock
{
public:
    Mock(const QString &mockName, bool onSystemBus, const QString &name, const QString &path, const QString &interface,
         const QString &fromTemplate = {})
        : mockName(mockName)
        , bus(onSystemBus ? QDBusConnection::systemBus() : QDBusConnection::sessionBus())
        , name(name)
        , path(path)
    {
        log.open();
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Debian's own interpreter, which has the dbus and dbusmock modules.
        process.start(QStringLiteral("/usr/bin/python3"),
                      QStringList{"-m", "dbusmock", onSystemBus ? "--system" : "--session", "-l", log.fileName()}
                          + (fromTemplate.isEmpty() ? QStringList{name, path, interface} : QStringList{"-t", fromTemplate}));
        if (!process.waitForStarted()
            || !QTest::qWaitFor([this] { return bus.interface()->isServiceRegistered(this->name).value(); }, 30'000))
            qFatal("cannot start the mock %s (package python3-dbusmock)", qPrintable(name));
    }
    // Gone from the bus too, so that the next mock of the service is not
    // mistaken for this one while the bus still has it.
    ~Mock()
    {
        process.terminate();
        process.waitForFinished();
        if (!QTest::qWaitFor([this] { return !bus.interface()->isServiceRegistered(name).value(); }, 30'000))
            qFatal("the mock %s stays on the bus", qPrintable(name));
    }

    QDBusMessage call(const QString &interface, const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(name, path, interface, method);
        call.setArguments(arguments);
        return bus.call(call);
    }
    // Python code answers: its "ret" is returned, what it raises is the error.
    bool addMethod(const QString &interface, const QString &method, const QString &in, const QString &out,
                   const QString &code)
    {
        return call("org.freedesktop.DBus.Mock", "AddMethod", {interface, method, in, out, code}).type()
               == QDBusMessage::ReplyMessage;
    }

    // The calls answered so far, the mock's own errors and signals left out.
    QStringList calls()
    {
        QFile file(log.fileName());
        QStringList lines;
        if (!file.open(QIODevice::ReadOnly))
            return lines;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            if (!line.contains(QLatin1String(" raised: ")) && !line.contains(QLatin1String(" emit /")))
                lines << mockName + u':' + line.mid(line.indexOf(u' ')); // after the time stamp
        }
        return lines;
    }

    // Every answer the mock sent before now has reached the program and been
    // handled: the answer to a ping comes after them.
    void settle()
    {
        QDBusPendingCallWatcher ping(
            bus.asyncCall(QDBusMessage::createMethodCall(name, "/", "org.freedesktop.DBus.Peer", "Ping")));
        QVERIFY(QSignalSpy(&ping, &QDBusPendingCallWatcher::finished).wait());
    }

private:
    QString mockName;
    QDBusConnection bus;
    QString name, path;
    QTemporaryFile log;
    QProcess process;
};

const QString logind = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString reason = QStringLiteral("21時30分にシャットダウンするタイマーがセットされています。");

// The ways to power off: bus name, path, interface, then the methods and
// their arguments' signature.
const std::map<QString, QStringList> services{
    {"gnome", {"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
               "RequestShutdown", "Shutdown"}},
    {"ksmserver", {"org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface"}},
    {"kde", {"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logoutAndShutdown"}},
    {"xfce", {"org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager", "Shutdown b"}},
    {"logind", {logind, logindPath, "org.freedesktop.login1.Manager", "PowerOff b"}},
};

// A bus that cannot be reached, met for the first time: nobody listens there.
QDBusConnection unreachableBus()
{
    static int made = 0;
    return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/pelmora"),
                                         QStringLiteral("unreachable%1").arg(++made));
}

// The sleep locks logind's template holds, one while its descriptor is
// open; the mock counts them once it has been given the method.
const QString countLocks = QStringLiteral("ret = len(globals().get('inhibitors', []))");
int locks(Mock &logindMock)
{
    return logindMock.call("org.pelmora.Test", "Locks").arguments().value(0).toInt();
}

// What the program writes to standard error while this lives.
struct StandardError
{
    StandardError() { file.open(), dup2(file.handle(), STDERR_FILENO); }
    ~StandardError() { dup2(saved, STDERR_FILENO), close(saved); }
    QString text()
    {
        std::fflush(stderr);
        return file.seek(0) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }
    QTemporaryFile file;
    int saved = dup(STDERR_FILENO);
};

const QString notifications = QStringLiteral("org.freedesktop.Notifications");
// A mock's method that refuses.
const QString accessDenied =
    QStringLiteral("raise dbus.exceptions.DBusException('no', name='org.freedesktop.DBus.Error.AccessDenied')");

} // namespace

class TestDesktopSession : public QObject
{
    Q_OBJECT

Q_SIGNALS:
    void daemonBusy();

private Q_SLOTS:
    void initTestCase() { checkPrivateBuses(); }

    // A way that is not there, or whose bus cannot be reached, passes to the
    // next; any other error is the answer, in the system's words and name.
    void powerOff_data()
    {
        QTest::addColumn<QStringList>("running"); // "-session", "-system": that bus cannot be reached
        QTest::addColumn<QStringList>("refusal"); // the call refused, and the error
        QTest::addColumn<QStringList>("asked");   // and the answer
        using L = QStringList;
        const QString ok = "accepted", gnomeAsked = "gnome: RequestShutdown", xfceAsked = "xfce: Shutdown True";
        const QString logindAsked = "logind: PowerOff True", unknown = "org.freedesktop.DBus.Error.UnknownMethod";
        const QString denied = QStringLiteral("org.freedesktop.DBus.Error.AccessDenied");
        QTest::newRow("gnome first") << L{"gnome", "ksmserver", "kde", "xfce", "logind"} << L() << L{gnomeAsked, ok};
        QTest::newRow("gnome's own dialog") << L{"gnome"} << L{gnomeAsked, unknown}
                                            << L{gnomeAsked, "gnome: Shutdown", ok};
        QTest::newRow("kde") << L{"ksmserver", "kde", "logind"} << L() << L{"kde: logoutAndShutdown", ok};
        QTest::newRow("kde's service unknown") << L{"ksmserver", "xfce", "logind"} << L() << L{xfceAsked, ok};
        QTest::newRow("no plasma session") << L{"kde", "logind"} << L() << L{logindAsked, ok};
        QTest::newRow("xfce without it") << L{"xfce", "logind"} << L{xfceAsked, unknown}
                                         << L{xfceAsked, logindAsked, ok};
        QTest::newRow("xfce without its interface")
            << L{"xfce", "logind"} << L{xfceAsked, "org.freedesktop.DBus.Error.UnknownInterface"}
            << L{xfceAsked, logindAsked, ok};
        QTest::newRow("gnome denies") << L{"gnome", "xfce", "logind"} << L{gnomeAsked, denied}
                                      << L{gnomeAsked, "refused (" + denied + ')'};
        QTest::newRow("logind denies") << L{"logind"} << L{logindAsked, denied}
                                       << L{logindAsked, "refused (" + denied + ')'};
        QTest::newRow("no session bus") << L{"-session", "logind"} << L() << L{logindAsked, ok};
        QTest::newRow("no system bus") << L{"-system", "logind"} << L()
                                       << L{"Failed to connect to socket /nonexistent/pelmora: "
                                            + QString::fromLocal8Bit(std::strerror(ENOENT))
                                            + " (org.freedesktop.DBus.Error.FileNotFound)"};
        QTest::newRow("nobody") << L() << L()
                                << L{"The name org.freedesktop.login1 was not provided by any .service files "
                                     "(org.freedesktop.DBus.Error.ServiceUnknown)"};
    }
    void powerOff()
    {
        QFETCH(QStringList, running);
        QFETCH(QStringList, refusal);
        QFETCH(QStringList, asked);
        std::vector<std::unique_ptr<Mock>> mocks;
        for (const QString &way : running) {
            if (way.startsWith(u'-'))
                continue;
            const QStringList &service = services.at(way);
            mocks.push_back(std::make_unique<Mock>(way, way == u"logind", service[0], service[1], service[2]));
            for (const QString &method : service.mid(3)) {
                const QString name = method.section(u' ', 0, 0);
                const bool refused = refusal.value(0).section(u' ', 0, 1) == way + ": " + name;
                QVERIFY(mocks.back()->addMethod(
                    service[2], name, method.section(u' ', 1), "",
                    refused ? "raise dbus.exceptions.DBusException('refused', name='" + refusal[1] + "')" : ""));
            }
        }
        QStringList answer;
        QObject context;
        const PowerOffDone record = [&answer](bool accepted, const QString &why) {
            answer << (accepted ? QStringLiteral("accepted") : why);
        };
        if (running.contains("-session") || running.contains("-system"))
            requestPowerOffOver(running.contains("-session") ? unreachableBus() : QDBusConnection::sessionBus(),
                                running.contains("-system") ? unreachableBus() : QDBusConnection::systemBus(), context,
                                record);
        else
            requestSystemPowerOff(context, record); // the program's own buses
        const auto calls = [&mocks, &answer] {
            QStringList all;
            for (const auto &mock : mocks)
                all << mock->calls();
            return all + answer;
        };
        QTRY_COMPARE(calls(), asked);
        for (const auto &mock : mocks)
            mock->settle();
        QCOMPARE(calls(), asked); // and nothing after
    }

    // The real inhibitor holds sleep alone (flag 4, logind's "sleep"), never idling, and only
    // where the answer says so: GNOME's session manager under the program's own id; else the
    // portal once its request's Response is 0; else, or on a refusal, logind, which holds its
    // lock while the program keeps the descriptor. Every way let go again; a refusal of all, told.
    void inhibitor_data()
    {
        QTest::addColumn<QString>("gnome");   // none, holding or refusing
        QTest::addColumn<QString>("portal");  // holding, refusing (Response 2), missing, or on a bus that cannot be reached
        QTest::addColumn<bool>("logindHolds");
        QTest::addColumn<bool>("answeredFirst"); // before the release
        QTest::addColumn<QStringList>("held");     // the calls by then
        QTest::addColumn<QStringList>("released"); // and those of the release
        using L = QStringList;
        QTest::newRow("gnome session") << "holding" << "holding" << true << true << L{"gnome"} << L{"uninhibit"};
        QTest::newRow("gnome refuses: logind") << "refusing" << "holding" << true << true << L{"gnome", "logind"} << L();
        QTest::newRow("portal") << "none" << "holding" << true << true << L{"portal"} << L{"close"};
        QTest::newRow("portal answers after the release") << "none" << "holding" << true << false << L{"portal"} << L{"close"};
        QTest::newRow("portal refuses: logind") << "none" << "refusing" << true << true << L{"portal", "close", "logind"} << L();
        QTest::newRow("no portal: logind") << "none" << "missing" << true << true << L{"logind"} << L();
        QTest::newRow("no session bus: logind") << "none" << "unreachable" << true << true << L{"logind"} << L();
        QTest::newRow("nothing holds") << "none" << "missing" << false << true << L{"logind"} << L();
    }
    void inhibitor()
    {
        QFETCH(QString, gnome);
        QFETCH(QString, portal);
        QFETCH(bool, logindHolds);
        QFETCH(bool, answeredFirst);
        QFETCH(QStringList, held);
        QFETCH(QStringList, released);
        Mock logindMock("logind", true, logind, logindPath, QString(), "logind");
        QVERIFY(logindMock.addMethod("org.pelmora.Test", "Locks", "", "u", countLocks));
        if (!logindHolds)
            QVERIFY(logindMock.addMethod("org.freedesktop.login1.Manager", "Inhibit", "ssss", "h",
                                         accessDenied));
        std::optional<Mock> session;
        if (gnome != u"none") {
            session.emplace("gnome", false, "org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager");
            QVERIFY(session->addMethod("org.gnome.SessionManager", "Inhibit", "susu", "u",
                                       gnome == u"holding" ? "ret = 7" : "raise dbus.exceptions.DBusException('Application ID not specified', name='org.gnome.SessionManager.GeneralError')"));
            QVERIFY(session->addMethod("org.gnome.SessionManager", "Uninhibit", "u", "", ""));
        }
        std::optional<Mock> desktop;
        if (portal == u"holding" || portal == u"refusing") {
            desktop.emplace("portal", false, "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                            "org.freedesktop.portal.Inhibit");
            // As the portal does: the request on the path its token names, whose Response is the
            // verdict (here sent even before the handle).
            const QString sender = QDBusConnection::sessionBus().baseService().mid(1).replace(u'.', u'_');
            QVERIFY(desktop->addMethod(
                "org.freedesktop.portal.Inhibit", "Inhibit", "sua{sv}", "o",
                "r = '/org/freedesktop/portal/desktop/request/" + sender + "/' + args[2]['handle_token']; "
                "self.AddObject(r, 'org.freedesktop.portal.Request', {}, [('Close', '', '', '')]); "
                "objects[r].EmitSignal('org.freedesktop.portal.Request', 'Response', 'ua{sv}', ["
                    + (portal == u"holding" ? "0" : "2") + ", {}]); ret = dbus.ObjectPath(r)"));
        }
        StandardError written;
        const auto inhibitor = portal == u"unreachable"
                                   ? sleepInhibitorOver(unreachableBus(), QDBusConnection::systemBus())
                                   : platformSleepInhibitor();
        const std::map<QString, QString> calls{
            {"gnome", "gnome: Inhibit \"pelmora\" 0 \"" + reason + "\" 4"}, {"uninhibit", "gnome: Uninhibit 7"},
            {"portal", "portal: Inhibit \"\" 4 {\"handle_token\": \"pelmora1\", \"reason\": \"" + reason + "\"}"},
            {"close", "portal: Close"}, {"logind", "logind: Inhibit \"sleep\" \"Pelmora\" \"" + reason + "\" \"block\""}};
        const auto asked = [&] {
            QStringList all = logindMock.calls().filter(QRegularExpression("^logind: Inhibit"));
            for (Mock *mock : {session ? &*session : nullptr, desktop ? &*desktop : nullptr})
                all = (mock ? mock->calls() : QStringList()) + all;
            return all;
        };
        QStringList expected;
        for (const QString &call : held)
            expected << calls.at(call);

        inhibitor->inhibit(reason);
        if (answeredFirst) {
            QTRY_COMPARE(asked(), expected);
            logindMock.settle();
            QCOMPARE(locks(logindMock), held.endsWith("logind") && logindHolds ? 1 : 0);
            QCOMPARE(written.text(), logindHolds ? QString() : QStringLiteral(
                "スリープを止められませんでした。\nThe name org.freedesktop.portal.Desktop was not provided by any .service "
                "files (org.freedesktop.DBus.Error.ServiceUnknown)\nno (org.freedesktop.DBus.Error.AccessDenied)\n"));
        }
        inhibitor->release();
        for (const QString &call : released)
            expected << calls.at(call);
        QTRY_COMPARE(asked(), expected);
        QTRY_COMPARE(locks(logindMock), 0);
        if (held == QStringList{"logind"} && logindHolds) { // armed again
            inhibitor->inhibit(reason);
            QTRY_COMPARE(locks(logindMock), 1);
        }
    }

    // The warning as a notification: the program's name, icon and desktop
    // entry, critical and never expiring, with the actions the daemon can
    // carry out, taken down by the number the daemon gave it. Only its own
    // actions are passed on, "開く" with the token the daemon gave just
    // before, "解除" also from the warning just withdrawn. A daemon that
    // refuses, or none, is told on standard error, and the window asks for
    // attention instead. The power-off waits until a withdrawn warning has gone.
    void warning_data()
    {
        QTest::addColumn<QString>("daemon"); // running, refusing, missing, slow (to number it), or racing (a 解除 sent as it closes)
        QTest::addColumn<QStringList>("server"); // what it says it is, if not the mock's own
        QTest::addColumn<bool>("answeredFirst"); // before the withdrawal
        QTest::addColumn<QVariantList>("signals"); // the daemon's, before the withdrawal: name, id, argument each
        QTest::addColumn<QString>("asked");        // of the window
        QTest::addColumn<QString>("error"); // the daemon's, else whether it is closed by its number
        using V = QVariantList;
        using L = QStringList;
        const QVariant button = "ActionInvoked", token = "ActivationToken";
        const QString off = "power off";
        QTest::newRow("shown and withdrawn") << "running" << L() << true << V() << off << "closed";
        QTest::newRow("withdrawn before it is sent") << "running" << L() << false << V() << off << "";
        QTest::newRow("its button") << "running" << L() << true << V{button, 1u, "open"} << "open , " + off << "closed";
        QTest::newRow("a click on it") << "running" << L() << true << V{button, 1u, "default"} << "open , " + off << "closed";
        QTest::newRow("a token for its click") << "running" << L() << true << V{token, 1u, "t1", button, 1u, "default"}
                                               << "open t1, " + off << "closed";
        QTest::newRow("another's token") << "running" << L() << true << V{token, 2u, "t2", button, 1u, "open"}
                                         << "open , " + off << "closed";
        QTest::newRow("解除, then its button") << "running" << L() << true
                                              << V{token, 1u, "t1", button, 1u, "cancel", button, 1u, "open"}
                                              << "cancel, open , " + off << "closed";
        QTest::newRow("another's button") << "running" << L() << true << V{button, 2u, "open"} << off << "closed";
        QTest::newRow("closed by the user") << "running" << L() << true << V{"NotificationClosed", 1u, 2u} << off << "";
        QTest::newRow("解除 as it is withdrawn") << "racing" << L() << true << V() << "cancel, " + off << "closed";
        QTest::newRow("gnome shell 43") << "running" << L{"gnome-shell", "GNOME", "43.9"} << true << V() << off << "closed";
        QTest::newRow("xfce4-notifyd") << "running" << L{"Xfce Notify Daemon", "Xfce", "0.8.2"} << true << V() << off
                                       << "closed";
        QTest::newRow("numbered as the program ends") << "slow" << L() << true << V() << "" << "closed";
        QTest::newRow("refused") << "refusing" << L() << true << V() << "unseen, " + off
                                 << "no (org.freedesktop.DBus.Error.AccessDenied)";
        QTest::newRow("no daemon") << "missing" << L() << true << V() << "unseen, " + off
                                   << "The name org.freedesktop.Notifications was not provided by any .service "
                                      "files (org.freedesktop.DBus.Error.ServiceUnknown)";
    }
    void warning()
    {
        QFETCH(QString, daemon);
        QFETCH(QStringList, server);
        QFETCH(bool, answeredFirst);
        QFETCH(QVariantList, signals);
        QFETCH(QString, asked);
        QFETCH(QString, error);
        std::optional<Mock> mock;
        if (daemon != u"missing")
            mock.emplace("notify", false, notifications, "/org/freedesktop/Notifications", QString(), "notification_daemon");
        const QString in = "susssasa{sv}i";
        if (daemon == u"refusing")
            QVERIFY(mock->addMethod(notifications, "Notify", in, "u",
                                    accessDenied));
        // Says that it has the call before it answers, a while later.
        if (daemon == u"slow")
            QVERIFY(mock->addMethod(notifications, "Notify", in, "u",
                                    "self.EmitSignal('', 'NotificationClosed', 'uu', [99, 1]); "
                                    "import time; time.sleep(1); ret = 1"));
        QSignalSpy busy(this, &TestDesktopSession::daemonBusy);
        QDBusConnection::sessionBus().connect(notifications, "/org/freedesktop/Notifications", notifications,
                                              "NotificationClosed", this, SIGNAL(daemonBusy()));
        if (daemon == u"racing")
            QVERIFY(mock->addMethod(notifications, "CloseNotification", "u", "",
                                    "self.EmitSignal('', 'ActionInvoked', 'us', [args[0], 'cancel'])"));
        if (!server.isEmpty())
            QVERIFY(mock->addMethod(notifications, "GetServerInformation", "", "ssss",
                                    "ret = ('" + server.join("', '") + "', '1.2')"));
        StandardError written;
        const QString summary = QStringLiteral("1分後にシャットダウンします");
        QStringList askedFor;
        QObject context;
        std::unique_ptr<Notifier> notifier = platformNotifier();
        notifier->setActions(context, {[&askedFor](const QString &token) { askedFor << "open " + token; },
                                       [&askedFor] { askedFor << "cancel"; }, [&askedFor] { askedFor << "unseen"; }});

        notifier->show(summary, reason);
        // Offscreen, as on X11: "開く" works everywhere, but GNOME Shell opens the window on a
        // click itself, and xfce4-notifyd makes every action a button.
        const QString actions = server.isEmpty() ? "\"default\", \"開く\", \"open\", \"開く\", " : "\"open\", \"開く\", ";
        const QString notified = "notify: Notify \"Pelmora\" 0 \"pelmora\" \"" + summary + "\" \"" + reason + "\" ["
                                 + actions + "\"cancel\", \"解除\"] {\"desktop-entry\": \"pelmora\", \"urgency\": 2} 0";
        QStringList calls{"notify: GetServerInformation", notified};
        if (daemon == u"slow") {
            QVERIFY(busy.wait());
        } else if (answeredFirst && mock) {
            QTRY_COMPARE(mock->calls(), calls);
            mock->settle();
        } else if (answeredFirst) {
            QTRY_VERIFY(!written.text().isEmpty());
        } else if (mock) {
            calls.removeLast();
        }
        for (qsizetype i = 0; i < signals.size(); i += 3) {
            mock->call("org.freedesktop.DBus.Mock", "EmitSignal",
                       {notifications, signals[i], signals[i + 2].typeId() == QMetaType::UInt ? "uu" : "us",
                        QVariantList{QVariant::fromValue(QDBusVariant(signals[i + 1])),
                                     QVariant::fromValue(QDBusVariant(signals[i + 2]))}});
        }
        if (!signals.isEmpty())
            mock->settle();
        if (daemon == u"slow") {
            notifier.reset(); // the program ends before the daemon numbers its warning
        } else {
            notifier->withdraw();
            notifier->afterWithdrawal(context, [&askedFor] { askedFor << "power off"; });
        }
        const QString report = error.size() > 6 ? summary + u'\n' + reason + u'\n' + error + u'\n' : QString();
        QTRY_COMPARE(written.text(), report);
        if (mock) {
            calls << QStringList(error == u"closed" ? 1 : 0, "notify: CloseNotification 1");
            QTRY_COMPARE(mock->calls(), calls);
            mock->settle();
            QCOMPARE(mock->calls(), calls);
        }
        QTRY_COMPARE(askedFor.join(", "), asked);
    }

    // The actions offered, by daemon and window system: "開く" only where it can bring the window forward.
    void actions()
    {
        const struct { const char *server, *vendor, *version; bool wayland; const char *actions; } rows[] = {
            {"dunst", "knopwob", "1.9.0", false, "default open cancel"}, {"dunst", "knopwob", "1.9.0", true, "cancel"},
            {"Plasma", "KDE", "5.27.5", true, "default open cancel"}, {"gnome-shell", "GNOME", "43.9", false, "open cancel"},
            {"gnome-shell", "GNOME", "43.9", true, "cancel"}, {"gnome-shell", "GNOME", "46.0", true, "open cancel"},
            {"Xfce Notify Daemon", "Xfce", "0.8.2", false, "open cancel"}, {"", "", "", false, "default open cancel"},
        };
        for (const auto &row : rows) {
            const QStringList actions = warningActions(row.server, row.vendor, row.version, row.wayland);
            QStringList keys;
            for (qsizetype i = 0; i < actions.size(); i += 2)
                keys << actions[i] + (actions[i + 1] == (actions[i] == u"cancel" ? "解除" : "開く") ? "" : "?");
            QVERIFY2(keys.join(u' ') == QLatin1String(row.actions), row.server);
        }
    }
};

QTEST_GUILESS_MAIN(TestDesktopSession)
#include "test_desktopsession.moc"
