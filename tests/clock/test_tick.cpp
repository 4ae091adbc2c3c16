#include "app/windowfixture.h"

class TestTick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The alarm at 9:00: a request only on its hour and minute while armed.
    // The greeting's tick reads only the two characters it keeps: the hour.
    void tick_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<bool>("greeting");
        QTest::addColumn<int>("requests");
        QTest::newRow("on the minute") << "9:00:00" << true << false << 1;
        QTest::newRow("leading zero") << "09:00:59" << true << false << 1;
        QTest::newRow("another hour") << "21:00:00" << true << false << 0;
        QTest::newRow("a minute late") << "9:01:00" << true << false << 0;
        QTest::newRow("disarmed") << "9:00:00" << false << false << 0;
        QTest::newRow("greeting, hour only") << "9:45:00" << true << true << 1;
    }
    void tick()
    {
        QFETCH(QString, time);
        QFETCH(bool, armed);
        QFETCH(bool, greeting);
        QFETCH(int, requests);
        WindowFixture f;
        f.arm(9, 0);
        f.state().timerOn = armed;
        f.state().greetStep = greeting;
        f.tickAt(time);
        QCOMPARE(f.state().nowTime, greeting ? time.left(2) : time);
        QLabel *clockLabel = f.child<QLabel>("jikanG");
        QVERIFY(clockLabel->text() == time && clockLabel->size() == clockLabel->sizeHint());
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
        f.tickAt(QStringLiteral("21:30:03"));
        QCOMPARE(f.system.powerOffRequests, 1);
        f.tickAt(QStringLiteral("21:31:00"));
        f.tickAt(QStringLiteral("21:30:00")); // a later day
        f.system.answerPowerOff(true);
        QCOMPARE(f.system.powerOffRequests, 2);
        QCOMPARE(f.log()->text(), QStringLiteral("\r\nシャットダウンできませんでした。\r\nAccess denied"));
    }

    // Nor keeps the machine awake.
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
        QCOMPARE(f.system.events, QStringList{"disarmed"});
    }
};

QTEST_MAIN(TestTick)
#include "test_tick.moc"
