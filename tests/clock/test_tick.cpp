#include "app/windowfixture.h"

namespace {

void armAt(WindowFixture &f, int hour, int minute)
{
    f.state().greetStep = 0;
    f.state().setHour = qint16(hour);
    f.state().setMin = qint16(minute);
    f.state().timerOn = 1;
    f.state().mode = 5;
}

void tickAt(WindowFixture &f, const char *time)
{
    f.system.time = QString::fromLatin1(time);
    f.window.Timer1_Timer();
}

} // namespace

class TestTick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tick()
    {
        // The alarm at 21:30, or at 9:05 for the morning times; 77 and 88 mark untouched fields.
        const struct { const char *time; bool armed; int hour, minute, requests; } rows[] = {
            {"9:05:03", true, 9, 5, 1},      {"09:05:03", true, 9, 5, 1},    {"21:29:59", true, 21, 29, 0},
            {"21:30:00", true, 21, 30, 1},   {"21:30:01", true, 21, 30, 1},  {"21:31:00", true, 21, 31, 0},
            {"9:30:00", true, 9, 30, 0},     {"21:30:00", false, 77, 88, 0},
        };
        for (const auto &row : rows) {
            WindowFixture f;
            const bool morning = row.time[0] == '9' || row.time[1] == '9';
            armAt(f, morning ? 9 : 21, morning ? 5 : 30);
            f.state().timerOn = row.armed;
            f.state().nowHour = 77;
            f.state().nowMin = 88;
            tickAt(f, row.time);
            QCOMPARE(f.state().nowTime, QString::fromLatin1(row.time));
            QCOMPARE(f.child<QLabel>("jikanG")->text(), QString::fromLatin1(row.time));
            QCOMPARE(int(f.state().nowHour), row.hour);
            QCOMPARE(int(f.state().nowMin), row.minute);
            QCOMPARE(f.system.powerOffRequests, row.requests);
            QCOMPARE(f.state().timerOn, qint16(row.armed));
        }
    }

    // One request at a time, and none after the system's answer until the
    // next alarm minute; a refusal is told in the log.
    void requestsAndReports()
    {
        WindowFixture f;
        armAt(f, 21, 30);
        tickAt(f, "21:30:00");
        tickAt(f, "21:30:01"); // the first is still open
        const QString refused = QStringLiteral("\r\nシャットダウンできませんでした。\r\n");
        f.system.answerPowerOff(false, QStringLiteral("Access denied (org.freedesktop.DBus.Error.AccessDenied)"));
        QCOMPARE(f.log()->text(), refused + QStringLiteral("Access denied (org.freedesktop.DBus.Error.AccessDenied)"));
        tickAt(f, "21:30:02");
        QCOMPARE(f.system.powerOffRequests, 1);

        tickAt(f, "21:31:00");
        tickAt(f, "21:30:00"); // a later day
        f.system.answerPowerOff(false, QStringLiteral("next day"));
        QVERIFY(f.log()->text().endsWith(refused + QStringLiteral("next day")));
        tickAt(f, "21:31:00");
        tickAt(f, "21:30:00");
        const QString log = f.log()->text();
        f.system.answerPowerOff(true);
        tickAt(f, "21:30:01");
        QCOMPARE(f.system.powerOffRequests, 3);
        QCOMPARE(f.log()->text(), log);
        QCOMPARE(f.state().timerOn, qint16(1));
    }

    void aClosedWindowNeitherFiresNorTypes()
    {
        WindowFixture f;
        armAt(f, 21, 30);
        f.system.time = QStringLiteral("21:30:00");
        f.clock()->start();
        f.window.Timer1_Timer();
        f.window.close(); // with the request open
        QVERIFY(!f.clock()->isActive());
        f.system.answerPowerOff(false, QStringLiteral("refused"));
        QCOMPARE(f.log()->text(), QString());
        QTest::qWait(1500);
        QCOMPARE(f.system.powerOffRequests, 1);
    }
};

QTEST_MAIN(TestTick)
#include "test_tick.moc"
