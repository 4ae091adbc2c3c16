#include "app/windowfixture.h"

namespace {

const QString offerAndPrompt = QStringLiteral(
    "\r\n現在利用できる処理は\r\nＷＩＮＤＯＷＳ終了タイマー(コマンド timer)です。\r\n命令を入力してください。");
const QString prompt = QStringLiteral("\r\n命令を入力してください。");

QString greetingLine(int hour)
{
    if (hour <= 4)
        return QStringLiteral("\r\nこんばんわ\r\n遅くまでご苦労様です");
    if (hour <= 9)
        return QStringLiteral("\r\nおはようございます");
    if (hour <= 17)
        return QStringLiteral("\r\nこんにちわ");
    return QStringLiteral("\r\nこんばんわ");
}

} // namespace

class TestGreeting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byHour_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("log");
        for (int hour = 0; hour < 24; ++hour) {
            const QString time = QString::number(hour) + QStringLiteral(":15:00");
            QTest::addRow("%s", qPrintable(time)) << time << greetingLine(hour) + offerAndPrompt;
        }
        QTest::newRow("leading zero") << "07:15:00" << greetingLine(7) + offerAndPrompt;
        QTest::newRow("23:59:59") << "23:59:59" << greetingLine(23) + offerAndPrompt;
        QTest::newRow("no hour to read") << "AM 7:15:00" << offerAndPrompt;
    }
    void byHour()
    {
        QFETCH(QString, time);
        QFETCH(QString, log);
        WindowFixture f;
        f.system.time = time;
        f.window.Timer1_Timer();
        QCOMPARE(f.log()->text(), log);
        QCOMPARE(f.state().greetStep, qint16(0));
        QCOMPARE(f.state().nowTime, time.left(2));
        QCOMPARE(f.state().replyText, QStringLiteral("命令を入力してください。"));
        QCOMPARE(f.state().mode, qint16(1));
        QCOMPARE(QApplication::focusWidget(), f.input());
    }

    void fromAnyStep_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("log");
        QTest::newRow("offer next") << 2 << offerAndPrompt;
        QTest::newRow("prompt next") << 3 << prompt;
        QTest::newRow("done") << 0 << prompt;
    }
    void fromAnyStep()
    {
        QFETCH(int, step);
        QFETCH(QString, log);
        WindowFixture f;
        f.state().greetStep = qint16(step);
        f.window.shoki_Click();
        QCOMPARE(f.log()->text(), log);
        QCOMPARE(f.state().greetStep, qint16(0));
    }

    // The alarm check of the first tick reads the two characters the
    // greeting left: the hour, and no minute.
    void firstTickChecksTheCutTime_data()
    {
        QTest::addColumn<int>("alarmMinute");
        QTest::addColumn<int>("requests");
        QTest::newRow("alarm on the hour") << 0 << 1;
        QTest::newRow("alarm at five past") << 5 << 0;
    }
    void firstTickChecksTheCutTime()
    {
        QFETCH(int, alarmMinute);
        QFETCH(int, requests);
        WindowFixture f;
        f.state().setHour = 21;
        f.state().setMin = qint16(alarmMinute);
        f.state().timerOn = 1;
        f.state().mode = 5;
        f.system.time = QStringLiteral("21:05:03");
        f.window.Timer1_Timer();
        QVERIFY(f.log()->text().startsWith(QStringLiteral("\r\nこんばんわ\r\n")));
        QCOMPARE(f.state().nowHour, qint16(21));
        QCOMPARE(f.state().nowMin, qint16(0));
        QCOMPARE(f.system.powerOffRequests, requests);
    }

    void fullStart()
    {
        FakeSystem system;
        system.time = QStringLiteral("21:05:03");
        T_Main window(system);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_COMPARE(window.state().greetStep, qint16(0));
        auto *log = window.findChild<ChatLog *>(QStringLiteral("uke"));
        QCOMPARE(log->text().split(QStringLiteral("\r\n")),
                 QStringList({"", "こんばんわ", "現在利用できる処理は",
                              "ＷＩＮＤＯＷＳ終了タイマー(コマンド timer)です。", "命令を入力してください。"}));
        auto *input = window.findChild<QLineEdit *>(QStringLiteral("Sent_t"));
        QCOMPARE(QApplication::focusWidget(), input);

        // The next tick brings the whole time back for the conversation to quote.
        QTRY_COMPARE(window.state().nowTime, QStringLiteral("21:05:03"));
        QTest::keyClicks(input, QStringLiteral("timer"));
        QTest::keyClick(input, Qt::Key_Return);
        QVERIFY(log->text().contains(QStringLiteral("\r\n現在の時刻は21:05:03です。\r\n")));
    }
};

QTEST_MAIN(TestGreeting)
#include "test_greeting.moc"
