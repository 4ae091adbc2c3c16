#include "conversation/alarmentry.h"
#include "conversation/mainstate.h"

#include <QTest>

class TestAlarmEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enterAlarmTime_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("timeText"); // empty: the line is refused
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        const struct { const char *line, *timeText; int hour, minute; } rows[] = {
            {"21:30", " 21: 30", 21, 30}, {"9:5", " 9: 5", 9, 5}, {"9:", " 9: 0", 9, 0},
            {"12:05", " 12: 5", 12, 5}, {"10:00", " 10: 0", 10, 0}, {"23:59", " 23: 59", 23, 59},
            {"1230", " 12: 0", 12, 0}, {"12345", " 12: 45", 12, 45}, {"12.30", " 12: 30", 12, 30},
            {"9:30:15", " 9: 30", 9, 30}, {"12:345", " 12: 34", 12, 34}, {"9:x5", " 9: 0", 9, 0},
            {"9:+5", " 9: 5", 9, 5}, {"9:.9", " 9: 1", 9, 1}, {"9:.5", " 9: 0", 9, 0},
            {"9:\t5", " 9: 5", 9, 5},
            // Refused:
            {"24:00", "", 0, 0}, {"12:60", "", 0, 0}, {"09:30", "", 0, 0}, {"00:15", "", 0, 0}, {"0:30", "", 0, 0}, {"9:-5", "", 0, 0},
            {" 9:30", "", 0, 0}, {"5", "", 0, 0}, {"1a:30", "", 0, 0}, {"timer", "", 0, 0}, {"２１:３０", "", 0, 0}, {"9：30", "", 0, 0},
            {"😀1:30", "", 0, 0}, {"9😀30", "", 0, 0}, {"2 :30", "", 0, 0},
        };
        for (const auto &row : rows)
            QTest::addRow("\"%s\"", row.line) << QString::fromUtf8(row.line) << QString::fromUtf8(row.timeText)
                                              << row.hour << row.minute;
    }
    void enterAlarmTime()
    {
        QFETCH(QString, line);
        QFETCH(QString, timeText);
        QFETCH(int, hour);
        QFETCH(int, minute);
        MainState state;
        state.mode = 3;
        state.setHour = 7; // an earlier alarm time, kept on a refusal
        state.setMin = 45;
        state.inText = line;
        EnterAlarmTime(state);

        const bool accepted = !timeText.isEmpty();
        QCOMPARE(state.replyText, accepted ? QStringLiteral("\r\n") + timeText
                                                 + QStringLiteral("でよろしいですか。\r\n ｙｅｓ ｏｒ ｎｏ (コマンド yes , no)")
                                           : QStringLiteral("正しく入力してください。(00:00)"));
        QCOMPARE(int(state.mode), accepted ? 4 : 3);
        QCOMPARE(int(state.setHour), accepted ? hour : 7);
        QCOMPARE(int(state.setMin), accepted ? minute : 45);
    }
};

QTEST_GUILESS_MAIN(TestAlarmEntry)
#include "test_alarmentry.moc"
