#include "app/windowfixture.h"
#include "platform/poweroff.h"
#include "platform/privatebus.h"
#include "platform/realsystem.h"

#include <QAction>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusUnixFileDescriptor>
#include <QSignalSpy>

#include <memory>
#include <poll.h>
#include <unistd.h>

namespace {

const QString gnome = QStringLiteral("org.gnome.SessionManager");
const QString ksmserver = QStringLiteral("org.kde.ksmserver");
const QString kde = QStringLiteral("org.kde.Shutdown");
const QString xfce = QStringLiteral("org.xfce.SessionManager");
const QString portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString logind = QStringLiteral("org.freedesktop.login1");
const QString gnomeAsked = QStringLiteral("/org/gnome/SessionManager org.gnome.SessionManager.RequestShutdown()");
const QString gnomeDialog = QStringLiteral("/org/gnome/SessionManager org.gnome.SessionManager.Shutdown()");
const QString kdeAsked = QStringLiteral("/Shutdown org.kde.Shutdown.logoutAndShutdown()");
const QString xfceAsked = QStringLiteral("/org/xfce/SessionManager org.xfce.Session.Manager.Shutdown(true)");
const QString logindAsked = QStringLiteral("/org/freedesktop/login1 org.freedesktop.login1.Manager.PowerOff(true)");
const QString unknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");
const QString request = QStringLiteral("/org/freedesktop/portal/desktop/request/1_1/t");
const QString reason = QStringLiteral("21時30分にシャットダウンするタイマーがセットされています。");

// The last write end of the pipe is closed: the reader sees the hang-up.
bool writerGone(int readEnd)
{
    pollfd watched{readEnd, POLLIN, 0};
    return ::poll(&watched, 1, 0) == 1 && (watched.revents & POLLHUP);
}

// Every answer the service sent the program before now has been handled:
// the answer to a ping comes after them.
void answersArrived(const QDBusConnection &program, const QString &service)
{
    QDBusPendingCallWatcher ping(program.asyncCall(QDBusMessage::createMethodCall(
        service, QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"))));
    QSignalSpy finished(&ping, &QDBusPendingCallWatcher::finished);
    QVERIFY(finished.wait());
}

} // namespace

class TestDesktopSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QStringList sessionPaths{QStringLiteral("/org/gnome/SessionManager"), QStringLiteral("/Shutdown"),
                                       QStringLiteral("/org/xfce/SessionManager"),
                                       QStringLiteral("/org/freedesktop/portal/desktop"), request};
        session =
            std::make_unique<FakeServices>("DBUS_SESSION_BUS_ADDRESS", QDBusConnection::sessionBus(), sessionPaths);
        system = std::make_unique<FakeServices>("DBUS_SYSTEM_BUS_ADDRESS", QDBusConnection::systemBus(),
                                                QStringList{QStringLiteral("/org/freedesktop/login1")});
    }

    // Who is asked, in which order, and what comes back: the desktop's
    // session manager first; a way that is not there passes to the next;
    // any other answer is the answer, in the system's words and name.
    void powerOff_data()
    {
        QTest::addColumn<QStringList>("running");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("asked");
        const QString none;
        QTest::newRow("gnome interface, no dialog") << QStringList{gnome, logind} << none << none
                                                    << QStringList{gnomeAsked};
        QTest::newRow("gnome's own dialog") << QStringList{gnome, logind} << gnomeAsked << unknownMethod
                                            << QStringList{gnomeAsked, gnomeDialog};
        QTest::newRow("kde") << QStringList{ksmserver, kde, logind} << none << none << QStringList{kdeAsked};
        QTest::newRow("xfce") << QStringList{xfce, logind} << none << none << QStringList{xfceAsked};
        QTest::newRow("gnome first") << QStringList{gnome, ksmserver, kde, xfce, logind} << none << none
                                     << QStringList{gnomeAsked};
        QTest::newRow("kde's service unknown") << QStringList{ksmserver, xfce, logind} << none << none
                                               << QStringList{xfceAsked};
        QTest::newRow("no plasma session") << QStringList{kde, logind} << none << none << QStringList{logindAsked};
        QTest::newRow("xfce without the method") << QStringList{xfce, logind} << xfceAsked << unknownMethod
                                                 << QStringList{xfceAsked, logindAsked};
        QTest::newRow("gnome denies") << QStringList{gnome, xfce, logind} << gnomeAsked
                                      << QStringLiteral("org.freedesktop.DBus.Error.AccessDenied")
                                      << QStringList{gnomeAsked};
        QTest::newRow("no session manager") << QStringList{logind} << none << none << QStringList{logindAsked};
        QTest::newRow("nobody") << QStringList() << none << QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown")
                                << QStringList();
    }
    void powerOff()
    {
        QFETCH(QStringList, running);
        QFETCH(QString, failing);
        QFETCH(QString, error);
        QFETCH(QStringList, asked);
        run(running);
        session->failing = system->failing = failing;
        session->error = system->error = error;
        QObject context;
        QString answer;
        requestSystemPowerOff(context, [&answer](bool accepted, const QString &why) {
            answer = accepted ? QStringLiteral("accepted") : why;
        });
        QTRY_VERIFY(!answer.isEmpty());
        QCOMPARE(session->calls + system->calls, asked);
        const bool refused = !error.isEmpty() && asked.size() < 2; // else passed on, then taken
        const QString expected = refused ? QStringLiteral(" (") + error + u')' : QStringLiteral("accepted");
        QVERIFY2(answer.endsWith(expected), qPrintable(answer));
    }

    // The window tells the system each time a line arms or disarms the
    // alarm, and disarms it when the program or the window ends.
    void armedState_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QList<bool>>("changes");
        const QStringList armed{QStringLiteral("timer"), QStringLiteral("21:30"), QStringLiteral("yes")};
        const QStringList disarmed = armed + QStringList{QStringLiteral("abc"), QStringLiteral("yes")};
        QTest::newRow("no") << QStringList{armed[0], armed[1], QStringLiteral("no")} << QString() << QList<bool>{};
        QTest::newRow("yes, then yes in state 6") << disarmed << QString() << QList<bool>{true, false};
        QTest::newRow("終了(&X)") << armed << QStringLiteral("shuryou") << QList<bool>{true, false};
        QTest::newRow("window closed") << armed << QStringLiteral("close") << QList<bool>{true, false};
        QTest::newRow("closed disarmed") << disarmed << QStringLiteral("close") << QList<bool>{true, false};
    }
    void armedState()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, ending);
        QFETCH(QList<bool>, changes);
        WindowFixture f;
        for (const QString &line : lines)
            f.submit(line);
        if (ending == u"shuryou")
            f.window.findChild<QAction *>(ending)->trigger();
        else if (ending == u"close")
            f.window.close();
        QCOMPARE(f.system.armedChanges, changes);
        QCOMPARE(f.system.armedReason, changes.isEmpty() ? QString() : reason);
    }

    // The real inhibitor: the portal where it answers, else logind, whose
    // lock is the write end of a pipe that the fake hands out.
    void inhibitor_data()
    {
        QTest::addColumn<bool>("portalRunning");
        QTest::addColumn<bool>("releasedAtOnce");
        QTest::newRow("portal") << true << false;
        QTest::newRow("portal answers after the release") << true << true;
        QTest::newRow("no portal: logind") << false << false;
    }
    void inhibitor()
    {
        QFETCH(bool, portalRunning);
        QFETCH(bool, releasedAtOnce);
        run(portalRunning ? QStringList{portal, logind} : QStringList{logind});
        session->answers.insert(QStringLiteral("Inhibit"), QVariant::fromValue(QDBusObjectPath(request)));
        int ends[2];
        QCOMPARE(::pipe(ends), 0);
        readEnd = ends[0];
        system->answers.insert(QStringLiteral("Inhibit"), QVariant::fromValue(QDBusUnixFileDescriptor(ends[1])));
        ::close(ends[1]);
        const QStringList inhibited{QStringLiteral("/org/freedesktop/portal/desktop org.freedesktop.portal.Inhibit."
                                                   "Inhibit(, 12, reason=")
                                        + reason + u')',
                                    request + QStringLiteral(" org.freedesktop.portal.Request.Close()")};
        RealSystem real;

        real.setAlarmArmed(true, reason);
        if (portalRunning && !releasedAtOnce) {
            QTRY_COMPARE(session->calls, inhibited.mid(0, 1));
            answersArrived(QDBusConnection::sessionBus(), portal);
        } else if (!portalRunning) {
            const QString lock = QStringLiteral("/org/freedesktop/login1 org.freedesktop.login1.Manager."
                                                "Inhibit(sleep:idle, Pelmora, ")
                                 + reason + QStringLiteral(", block)");
            QTRY_COMPARE(system->calls, QStringList{lock});
            answersArrived(QDBusConnection::systemBus(), logind);
            QVERIFY(!writerGone(readEnd));
        }
        real.setAlarmArmed(false, QString());
        QTRY_COMPARE(session->calls, portalRunning ? inhibited : QStringList());
        QTRY_VERIFY(writerGone(readEnd) || portalRunning);
        QCOMPARE(system->calls.isEmpty(), portalRunning);
    }
    void cleanup()
    {
        for (const QString &name : {gnome, ksmserver, kde, xfce, portal})
            session->bus.unregisterService(name);
        system->bus.unregisterService(logind);
        for (FakeServices *fake : {session.get(), system.get()}) {
            fake->calls.clear();
            fake->failing.clear();
            fake->answers.clear();
        }
        if (readEnd >= 0)
            ::close(std::exchange(readEnd, -1));
    }

private:
    void run(const QStringList &names)
    {
        for (const QString &name : names)
            QVERIFY((name == logind ? system : session)->bus.registerService(name));
    }

    std::unique_ptr<FakeServices> session;
    std::unique_ptr<FakeServices> system;
    int readEnd = -1;
};

int main(int argc, char *argv[])
{
    PrivateBus session("DBUS_SESSION_BUS_ADDRESS");
    PrivateBus system("DBUS_SYSTEM_BUS_ADDRESS");
    QApplication app(argc, argv);
    TestDesktopSession test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_desktopsession.moc"
