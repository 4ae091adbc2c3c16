#include "platform/poweroff.h"
#include "platform/privatebus.h"
#include "platform/sleepinhibitor.h"

#include <QApplication>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QScopeGuard>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <unistd.h>

namespace {

const QString gnome = QStringLiteral("org.gnome.SessionManager");
const QString ksmserver = QStringLiteral("org.kde.ksmserver");
const QString kde = QStringLiteral("org.kde.Shutdown");
const QString xfce = QStringLiteral("org.xfce.SessionManager");
const QString portalName = QStringLiteral("org.freedesktop.portal.Desktop");
const QString logind = QStringLiteral("org.freedesktop.login1");
const QString gnomeAsked = QStringLiteral("/org/gnome/SessionManager org.gnome.SessionManager.RequestShutdown()");
const QString gnomeDialog = QStringLiteral("/org/gnome/SessionManager org.gnome.SessionManager.Shutdown()");
const QString kdeAsked = QStringLiteral("/Shutdown org.kde.Shutdown.logoutAndShutdown()");
const QString xfceAsked = QStringLiteral("/org/xfce/SessionManager org.xfce.Session.Manager.Shutdown(true)");
const QString logindAsked = "system:/org/freedesktop/login1 org.freedesktop.login1.Manager.PowerOff(true)";
const QString unknown = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");
const QString request = QStringLiteral("/org/freedesktop/portal/desktop/request/1_1/t");
const QString reason = QStringLiteral("21時30分にシャットダウンするタイマーがセットされています。");

// A bus that cannot be reached, met for the first time: nobody listens there.
QDBusConnection unreachableBus()
{
    static int made = 0;
    return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/pelmora"),
                                         QStringLiteral("unreachable%1").arg(++made));
}

// The last write end of the pipe is closed: the reader sees the hang-up.
bool writerGone(int readEnd)
{
    pollfd watched{readEnd, POLLIN, 0};
    return ::poll(&watched, 1, 0) == 1 && (watched.revents & POLLHUP);
}

} // namespace

class TestDesktopSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        for (const QString &name : {gnome, ksmserver, kde, xfce, portalName, logind})
            fake.bus.unregisterService(name);
        fake.calls.clear();
        fake.failing.clear();
        fake.answers.clear();
    }

    // A way that is not there, or whose bus cannot be reached, passes to the
    // next; any other error is the answer, in the system's words and name.
    void powerOff_data()
    {
        QTest::addColumn<QStringList>("running"); // "-session", "-system": that bus cannot be reached
        QTest::addColumn<QStringList>("refusal"); // the call refused, and the error
        QTest::addColumn<QStringList>("asked");   // and the answer
        using L = QStringList;
        const QString ok = QStringLiteral("accepted");
        const QString denied = QStringLiteral("org.freedesktop.DBus.Error.AccessDenied");
        QTest::newRow("gnome first") << L{gnome, ksmserver, kde, xfce, logind} << L() << L{gnomeAsked, ok};
        QTest::newRow("gnome's own dialog") << L{gnome} << L{gnomeAsked, unknown} << L{gnomeAsked, gnomeDialog, ok};
        QTest::newRow("kde") << L{ksmserver, kde, logind} << L() << L{kdeAsked, ok};
        QTest::newRow("kde's service unknown") << L{ksmserver, xfce, logind} << L() << L{xfceAsked, ok};
        QTest::newRow("no plasma session") << L{kde, logind} << L() << L{logindAsked, ok};
        QTest::newRow("xfce without it") << L{xfce, logind} << L{xfceAsked, unknown} << L{xfceAsked, logindAsked, ok};
        QTest::newRow("xfce without its interface")
            << L{xfce, logind} << L{xfceAsked, "org.freedesktop.DBus.Error.UnknownInterface"}
            << L{xfceAsked, logindAsked, ok};
        QTest::newRow("gnome denies") << L{gnome, xfce, logind} << L{gnomeAsked, denied}
                                      << L{gnomeAsked, "refused (" + denied + ')'};
        QTest::newRow("no session manager") << L{logind} << L() << L{logindAsked, ok};
        QTest::newRow("no session bus") << L{"-session", gnome, logind} << L() << L{logindAsked, ok};
        QTest::newRow("no system bus") << L{"-system", logind} << L()
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
        for (const QString &name : running)
            QVERIFY(name.startsWith(u'-') || fake.bus.registerService(name));
        fake.failing = refusal.value(0);
        fake.error = refusal.value(1);
        QObject context;
        const PowerOffDone record = [this](bool accepted, const QString &why) {
            fake.calls.append(accepted ? QStringLiteral("accepted") : why);
        };
        if (running.contains("-session") || running.contains("-system"))
            requestPowerOffOver(running.contains("-session") ? unreachableBus() : QDBusConnection::sessionBus(),
                                running.contains("-system") ? unreachableBus() : QDBusConnection::systemBus(), context,
                                record);
        else
            requestSystemPowerOff(context, record); // the program's own buses
        QTRY_COMPARE(fake.calls, asked);
        fake.settle();
        QCOMPARE(fake.calls, asked); // and nothing after
    }

    // The real inhibitor: the portal where it answers, else logind, whose
    // lock is the write end of a pipe that the fake hands out.
    void inhibitor_data()
    {
        QTest::addColumn<QString>("portal"); // running, missing, or on a session bus that cannot be reached
        QTest::addColumn<bool>("answeredFirst"); // before the release
        QTest::newRow("portal") << "running" << true;
        QTest::newRow("portal answers after the release") << "running" << false;
        QTest::newRow("no portal: logind") << "missing" << true;
        QTest::newRow("no session bus: logind") << "unreachable" << true;
    }
    void inhibitor()
    {
        QFETCH(QString, portal);
        QFETCH(bool, answeredFirst);
        const bool portalRunning = portal == u"running";
        QVERIFY(fake.bus.registerService(logind));
        QVERIFY(portal == u"missing" || fake.bus.registerService(portalName));
        int ends[2];
        QCOMPARE(::pipe(ends), 0);
        const auto closeReadEnd = qScopeGuard([&ends] { ::close(ends[0]); });
        fake.answers.insert("Inhibit", portalRunning ? QVariant::fromValue(QDBusObjectPath(request))
                                                     : QVariant::fromValue(QDBusUnixFileDescriptor(ends[1])));
        ::close(ends[1]);
        const QStringList calls{
            portalRunning ? "/org/freedesktop/portal/desktop org.freedesktop.portal.Inhibit.Inhibit(, 12, reason="
                                + reason + ')'
                          : "system:/org/freedesktop/login1 org.freedesktop.login1.Manager.Inhibit(sleep:idle, Pelmora, "
                                + reason + ", block)",
            request + " org.freedesktop.portal.Request.Close()"};
        const auto inhibitor = portal == u"unreachable"
                                   ? sleepInhibitorOver(unreachableBus(), QDBusConnection::systemBus())
                                   : platformSleepInhibitor();

        inhibitor->inhibit(reason);
        if (answeredFirst) {
            QTRY_COMPARE(fake.calls, calls.mid(0, 1));
            fake.settle();
            QVERIFY(portalRunning || !writerGone(ends[0]));
        }
        inhibitor->release();
        QTRY_COMPARE(fake.calls, calls.mid(0, portalRunning ? 2 : 1));
        QTRY_VERIFY(portalRunning || writerGone(ends[0]));
    }

private:
    FakeServices fake;
};

int main(int argc, char *argv[])
{
    PrivateBus bus;
    QApplication app(argc, argv);
    TestDesktopSession test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_desktopsession.moc"
