#include "app/windowfixture.h"

namespace {

const QString offerAndPrompt = QStringLiteral(
    "\r\n現在利用できる処理は\r\nＷＩＮＤＯＷＳ終了タイマー(コマンド timer)です。\r\n命令を入力してください。");

} // namespace

class TestGreeting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void byHour_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("greeting");
        const QString late = QStringLiteral("\r\nこんばんわ\r\n遅くまでご苦労様です");
        const QString morning = QStringLiteral("\r\nおはようございます");
        const QString day = QStringLiteral("\r\nこんにちわ");
        const QString evening = QStringLiteral("\r\nこんばんわ");
        for (int hour = 0; hour < 24; ++hour) {
            const QString &greeting = hour <= 4 ? late : hour <= 9 ? morning : hour <= 17 ? day : evening;
            QTest::addRow("%d:15:00", hour) << QStringLiteral("%1:15:00").arg(hour) << greeting;
        }
        QTest::newRow("leading zero") << "07:15:00" << morning;
        QTest::newRow("no hour to read") << "AM 7:15:00" << "";
    }
    void byHour()
    {
        QFETCH(QString, time);
        QFETCH(QString, greeting);
        WindowFixture f;
        f.system.time = time;
        f.window.Timer1_Timer();
        QCOMPARE(f.log()->text(), greeting + offerAndPrompt);
        QCOMPARE(f.state().greetStep, qint16(0));
        QCOMPARE(f.state().nowTime, time.left(2));
        QCOMPARE(f.state().replyText, QStringLiteral("命令を入力してください。"));
        QCOMPARE(QApplication::focusWidget(), f.input());

        f.window.Timer1_Timer(); // never twice
        QCOMPARE(f.log()->text(), greeting + offerAndPrompt);
    }

    void fromAnyStep()
    {
        for (const qint16 step : {2, 3, 0}) {
            WindowFixture f;
            f.state().greetStep = step;
            f.window.shoki_Click();
            QCOMPARE(f.log()->text(), step == 2 ? offerAndPrompt : offerAndPrompt.mid(offerAndPrompt.lastIndexOf(u'\r')));
            QCOMPARE(f.state().greetStep, qint16(0));
        }
    }

    // The first tick's alarm check reads the two characters the greeting
    // left: the hour, and no minute.
    void firstTickChecksTheCutTime()
    {
        for (const qint16 alarmMinute : {0, 5}) {
            WindowFixture f;
            f.state().setHour = 21;
            f.state().setMin = alarmMinute;
            f.state().timerOn = 1;
            f.state().mode = 5;
            f.system.time = QStringLiteral("21:05:03");
            f.window.Timer1_Timer();
            QVERIFY(f.log()->text().startsWith(QStringLiteral("\r\nこんばんわ\r\n")));
            QCOMPARE(f.state().nowHour, qint16(21));
            QCOMPARE(f.state().nowMin, qint16(0));
            QCOMPARE(f.system.powerOffRequests, alarmMinute == 0 ? 1 : 0);
        }
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
        QCOMPARE(log->text(), QStringLiteral("\r\nこんばんわ") + offerAndPrompt);
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
