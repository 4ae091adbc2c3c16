#pragma once

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusVirtualObject>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <cstdio>

// One private message bus for both of the machine's, put in place before
// QApplication so that nothing reaches for the real ones.
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

// Every service at every path. A call is recorded as "path interface.Method(
// arguments)", after "system:" if it came by the program's system bus, and
// answered with the error set for it, else with the value set for its method.
struct FakeServices : QDBusVirtualObject
{
    FakeServices()
    {
        // Proof that the program's buses are this one: they see a name that only
        // it has. Otherwise stop before anything is sent.
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
        const QString method = message.member();
        connection.send(calls.last() == failing ? message.createErrorReply(error, QStringLiteral("refused"))
                        : answers.contains(method) ? message.createReply(answers.take(method))
                                                   : message.createReply());
        return true;
    }

    // Every answer sent to the program before now has been handled: the
    // answers to pings on its buses come after them.
    void settle()
    {
        for (const QDBusConnection &program : {QDBusConnection::sessionBus(), QDBusConnection::systemBus()}) {
            QDBusPendingCallWatcher ping(program.asyncCall(
                QDBusMessage::createMethodCall(bus.baseService(), "/", "org.freedesktop.DBus.Peer", "Ping")));
            QVERIFY(QSignalSpy(&ping, &QDBusPendingCallWatcher::finished).wait());
        }
    }

    QDBusConnection bus = QDBusConnection::connectToBus(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"), "fakes");
    QStringList calls;
    QString failing, error; // the call refused, and the error's name
    QVariantMap answers;    // method name → the value of its next reply
};
