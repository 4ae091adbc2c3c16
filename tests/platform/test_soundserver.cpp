#include "app/dialogue.h"
#include "platform/beeper.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

// The real beep heard on a real sound server: a private PulseAudio with a
// null sink, recorded from the sink's monitor while the window types a reply.
class TestSoundServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        const QByteArray home = QFile::encodeName(dir.path());
        const QByteArray socket = home + "/native";
        // This process and the server: nothing of the machine's own sound session or message buses.
        for (const char *name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "PULSE_RUNTIME_PATH", "PULSE_STATE_PATH"})
            qputenv(name, home);
        for (const char *name : {"DBUS_SESSION_BUS_ADDRESS", "DBUS_SYSTEM_BUS_ADDRESS"})
            qputenv(name, "unix:path=" + home + "/no-bus");
        qputenv("PULSE_SERVER", "unix:" + socket); // nor is another server started for it
        qputenv("CANBERRA_DRIVER", "pulse");       // never straight to a sound card
        qunsetenv("DISPLAY");
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
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
        recorder.start("parec", {"--device=check.monitor", "--raw", "--format=s16le", "--channels=1", "--rate=8000",
                                 "--latency-msec=20"});
        QVERIFY2(recorder.waitForStarted(), "cannot start parec (package pulseaudio-utils)");
        // The sink's silence arriving shows the recording has begun.
        QVERIFY(QTest::qWaitFor([&recorder] { return recorder.bytesAvailable() > 0; }, 30'000));
        recorder.readAll();
        const std::unique_ptr<Beeper> beeper = makeSystemBeeper();
        Dialogue d;
        if (beeping)
            d.system.beepService = [&beeper] { beeper->beep(); };
        QVERIFY(d.type("timer"));

        QByteArray audio; // one second from the reply on: 8000 samples of 16 bits
        QVERIFY(QTest::qWaitFor([&] { return (audio += recorder.readAll()).size() >= 16'000; }, 30'000));
        recorder.kill();
        recorder.waitForFinished();
        int peak = 0;
        for (qsizetype i = 0; i + 1 < audio.size(); i += 2)
            peak = std::max(peak, qAbs(int(qFromLittleEndian<qint16>(audio.constData() + i))));
        QVERIFY2(beeping ? peak > 1000 : peak == 0, qPrintable(QString::number(peak)));
    }

private:
    QTemporaryDir dir;
    QProcess server;
};

QTEST_MAIN(TestSoundServer)
#include "test_soundserver.moc"
