#pragma once

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>

#include <csignal>
#include <cstdio>

// Two private message buses in place of the machine's session and system
// buses, put in place before QApplication so that nothing reaches the real
// ones; a call sent on the wrong one finds nobody.
struct PrivateBuses
{
    static constexpr const char *variables[] = {"DBUS_SESSION_BUS_ADDRESS", "DBUS_SYSTEM_BUS_ADDRESS"};

    PrivateBuses()
    {
        for (int bus = 0; bus < 2; ++bus) {
            FILE *daemon = popen("dbus-daemon --config-file=" PRIVATE_BUS_CONFIG
                                 " --fork --print-address=1 --print-pid=1",
                                 "r");
            char address[512];
            if (!daemon || std::fscanf(daemon, "%511s %d", address, &pids[bus]) != 2)
                qFatal("cannot start dbus-daemon (package dbus-daemon)");
            pclose(daemon);
            qputenv(variables[bus], address);
        }
    }
    ~PrivateBuses()
    {
        for (pid_t pid : pids)
            kill(pid, SIGTERM);
    }
    // Proof that the program's buses are these: they see a name that only
    // these have. Otherwise stop before anything is sent.
    static void check()
    {
        const QString marker = QStringLiteral("org.pelmora.PrivateBus%1").arg(QCoreApplication::applicationPid());
        for (int bus = 0; bus < 2; ++bus) {
            QDBusConnection own = QDBusConnection::connectToBus(qEnvironmentVariable(variables[bus]), variables[bus]);
            own.registerService(marker);
            const QDBusConnection program = bus ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
            if (!program.interface() || !program.interface()->isServiceRegistered(marker))
                qFatal("%s is not the test's private bus; refusing to go on", qPrintable(program.name()));
            QDBusConnection::disconnectFromBus(own.name());
        }
    }
    pid_t pids[2] = {};
};

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
    ~Mock()
    {
        process.terminate();
        process.waitForFinished();
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

    // The calls answered so far, the mock's own errors left out.
    QStringList calls()
    {
        QFile file(log.fileName());
        QStringList lines;
        if (!file.open(QIODevice::ReadOnly))
            return lines;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            if (!line.contains(QLatin1String(" raised: ")))
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
