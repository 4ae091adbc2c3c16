#include "app/windowfixture.h"
#include "platform/poweroff.h"
#include "platform/privatebus.h"

#include <memory>

namespace {

const QString gnome = QStringLiteral("org.gnome.SessionManager");
const QString ksmserver = QStringLiteral("org.kde.ksmserver");
const QString kde = QStringLiteral("org.kde.Shutdown");
const QString xfce = QStringLiteral("org.xfce.SessionManager");
const QString logind = QStringLiteral("org.freedesktop.login1");
const QString gnomeAsked = QStringLiteral("/org/gnome/SessionManager org.gnome.SessionManager.RequestShutdown()");
const QString gnomeDialog = QStringLiteral("/org/gnome/SessionManager org.gnome.SessionManager.Shutdown()");
const QString kdeAsked = QStringLiteral("/Shutdown org.kde.Shutdown.logoutAndShutdown()");
const QString xfceAsked = QStringLiteral("/org/xfce/SessionManager org.xfce.Session.Manager.Shutdown(true)");
const QString logindAsked = QStringLiteral("/org/freedesktop/login1 org.freedesktop.login1.Manager.PowerOff(true)");
const QString unknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");

} // namespace

class TestDesktopSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QStringList sessionPaths{QStringLiteral("/org/gnome/SessionManager"), QStringLiteral("/Shutdown"),
                                       QStringLiteral("/org/xfce/SessionManager")};
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

    void cleanup()
    {
        for (const QString &name : {gnome, ksmserver, kde, xfce})
            session->bus.unregisterService(name);
        system->bus.unregisterService(logind);
        for (FakeServices *fake : {session.get(), system.get()}) {
            fake->calls.clear();
            fake->failing.clear();
        }
    }

private:
    void run(const QStringList &names)
    {
        for (const QString &name : names)
            QVERIFY((name == logind ? system : session)->bus.registerService(name));
    }

    std::unique_ptr<FakeServices> session;
    std::unique_ptr<FakeServices> system;
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
