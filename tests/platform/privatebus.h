#pragma once

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/types.h>

// A private message bus put in place of the machine's bus named by the
// variable (DBUS_SESSION_BUS_ADDRESS, DBUS_SYSTEM_BUS_ADDRESS). Made before
// QApplication, so that nothing in the process has reached for the real one.
class PrivateBus
{
public:
    explicit PrivateBus(const char *variable)
    {
        FILE *daemon =
            popen("dbus-daemon --config-file=" PRIVATE_BUS_CONFIG " --fork --print-address=1 --print-pid=1", "r");
        char address[512] = {};
        if (!daemon || !std::fgets(address, sizeof address, daemon) || std::fscanf(daemon, "%d", &pid) != 1)
            qFatal("cannot start dbus-daemon (package dbus-daemon)");
        pclose(daemon);
        address[std::strcspn(address, "\n")] = '\0';
        qputenv(variable, address);
    }
    ~PrivateBus() { kill(pid, SIGTERM); }

private:
    pid_t pid = 0;
};

// The services the test stands up on one private bus, at the given paths.
// Each call is recorded as "path interface.Method(arguments)" and answered
// with the error set for it, or with the value set for its method (once).
class FakeServices : public QDBusVirtualObject
{
public:
    FakeServices(const char *variable, const QDBusConnection &program, const QStringList &paths)
        : bus(QDBusConnection::connectToBus(qEnvironmentVariable(variable), QLatin1String(variable)))
    {
        // Proof that the program's bus is this private one: it sees a name
        // registered only here. Otherwise stop before anything is sent.
        const QString marker = QStringLiteral("org.pelmora.PrivateBus%1").arg(QCoreApplication::applicationPid());
        if (!bus.registerService(marker) || !program.interface() || !program.interface()->isServiceRegistered(marker))
            qFatal("%s is not the test's private bus; refusing to go on", variable);
        for (const QString &path : paths)
            bus.registerVirtualObject(path, this);
    }
    ~FakeServices() override { QDBusConnection::disconnectFromBus(bus.name()); }

    QString introspect(const QString &) const override { return QString(); }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        QStringList arguments;
        for (const QVariant &argument : message.arguments()) {
            const QString reason = qdbus_cast<QVariantMap>(argument).value(QStringLiteral("reason")).toString();
            arguments.append(reason.isEmpty() ? argument.toString() : QStringLiteral("reason=") + reason); // the portal's
        }
        const QString call = message.path() + u' ' + message.interface() + u'.' + message.member() + u'('
                             + arguments.join(QLatin1String(", ")) + u')';
        calls.append(call);
        const QVariant answer = answers.take(message.member());
        const QVariantList values = answer.isValid() ? QVariantList{answer} : QVariantList();
        connection.send(call == failing ? message.createErrorReply(error, QStringLiteral("refused"))
                                        : message.createReply(values));
        return true;
    }

    QDBusConnection bus;
    QStringList calls;
    QString failing, error; // the call refused, and the error's name
    QVariantMap answers;    // method name → the value of its next reply
};
