#include "app/windowfixture.h"
#include "platform/poweroff.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QDBusConnectionInterface>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/types.h>

namespace {

const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");
const QString manager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

// A logind stand-in on a private bus: records PowerOff calls and answers
// them with the error the test sets, or holds them open.
class FakeLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    explicit FakeLogind(const QDBusConnection &bus) : bus(bus) {}

    QDBusConnection bus;
    QString errorName, errorMessage; // no name: hold the call open
    QList<bool> calls;
    QList<QDBusMessage> held;

public Q_SLOTS:
    Q_SCRIPTABLE void PowerOff(bool interactive, const QDBusMessage &message)
    {
        calls.append(interactive);
        message.setDelayedReply(true);
        if (errorName.isEmpty())
            held.append(message);
        else
            bus.send(message.createErrorReply(errorName, errorMessage));
    }
    // Answered after every call sent before it: a barrier for the tests.
    Q_SCRIPTABLE int CallCount() { return int(calls.size()); }
};

class TestLogindPowerOff : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
        logind = std::make_unique<FakeLogind>(QDBusConnection::connectToBus(address, QStringLiteral("fake")));
        QVERIFY(logind->bus.registerObject(path, logind.get(), QDBusConnection::ExportScriptableSlots));
        // Proof that "the system bus" is the private one: it sees a name
        // registered only there. Otherwise stop before anything is sent.
        const QString marker = QStringLiteral("org.pelmora.PrivateBus%1").arg(QCoreApplication::applicationPid());
        QVERIFY(logind->bus.registerService(marker));
        if (!QDBusConnection::systemBus().interface()->isServiceRegistered(marker))
            qFatal("the system bus is not the test's private bus; refusing to go on");
    }
    void init()
    {
        QVERIFY(logind->bus.registerService(service));
        logind->calls.clear();
        logind->errorName.clear();
        answered = 0;
        f = std::make_unique<WindowFixture>();
        f->system.powerOffService = [this](QObject &context, PowerOffDone done) {
            requestSystemPowerOff(context, [this, done](bool accepted, const QString &reason) {
                ++answered;
                done(accepted, reason);
            });
        };
        f->state().greetStep = 0;
        f->state().setHour = 21;
        f->state().setMin = 30;
        f->state().timerOn = 1;
        f->state().mode = 5;
        f->alarmLabel()->setText(QStringLiteral("タイマー設定時間 21時 30分"));
    }
    void cleanup()
    {
        f.reset();
        logind->bus.unregisterService(service);
    }
    void cleanupTestCase()
    {
        logind.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake"));
    }

    void oneRequestWhileOpen()
    {
        tickAt("21:30:00");
        QTRY_COMPARE(logind->calls, QList<bool>{true});
        tickAt("21:30:01");
        QCOMPARE(callsSeen(), 1);
        f->submit(QStringLiteral("abc")); // the window goes on answering
        QCOMPARE(f->state().mode, qint16(6));

        logind->bus.send(logind->held.takeFirst().createReply());
        QTRY_COMPARE(answered, 1);
        tickAt("21:30:02");
        QCOMPARE(callsSeen(), 1);
        QVERIFY(!f->log()->text().contains(QStringLiteral("シャットダウン")));
    }

    void refusalReportedOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("access denied") << "org.freedesktop.DBus.Error.AccessDenied" << "Interactive authentication required.";
        QTest::newRow("inhibitor lock") << "org.freedesktop.login1.BlockedByInhibitorLock"
                                        << "Operation inhibited by \"backup\" (PID 42 \"tar\", user root).";
        QTest::newRow("no service") << "" << "";
    }
    void refusalReportedOnce()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        logind->errorName = name;
        logind->errorMessage = message;
        if (name.isEmpty()) { // nobody answers for logind on this bus
            logind->bus.unregisterService(service);
            name = QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown");
        }
        tickAt("21:30:00");
        QTRY_COMPARE(answered, 1);
        const QString log = f->log()->text();
        QVERIFY(log.startsWith(QStringLiteral("\r\nシャットダウンできませんでした。\r\n") + message));
        QVERIFY(log.endsWith(QStringLiteral(" (") + name + u')'));
        tickAt("21:30:01"); // answered: not asked again this minute
        if (logind->bus.interface()->isServiceRegistered(service))
            QCOMPARE(callsSeen(), 1);
        QCOMPARE(answered, 1);
        QCOMPARE(f->log()->text(), log);
    }

private:
    void tickAt(const char *time)
    {
        f->system.time = QString::fromLatin1(time);
        f->window.Timer1_Timer();
    }

    // The calls logind has seen once everything sent before has arrived.
    int callsSeen()
    {
        const QDBusPendingReply<int> reply = QDBusConnection::systemBus().asyncCall(
            QDBusMessage::createMethodCall(service, path, manager, QStringLiteral("CallCount")));
        if (!QTest::qWaitFor([&reply] { return reply.isFinished(); }) || !reply.isValid())
            return -1;
        return reply.value();
    }

    std::unique_ptr<FakeLogind> logind;
    std::unique_ptr<WindowFixture> f;
    int answered = 0;
};

// A private message bus, started before anything in the process can reach
// for D-Bus, so that the program's "system bus" is this one and never the
// machine's.
class PrivateBus
{
public:
    PrivateBus()
    {
        FILE *daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        char address[512] = {};
        if (!daemon || !std::fgets(address, sizeof address, daemon) || std::fscanf(daemon, "%d", &pid) != 1)
            qFatal("cannot start dbus-daemon (package dbus-daemon)");
        pclose(daemon);
        address[std::strcspn(address, "\n")] = '\0';
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
    }
    ~PrivateBus() { kill(pid, SIGTERM); }

private:
    pid_t pid = 0;
};

int main(int argc, char *argv[])
{
    PrivateBus bus;
    QApplication app(argc, argv);
    TestLogindPowerOff test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_logindpoweroff.moc"
