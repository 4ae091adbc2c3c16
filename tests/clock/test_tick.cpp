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

    // One request at a time; a refusal told once per alarm minute.
    void requestsAndReports()
    {
        WindowFixture f;
        armAt(f, 21, 30);
        tickAt(f, "21:30:00");
        tickAt(f, "21:30:01");
        QCOMPARE(f.system.powerOffRequests, 1); // the first is still open

        const QString report = QStringLiteral("シャットダウンできませんでした。\r\nAccess denied (org.freedesktop.DBus.Error.AccessDenied)");
        QTest::ignoreMessage(QtWarningMsg, report.toUtf8().constData());
        f.system.answerPowerOff(false, QStringLiteral("Access denied (org.freedesktop.DBus.Error.AccessDenied)"));
        QCOMPARE(f.log()->text(), QStringLiteral("\r\n") + report);

        tickAt(f, "21:30:02"); // tried again, quietly
        f.system.answerPowerOff(false, QStringLiteral("again"));
        QCOMPARE(f.system.powerOffRequests, 2);
        QCOMPARE(f.log()->text(), QStringLiteral("\r\n") + report);

        tickAt(f, "21:31:00");
        tickAt(f, "21:30:00"); // a later day
        QTest::ignoreMessage(QtWarningMsg, "シャットダウンできませんでした。\r\nnext day");
        f.system.answerPowerOff(false, QStringLiteral("next day"));
        QVERIFY(f.log()->text().endsWith(QStringLiteral("\r\nシャットダウンできませんでした。\r\nnext day")));

        tickAt(f, "21:30:01");
        f.system.answerPowerOff(true);
        tickAt(f, "21:30:02"); // accepted: nothing more this minute
        QCOMPARE(f.system.powerOffRequests, 4);
        QCOMPARE(f.state().timerOn, qint16(1));
    }

    void aClosedWindowNeverFires()
    {
        WindowFixture f;
        armAt(f, 21, 30);
        f.system.time = QStringLiteral("21:30:00");
        f.clock()->start();
        f.window.close();
        QVERIFY(!f.clock()->isActive());
        QTest::qWait(1500);
        QCOMPARE(f.system.powerOffRequests, 0);
    }
};

QTEST_MAIN(TestTick)
#include "test_tick.moc"
