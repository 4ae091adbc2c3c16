#include "app/windowfixture.h"

static const QString offerAndPrompt = QStringLiteral(
    "\r\n現在利用できる処理は\r\nＷＩＮＤＯＷＳ終了タイマー(コマンド timer)です。\r\n命令を入力してください。");

class TestGreeting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byHour_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("greeting");
        const QString late = QStringLiteral("\r\nこんばんわ\r\n遅くまでご苦労様です"), day = QStringLiteral("\r\nこんにちわ"),
                      morning = QStringLiteral("\r\nおはようございます"), evening = QStringLiteral("\r\nこんばんわ");
        const struct { const char *time; const QString &greeting; } rows[] = {
            {"0:15:00", late}, {"4:59:59", late}, {"5:00:00", morning}, {"9:59:59", morning}, {"07:15:00", morning},
            {"10:00:00", day}, {"17:59:59", day}, {"18:00:00", evening}, {"23:59:59", evening}, {"AM 7:15:00", ""},
        };
        for (const auto &row : rows)
            QTest::newRow(row.time) << QString::fromLatin1(row.time) << row.greeting;
    }
    void byHour()
    {
        QFETCH(QString, time);
        QFETCH(QString, greeting);
        WindowFixture f;
        f.log()->setFocus();
        f.tickAt(time);
        QCOMPARE(f.log()->text(), greeting + offerAndPrompt);
        QCOMPARE(QApplication::focusWidget(), f.input());
        f.tickAt(time); // never twice
        QCOMPARE(f.log()->text(), greeting + offerAndPrompt);
    }

    // Left to its own clock, the window greets on the first tick and reads
    // the whole time back on the next.
    void fullStart()
    {
        WindowFixture f;
        QVERIFY(f.clockStarted);
        f.system.time = QStringLiteral("21:05:03");
        f.clock()->start();
        QTRY_COMPARE(f.log()->text(), QStringLiteral("\r\nこんばんわ") + offerAndPrompt);
        QTRY_COMPARE(f.state().nowTime, QStringLiteral("21:05:03"));
    }
};

QTEST_MAIN(TestGreeting)
#include "test_greeting.moc"
