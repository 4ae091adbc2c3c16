#include "app/windowfixture.h"

namespace {

const QString refusedPrefix = QStringLiteral("\r\nシャットダウンできませんでした。\r\n");

void arm(WindowFixture &f, int hour, int minute)
{
    f.state().setHour = qint16(hour);
    f.state().setMin = qint16(minute);
    f.state().timerOn = 1;
    f.state().mode = 5;
}

} // namespace

class TestTick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tick_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<int>("nowHour");
        QTest::addColumn<int>("nowMin");
        QTest::addColumn<int>("requests");
        // The alarm is set for 21:30, or 9:05 where the time is in the morning.
        QTest::newRow("9:05:03 one hour digit") << "9:05:03" << true << 9 << 5 << 1;
        QTest::newRow("09:05:03 leading zero") << "09:05:03" << true << 9 << 5 << 1;
        QTest::newRow("21:29:59 before") << "21:29:59" << true << 21 << 29 << 0;
        QTest::newRow("21:30:00 on the minute") << "21:30:00" << true << 21 << 30 << 1;
        QTest::newRow("21:30:01 within it") << "21:30:01" << true << 21 << 30 << 1;
        QTest::newRow("21:31:00 after") << "21:31:00" << true << 21 << 31 << 0;
        QTest::newRow("9:30:00 other hour") << "9:30:00" << true << 9 << 30 << 0;
        QTest::newRow("disarmed touches nothing") << "21:30:00" << false << 77 << 88 << 0;
    }
    void tick()
    {
        QFETCH(QString, time);
        QFETCH(bool, armed);
        QFETCH(int, nowHour);
        QFETCH(int, nowMin);
        QFETCH(int, requests);
        WindowFixture f;
        f.state().greetStep = 0;
        f.state().nowHour = 77;
        f.state().nowMin = 88;
        const bool morning = time.startsWith(u'9') || time.startsWith(QLatin1String("09"));
        f.state().setHour = morning ? 9 : 21;
        f.state().setMin = morning ? 5 : 30;
        if (armed)
            arm(f, f.state().setHour, f.state().setMin);
        f.system.time = time;

        f.window.Timer1_Timer();
        QCOMPARE(f.state().nowTime, time);
        QCOMPARE(f.child<QLabel>("jikanG")->text(), time);
        QCOMPARE(int(f.state().nowHour), nowHour);
        QCOMPARE(int(f.state().nowMin), nowMin);
        QCOMPARE(f.system.powerOffRequests, requests);
        QCOMPARE(f.state().timerOn, qint16(armed ? 1 : 0));
        QCOMPARE(f.log()->text(), QString()); // no greeting, no report
    }

    void greetsOnlyWhileDue()
    {
        WindowFixture f;
        f.window.Timer1_Timer();
        QCOMPARE(f.state().greetStep, qint16(0));
        const QString greeted = f.log()->text();
        QVERIFY(greeted.endsWith(QStringLiteral("\r\n命令を入力してください。")));
        f.window.Timer1_Timer();
        QCOMPARE(f.log()->text(), greeted);
    }

    // One request at a time, and a refusal told once per alarm minute.
    void requestsAndReports()
    {
        WindowFixture f;
        f.state().greetStep = 0;
        arm(f, 21, 30);
        const auto tickAt = [&f](const char *time) {
            f.system.time = QString::fromLatin1(time);
            f.window.Timer1_Timer();
        };

        tickAt("21:30:00");
        tickAt("21:30:01");
        QCOMPARE(f.system.powerOffRequests, 1); // the first is still open

        QTest::ignoreMessage(QtWarningMsg, "シャットダウンできませんでした。\r\nAccess denied (org.freedesktop.DBus.Error.AccessDenied)");
        f.system.answerPowerOff(false, QStringLiteral("Access denied (org.freedesktop.DBus.Error.AccessDenied)"));
        const QString reported = refusedPrefix + QStringLiteral("Access denied (org.freedesktop.DBus.Error.AccessDenied)");
        QCOMPARE(f.log()->text(), reported);

        tickAt("21:30:02"); // tried again, quietly
        QCOMPARE(f.system.powerOffRequests, 2);
        f.system.answerPowerOff(false, QStringLiteral("again"));
        QCOMPARE(f.log()->text(), reported);

        tickAt("21:31:00");
        tickAt("21:30:00"); // the same time on a later day
        QCOMPARE(f.system.powerOffRequests, 3);
        QTest::ignoreMessage(QtWarningMsg, "シャットダウンできませんでした。\r\nnext day");
        f.system.answerPowerOff(false, QStringLiteral("next day"));
        QCOMPARE(f.log()->text(), reported + refusedPrefix + QStringLiteral("next day"));

        tickAt("21:30:01");
        f.system.answerPowerOff(true);
        tickAt("21:30:02"); // accepted: nothing more this minute
        QCOMPARE(f.system.powerOffRequests, 4);
        QCOMPARE(f.state().timerOn, qint16(1));
    }

    void aClosedWindowNeverFires()
    {
        WindowFixture f;
        f.state().greetStep = 0;
        arm(f, 21, 30);
        f.system.time = QStringLiteral("21:30:00");
        f.clock()->start();
        f.window.close();
        QTest::qWait(1500);
        QCOMPARE(f.system.powerOffRequests, 0);
    }
};

QTEST_MAIN(TestTick)
#include "test_tick.moc"
