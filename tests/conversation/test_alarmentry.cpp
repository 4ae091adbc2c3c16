#include "conversation/alarmentry.h"
#include "conversation/mainstate.h"

#include <QTest>

class TestAlarmEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The hour and minute as the confirmation repeats them; empty: refused.
    void enterAlarmTime_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("timeText");
        const struct { const char *line, *timeText; } rows[] = {
            {"21:30", " 21: 30"}, {"9:5", " 9: 5"}, {"9:", " 9: 0"}, {"12:05", " 12: 5"}, {"10:00", " 10: 0"},
            {"23:59", " 23: 59"}, {"1230", " 12: 0"}, {"12345", " 12: 45"}, {"12.30", " 12: 30"},
            {"9:30:15", " 9: 30"}, {"9:305", " 9: 30"}, {"12:345", " 12: 34"}, {"9:x5", " 9: 0"},
            {"9:+5", " 9: 5"}, {"9:+-", " 9: 0"},
            {"9:.9", " 9: 1"}, {"9:.5", " 9: 0"}, {"9:\t5", " 9: 5"}, {"9: 5", " 9: 5"}, {"9:３０", " 9: 0"},
            {"24:00", ""}, {"12:60", ""}, {"09:30", ""}, {"00:15", ""}, {"0:30", ""}, {"9:-5", ""}, {" 9:30", ""},
            {"5", ""}, {"1a:30", ""}, {"timer", ""}, {"２１:３０", ""}, {"9：30", ""}, {"😀1:30", ""}, {"9😀30", ""},
            {"2 :30", ""},
        };
        for (const auto &row : rows)
            QTest::addRow("\"%s\"", row.line) << QString::fromUtf8(row.line) << QString::fromUtf8(row.timeText);
    }
    void enterAlarmTime()
    {
        QFETCH(QString, line);
        QFETCH(QString, timeText);
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
        QCOMPARE(QStringLiteral(" %1: %2").arg(state.setHour).arg(state.setMin), accepted ? timeText : " 7: 45");
    }
};

QTEST_GUILESS_MAIN(TestAlarmEntry)
#include "test_alarmentry.moc"
