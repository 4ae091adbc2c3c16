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
        f.tickAt(time);
        QCOMPARE(f.log()->text(), greeting + offerAndPrompt);
        QCOMPARE(QApplication::focusWidget(), f.input());
        f.tickAt(time); // never twice
        QCOMPARE(f.log()->text(), greeting + offerAndPrompt);
    }

    // The first tick's alarm check reads the two characters the greeting
    // left: the hour, and no minute.
    void firstTickChecksTheCutTime()
    {
        for (const qint16 alarmMinute : {0, 5}) {
            WindowFixture f;
            f.arm(21, alarmMinute);
            f.state().greetStep = 1;
            f.tickAt(QStringLiteral("21:05:03"));
            QCOMPARE(f.state().nowTime, QStringLiteral("21"));
            QCOMPARE(f.system.powerOffRequests, alarmMinute == 0 ? 1 : 0);
        }
    }

    // As the program starts: its clock greets on the first tick and brings
    // the whole time back on the next, for the conversation to quote.
    void fullStart()
    {
        FakeSystem system;
        system.time = QStringLiteral("21:05:03");
        T_Main window(system);
        auto *log = window.findChild<ChatLog *>(QStringLiteral("uke"));
        QTRY_COMPARE(log->text(), QStringLiteral("\r\nこんばんわ") + offerAndPrompt);
        QTRY_COMPARE(window.state().nowTime, QStringLiteral("21:05:03"));
        auto *input = window.findChild<QLineEdit *>(QStringLiteral("Sent_t"));
        input->setText(QStringLiteral("timer"));
        QTest::keyClick(input, Qt::Key_Return);
        QVERIFY(log->text().contains(QStringLiteral("\r\n現在の時刻は21:05:03です。\r\n")));
    }
};

QTEST_MAIN(TestGreeting)
#include "test_greeting.moc"
