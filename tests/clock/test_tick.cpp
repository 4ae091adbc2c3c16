#include "app/windowfixture.h"

class TestTick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The alarm at 21:30; nowHour and nowMin as read from the time (77 and 88: not read).
    void tick_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<QString>("now");
        QTest::addColumn<int>("requests");
        QTest::newRow("on the minute") << "21:30:00" << true << "21:30" << 1;
        QTest::newRow("leading zero") << "09:30:00" << true << "9:30" << 0;
        QTest::newRow("one-digit hour") << "9:30:00" << true << "9:30" << 0;
        QTest::newRow("a second early") << "21:29:59" << true << "21:29" << 0;
        QTest::newRow("a minute late") << "21:31:00" << true << "21:31" << 0;
        QTest::newRow("disarmed") << "21:30:00" << false << "77:88" << 0;
    }
    void tick()
    {
        QFETCH(QString, time);
        QFETCH(bool, armed);
        QFETCH(QString, now);
        QFETCH(int, requests);
        WindowFixture f;
        f.arm(21, 30);
        f.state().timerOn = armed;
        f.state().nowHour = 77;
        f.state().nowMin = 88;
        f.tickAt(time);
        QCOMPARE(f.state().nowTime, time);
        QCOMPARE(f.child<QLabel>("jikanG")->text(), time);
        QCOMPARE(QStringLiteral("%1:%2").arg(f.state().nowHour).arg(f.state().nowMin), now);
        QCOMPARE(f.system.powerOffRequests, requests);
    }

    // One request at a time, and after the system's answer none until the
    // next alarm minute; a refusal is told in the log, an acceptance is not.
    void requestsAndReports()
    {
        WindowFixture f;
        f.arm(21, 30);
        f.tickAt(QStringLiteral("21:30:00"));
        f.tickAt(QStringLiteral("21:30:01")); // the first is still open
        f.system.answerPowerOff(false, QStringLiteral("Access denied"));
        f.tickAt(QStringLiteral("21:30:02"));
        QCOMPARE(f.system.powerOffRequests, 1);
        f.tickAt(QStringLiteral("21:31:00"));
        f.tickAt(QStringLiteral("21:30:00")); // a later day
        f.system.answerPowerOff(true);
        QCOMPARE(f.system.powerOffRequests, 2);
        QCOMPARE(f.log()->text(), QStringLiteral("\r\nシャットダウンできませんでした。\r\nAccess denied"));
    }

    void aClosedWindowNeitherFiresNorTypes()
    {
        WindowFixture f;
        f.arm(21, 30);
        f.clock()->start();
        f.tickAt(QStringLiteral("21:30:00"));
        f.window.close(); // with the request open
        QVERIFY(!f.clock()->isActive());
        f.system.answerPowerOff(false, QStringLiteral("refused"));
        QCOMPARE(f.log()->text(), QString());
    }
};

QTEST_MAIN(TestTick)
#include "test_tick.moc"
