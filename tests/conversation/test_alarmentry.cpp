#include "app/mainstate.h"
#include "conversation/alarmentry.h"

#include <QTest>

namespace {

const QString errorReply = QStringLiteral("正しく入力してください。(00:00)");

QString confirmation(const QString &timeText)
{
    return QStringLiteral("\r\n") + timeText
           + QStringLiteral("でよろしいですか。\r\n ｙｅｓ ｏｒ ｎｏ (コマンド yes , no)");
}

} // namespace

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
        const auto accepted = [](const char *name, const QString &line, const char *timeText, int hour,
                                 int minute) {
            QTest::newRow(name) << line << QString::fromUtf8(timeText) << hour << minute;
        };
        const auto refused = [](const char *name, const QString &line) {
            QTest::newRow(name) << line << QString() << 0 << 0;
        };
        accepted("21:30", "21:30", " 21: 30", 21, 30);
        accepted("9:5", "9:5", " 9: 5", 9, 5);
        accepted("9: nothing after the colon", "9:", " 9: 0", 9, 0);
        accepted("12:05 drops the zero", "12:05", " 12: 5", 12, 5);
        accepted("10:00", "10:00", " 10: 0", 10, 0);
        accepted("23:59", "23:59", " 23: 59", 23, 59);
        refused("24:00", "24:00");
        refused("12:60", "12:60");
        refused("09:30 leading zero", "09:30");
        refused("00:15", "00:15");
        refused("0:30", "0:30");
        accepted("1230 minute from 4 and 5", "1230", " 12: 0", 12, 0);
        accepted("12345 third character unread", "12345", " 12: 45", 12, 45);
        accepted("12.30", "12.30", " 12: 30", 12, 30);
        accepted("9:30:15 tail ignored", "9:30:15", " 9: 30", 9, 30);
        accepted("12:345 tail ignored", "12:345", " 12: 34", 12, 34);
        accepted("9:x5 no digits", "9:x5", " 9: 0", 9, 0);
        accepted("9:+5", "9:+5", " 9: 5", 9, 5);
        refused("9:-5", "9:-5");
        accepted("9:.9 rounds up", "9:.9", " 9: 1", 9, 1);
        accepted("9:.5 half to even", "9:.5", " 9: 0", 9, 0);
        refused("leading blank", " 9:30");
        refused("one character", "5");
        refused("1a:30", "1a:30");
        refused("timer", "timer");
        refused("full-width digits", "２１:３０");
        refused("full-width colon", "9：30");
        refused("emoji first", "😀1:30");
        refused("emoji second", "9😀30");
        accepted("tab inside the minute", "9:\t5", " 9: 5", 9, 5);
        refused("blank second", "2 :30");
    }
    void enterAlarmTime()
    {
        QFETCH(QString, line);
        QFETCH(QString, timeText);
        QFETCH(int, hour);
        QFETCH(int, minute);

        MainState state;
        state.mode = 3;
        state.setHour = 7;
        state.setMin = 45;
        state.inText = line;
        EnterAlarmTime(state);

        if (timeText.isEmpty()) {
            QCOMPARE(state.replyText, errorReply);
            QCOMPARE(state.mode, qint16(3));
            QCOMPARE(state.setHour, qint16(7));
            QCOMPARE(state.setMin, qint16(45));
        } else {
            QCOMPARE(state.replyText, confirmation(timeText));
            QCOMPARE(state.mode, qint16(4));
            QCOMPARE(int(state.setHour), hour);
            QCOMPARE(int(state.setMin), minute);
        }
    }
};

QTEST_GUILESS_MAIN(TestAlarmEntry)
#include "test_alarmentry.moc"
