#include "windowfixture.h"

#include <map>

// Puts each paint of the log's text area into the list the beeps go to.
struct PaintRecorder : QObject
{
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            *events << (log->textCursor().atEnd() ? "paint, caret at end" : "paint");
        return false;
    }
    ChatLog *log;
    QStringList *events;
};

class TestConversation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // From a state at 21:05:03 with the alarm at 9:05 (armed in states 5
    // and 6): the lines split at "|", the reply to the last one.
    void reply_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("nextMode");
        QTest::addColumn<QString>("label");
        const QString at905 = QStringLiteral("タイマー設定時間 9時 5分");
        const QString askYesNo = QStringLiteral("正しく入力してください。(yes,no)");
        const QString ended = QStringLiteral("timerイベントを終了します。");
        const QString stillSet = QStringLiteral("タイマーがセットされています。");
        const QString offer = stillSet + QStringLiteral("\r\nタイマーを解除しますか。\r\nyes or no");
        const QString armed = QStringLiteral("タイマーがセットされました。");
        for (int mode : {1, 3, 4, 6})
            QTest::addRow("greeting word in state %d", mode)
                << mode << "おはよう" << QStringLiteral("おはようございます。") << mode << (mode == 6 ? at905 : "");
        for (int mode : {1, 3, 5})
            QTest::addRow("empty line in state %d", mode)
                << mode << "" << QStringLiteral("命令を入力してください。") << mode << (mode == 5 ? at905 : "");
        const QString unknown[] = {"Timer", "timer ", " ", "ｔｉｍｅｒ", "😀", QString(QChar(0)) + QStringLiteral("\r\n"),
                                   QChar(0xd800) + QStringLiteral("x") + QChar(0xdfff)};
        for (const QString &line : unknown)
            QTest::addRow("unknown %s", line.toUtf8().toPercentEncoding().constData())
                << 1 << line << line + QStringLiteral("は理解できません。") << 1 << "";
        QTest::newRow("timer") << 1 << "timer"
            << QStringLiteral("\r\nウィンドウズ終了までのタイマーをセットします。\r\n現在の時刻は21:05:03です。\r\n"
                              "OO:OOの（必、半角文字）ように入力してください。\r\n"
                              "数字が一桁の場合は、そのまま入力してください。（例1:23)\r\n０１や０２などは認識できません")
            << 3 << "";
        QTest::newRow("time accepted") << 3 << "21:30"
            << QStringLiteral("\r\n 21: 30でよろしいですか。\r\n ｙｅｓ ｏｒ ｎｏ (コマンド yes , no)") << 4 << "";
        QTest::newRow("4 YES") << 4 << "YES" << askYesNo << 4 << "";
        QTest::newRow("4 no") << 4 << "no" << ended << 1 << "";
        QTest::newRow("4 yes") << 4 << "yes" << armed << 5 << at905;
        QTest::newRow("4 greeting word, then yes") << 4 << "おはよう|yes" << armed << 5 << at905;
        QTest::newRow("5 timer") << 5 << "timer" << offer << 6 << at905;
        QTest::newRow("6 yes") << 6 << "yes" << ended << 1 << "";
        QTest::newRow("6 no") << 6 << "no" << stillSet << 5 << at905;
        QTest::newRow("6 YES") << 6 << "YES" << askYesNo << 6 << at905;
        QTest::newRow("whole dialogue") << 1 << "timer|9:60|21:30|yes|x|no|x" << offer << 6
                                        << QStringLiteral("タイマー設定時間 21時 30分");
    }
    void reply()
    {
        QFETCH(int, mode);
        QFETCH(QString, lines);
        QFETCH(QString, reply);
        QFETCH(int, nextMode);
        QFETCH(QString, label);
        WindowFixture f;
        f.arm(9, 5);
        if (mode < 5) {
            f.state().timerOn = 0;
            f.alarmLabel()->clear();
        }
        f.state().mode = qint16(mode);
        f.state().nowTime = QStringLiteral("21:05:03");
        QStringList sent = lines.split(u'|');
        const QString last = sent.takeLast();
        for (const QString &line : sent)
            f.submit(line);
        const QString before = f.log()->text();
        f.submit(last);
        QCOMPARE(f.log()->text(), before + QStringLiteral("\r\n") + reply);
        QCOMPARE(int(f.state().mode), nextMode);
        QCOMPARE(f.alarmLabel()->text(), label);
    }

    // The system hears of each arming, with the time it waits for, and of
    // each disarming; a line that leaves the alarm as it was tells it nothing.
    // The label grows to show the whole alarm time.
    void armingIsTold()
    {
        WindowFixture f;
        for (const char *line : {"timer", "9:00", "no", "timer", "21:30", "yes"})
            f.submit(QString::fromUtf8(line));
        QCOMPARE(f.alarmLabel()->size(), f.alarmLabel()->sizeHint());
        for (const char *line : {"timer", "no", "timer", "yes"})
            f.submit(QString::fromUtf8(line));
        QCOMPARE(f.system.events.filter(QStringLiteral("armed")),
                 QStringList({"armed: 21時30分にシャットダウンするタイマーがセットされています。", "disarmed"}));
    }

    void impossibleStateEndsTheProgram()
    {
        WindowFixture f;
        f.state().mode = 7;
        f.submit(QStringLiteral("timer"));
        QCOMPARE(f.system.events, QStringList({"Pelmora:不正な操作が行われました。終了します。", "end"}));
        QCOMPARE(f.log()->text(), QString());
    }

    // The first character beeps before the log is drawn, the caret left where it
    // was; every later one is drawn with the caret at the end, then beeps.
    void typingOrder()
    {
        WindowFixture f;
        PaintRecorder recorder;
        recorder.log = f.log();
        recorder.events = &f.system.events;
        f.log()->viewport()->installEventFilter(&recorder);
        f.log()->setPlainText(QStringLiteral("earlier"));
        f.log()->setTextCursor(QTextCursor(f.log()->document()));
        f.submit(QStringLiteral("ab")); // "abは理解できません。"
        QStringList expected{"beep", "paint", "pause"};
        for (int i = 1; i < 11; ++i)
            expected << "paint, caret at end" << "beep" << "pause";
        QCOMPARE(f.system.events, expected);
    }

    // The start speed is the normal one; fast does not pause, slow pauses longer.
    void speedMenu()
    {
        std::map<QString, std::vector<std::chrono::microseconds>> pauses;
        for (const char *item : {"", "Aspeed", "Bspeed", "Cspeed"}) {
            WindowFixture f;
            if (*item)
                f.trigger(item);
            f.submit(QStringLiteral("ab"));
            pauses[item] = f.system.pauses;
        }
        QVERIFY(pauses["Aspeed"].empty() && pauses[""] == pauses["Bspeed"]);
        QVERIFY(pauses["Cspeed"] > pauses["Bspeed"] && pauses["Bspeed"].front().count() > 0);
    }
};

QTEST_MAIN(TestConversation)
#include "test_conversation.moc"
