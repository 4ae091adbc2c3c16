#include "app/windowfixture.h"
#include "platform/poweroff.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QProcess>

namespace {

const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");

} // namespace

// A logind stand-in on a private bus: records PowerOff calls and answers
// them as the test says, or holds them open.
class FakeLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    explicit FakeLogind(const QDBusConnection &bus)
        : bus(bus)
    {
    }

    QString errorName; // empty: hold the call open
    QString errorMessage;
    QList<bool> calls;
    QList<QDBusMessage> held;

    void accept(const QDBusMessage &call) { bus.send(call.createReply()); }

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
    // Answers after every call sent before it: a barrier for the tests.
    Q_SCRIPTABLE int CallCount() { return int(calls.size()); }

private:
    QDBusConnection bus;
};

class TestLogindPowerOff : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        QVERIFY2(daemon.waitForStarted(), "dbus-daemon (package dbus-daemon) is needed");
        while (!daemon.canReadLine())
            QVERIFY(daemon.waitForReadyRead());
        const QByteArray address = daemon.readLine().trimmed();
        // Everything the program sends to "the system bus" goes to this daemon.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
        QVERIFY(QDBusConnection::systemBus().isConnected());
        QVERIFY(QDBusConnection::systemBus().baseService() != QString());
        fakeBus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QString::fromLatin1(address), QStringLiteral("fake-logind")));
        QVERIFY(fakeBus->isConnected());
    }

    void init()
    {
        logind = std::make_unique<FakeLogind>(*fakeBus);
        QVERIFY(fakeBus->registerObject(path, logind.get(), QDBusConnection::ExportScriptableSlots));
        QVERIFY(fakeBus->registerService(service));
    }

    void cleanup()
    {
        fakeBus->unregisterObject(path);
        fakeBus->unregisterService(service);
        logind.reset();
    }

    void cleanupTestCase()
    {
        fakeBus.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-logind"));
        daemon.terminate();
        daemon.waitForFinished();
    }

    void oneRequestWhileOpen()
    {
        WindowFixture f;
        useRealRequests(f);
        armAt2130(f);

        tickAt(f, "21:30:00");
        QTRY_COMPARE(logind->calls, QList<bool>{true});
        tickAt(f, "21:30:01");
        QCOMPARE(callsSeen(), 1);

        f.submit(QStringLiteral("abc")); // the window goes on answering
        QCOMPARE(f.state().mode, qint16(6));

        logind->accept(logind->held.takeFirst());
        QTRY_COMPARE(answered, 1);
        tickAt(f, "21:30:02");
        QCOMPARE(callsSeen(), 1);
        QVERIFY(!f.log()->text().contains(QStringLiteral("シャットダウン")));
    }

    void refusalReportedOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("access denied")
            << "org.freedesktop.DBus.Error.AccessDenied" << "Interactive authentication required.";
        QTest::newRow("inhibitor lock")
            << "org.freedesktop.login1.BlockedByInhibitorLock"
            << "Operation inhibited by \"backup\" (PID 42 \"tar\", user root), reason is \"backup\".";
    }
    void refusalReportedOnce()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        logind->errorName = name;
        logind->errorMessage = message;
        WindowFixture f;
        useRealRequests(f);
        armAt2130(f);
        const QString report = QStringLiteral("シャットダウンできませんでした。\r\n") + message
                               + QStringLiteral(" (") + name + u')';
        QTest::ignoreMessage(QtWarningMsg, report.toUtf8().constData());

        tickAt(f, "21:30:00");
        QTRY_COMPARE(answered, 1);
        QCOMPARE(f.log()->text(), QStringLiteral("\r\n") + report);
        tickAt(f, "21:30:01");
        QTRY_COMPARE(answered, 2);
        QCOMPARE(f.log()->text(), QStringLiteral("\r\n") + report);
        QCOMPARE(logind->calls, QList<bool>({true, true}));
    }

    void noServiceReportedOnce()
    {
        cleanup(); // nobody answers for logind on this bus
        WindowFixture f;
        useRealRequests(f);
        armAt2130(f);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("org\\.freedesktop\\.DBus\\.Error\\.ServiceUnknown\\)$")));

        tickAt(f, "21:30:00");
        QTRY_COMPARE(answered, 1);
        const QString log = f.log()->text();
        QVERIFY(log.startsWith(QStringLiteral("\r\nシャットダウンできませんでした。\r\n")));
        QVERIFY(log.endsWith(QStringLiteral(" (org.freedesktop.DBus.Error.ServiceUnknown)")));
        tickAt(f, "21:30:01");
        QTRY_COMPARE(answered, 2);
        QCOMPARE(f.log()->text(), log);
        init();
    }

private:
    void useRealRequests(WindowFixture &f)
    {
        answered = 0;
        f.system.powerOffService = [this](QObject &context, PowerOffDone done) {
            requestSystemPowerOff(context, [this, done](bool accepted, const QString &reason) {
                ++answered;
                done(accepted, reason);
            });
        };
    }

    static void armAt2130(WindowFixture &f)
    {
        f.state().greetStep = 0;
        f.state().setHour = 21;
        f.state().setMin = 30;
        f.state().timerOn = 1;
        f.state().mode = 5;
        f.alarmLabel()->setText(QStringLiteral("タイマー設定時間 21時 30分"));
    }

    static void tickAt(WindowFixture &f, const char *time)
    {
        f.system.time = QString::fromLatin1(time);
        f.window.Timer1_Timer();
    }

    // The calls logind has seen once everything sent before has arrived.
    int callsSeen()
    {
        const QDBusPendingReply<int> reply = QDBusConnection::systemBus().asyncCall(QDBusMessage::createMethodCall(
            service, path, QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("CallCount")));
        if (!QTest::qWaitFor([&reply] { return reply.isFinished(); }) || !reply.isValid())
            return -1;
        return reply.value();
    }

    QProcess daemon;
    std::unique_ptr<QDBusConnection> fakeBus;
    std::unique_ptr<FakeLogind> logind;
    int answered = 0;
};

QTEST_MAIN(TestLogindPowerOff)
#include "test_logindpoweroff.moc"
