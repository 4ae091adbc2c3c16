#include "app/windowfixture.h"
#include "platform/beeper.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

namespace {

// The loudest sample of a raw recording.
int peak(const QByteArray &audio)
{
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < audio.size(); i += 2) {
        const auto sample = qint16(quint8(audio[i]) | quint8(audio[i + 1]) << 8);
        loudest = std::max(loudest, std::abs(int(sample)));
    }
    return loudest;
}

} // namespace

// The real beep heard on a real sound server: a private PulseAudio with a
// null sink, started by the test, recorded from the sink's monitor while
// the window types a reply. Nothing reaches the machine's own sound
// session or its message buses.
class TestSoundServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        const QString socket = dir.filePath(QStringLiteral("native"));
        QFile clientConfig(dir.filePath(QStringLiteral("client.conf")));
        QVERIFY(clientConfig.open(QIODevice::WriteOnly) && clientConfig.write("autospawn = no\n") > 0);
        clientConfig.close();
        // Before any sound is played: this process's side.
        const QByteArray noBus = "unix:path=" + QFile::encodeName(dir.filePath(QStringLiteral("no-bus")));
        for (const auto &[name, value] : {std::pair{"PULSE_SERVER", "unix:" + QFile::encodeName(socket)},
                                          {"PULSE_CLIENTCONFIG", QFile::encodeName(clientConfig.fileName())},
                                          {"PULSE_COOKIE", QFile::encodeName(dir.filePath(QStringLiteral("cookie")))},
                                          {"CANBERRA_DRIVER", QByteArray("pulse")}, // never straight to a sound card
                                          {"DBUS_SESSION_BUS_ADDRESS", noBus},
                                          {"DBUS_SYSTEM_BUS_ADDRESS", noBus}})
            qputenv(name, value);
        qunsetenv("DISPLAY");

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
            environment.insert(QLatin1String(name), dir.path());
        server.setProcessEnvironment(environment);
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start(QStringLiteral("pulseaudio"),
                     QStringList{"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
                                 "module-null-sink sink_name=check", "-L",
                                 "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        QVERIFY2(server.waitForStarted(), "cannot start pulseaudio (package pulseaudio)");
        QVERIFY(QTest::qWaitFor([&socket] { return QFile::exists(socket); }, 30'000));
    }
    void cleanupTestCase()
    {
        server.terminate();
        server.waitForFinished();
    }

    void typedReplyIsHeard_data()
    {
        QTest::addColumn<bool>("beeping");
        QTest::newRow("real beep") << true;
        QTest::newRow("beep off") << false;
    }
    void typedReplyIsHeard()
    {
        QFETCH(bool, beeping);
        QProcess recorder;
        recorder.start(QStringLiteral("parec"), QStringList{"--device=check.monitor", "--raw", "--format=s16le",
                                                            "--channels=1", "--rate=8000", "--latency-msec=20"});
        QVERIFY2(recorder.waitForStarted(), "cannot start parec (package pulseaudio-utils)");
        // The sink's silence arriving shows the recording has begun.
        QVERIFY(QTest::qWaitFor([&recorder] { return recorder.bytesAvailable() > 0; }, 30'000));
        recorder.readAll();

        const std::unique_ptr<Beeper> beeper = makeSystemBeeper();
        WindowFixture f;
        if (beeping)
            f.system.beepService = [&beeper] { beeper->beep(); };
        f.submit(QStringLiteral("timer"));

        QByteArray audio; // one second from the reply on: 8000 samples of 16 bits
        QVERIFY(QTest::qWaitFor([&] { return (audio += recorder.readAll()).size() >= 16'000; }, 30'000));
        recorder.kill();
        recorder.waitForFinished();
        if (beeping)
            QVERIFY2(peak(audio) > 1000, qPrintable(QString::number(peak(audio))));
        else
            QCOMPARE(peak(audio), 0);
    }

private:
    QTemporaryDir dir;
    QProcess server;
};

QTEST_MAIN(TestSoundServer)
#include "test_soundserver.moc"
