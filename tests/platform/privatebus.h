#pragma once

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusVirtualObject>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <cstdio>

// One private message bus in place of both of the machine's, made before
// QApplication so that nothing has reached for the real ones.
struct PrivateBus
{
    PrivateBus()
    {
        FILE *daemon =
            popen("dbus-daemon --config-file=" PRIVATE_BUS_CONFIG " --fork --print-address=1 --print-pid=1", "r");
        char address[512];
        if (!daemon || std::fscanf(daemon, "%511s %d", address, &pid) != 2)
            qFatal("cannot start dbus-daemon (package dbus-daemon)");
        pclose(daemon);
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
    }
    ~PrivateBus() { kill(pid, SIGTERM); }
    pid_t pid = 0;
};

// Every service the test runs, at every path. Each call is recorded as
// "path interface.Method(arguments)", "system:" first if it came by the
// program's system bus, and answered with the error set for it, or with the
// value set for its method (once).
struct FakeServices : QDBusVirtualObject
{
    FakeServices()
    {
        // Proof that both of the program's buses are the private one: they see
        // a name registered only here. Otherwise stop before anything is sent.
        const QString marker = QStringLiteral("org.pelmora.PrivateBus%1").arg(QCoreApplication::applicationPid());
        bus.registerService(marker);
        for (const QDBusConnection &program : {QDBusConnection::sessionBus(), QDBusConnection::systemBus()}) {
            if (!program.interface() || !program.interface()->isServiceRegistered(marker))
                qFatal("%s is not the test's private bus; refusing to go on", qPrintable(program.name()));
        }
        bus.registerVirtualObject(QStringLiteral("/"), this, QDBusConnection::SubPath);
    }
    ~FakeServices() override { QDBusConnection::disconnectFromBus(bus.name()); }

    QString introspect(const QString &) const override { return QString(); }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        QStringList arguments;
        for (const QVariant &argument : message.arguments()) {
            const QString reason = qdbus_cast<QVariantMap>(argument).value(QStringLiteral("reason")).toString();
            arguments.append(reason.isEmpty() ? argument.toString() : "reason=" + reason); // the portal's
        }
        const bool bySystemBus = message.service() == QDBusConnection::systemBus().baseService();
        calls.append((bySystemBus ? "system:" : "") + message.path() + u' ' + message.interface() + u'.'
                     + message.member() + u'(' + arguments.join(QLatin1String(", ")) + u')');
        const QVariant answer = answers.take(message.member());
        connection.send(calls.last() == failing ? message.createErrorReply(error, QStringLiteral("refused"))
                                                : message.createReply(answer.isValid() ? QVariantList{answer}
                                                                                       : QVariantList()));
        return true;
    }

    // Every answer the program was sent before now has been handled: the
    // answers to a ping on each of its buses come after them.
    void settle()
    {
        for (const QDBusConnection &program : {QDBusConnection::sessionBus(), QDBusConnection::systemBus()}) {
            QDBusPendingCallWatcher ping(program.asyncCall(QDBusMessage::createMethodCall(
                bus.baseService(), QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.Peer"), "Ping")));
            QVERIFY(QSignalSpy(&ping, &QDBusPendingCallWatcher::finished).wait());
        }
    }

    QDBusConnection bus = QDBusConnection::connectToBus(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"), "fakes");
    QStringList calls;
    QString failing, error; // the call refused, and the error's name
    QVariantMap answers;    // method name → the value of its next reply
};
