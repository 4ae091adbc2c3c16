#include "windowfixture.h"

#include <QPushButton>

namespace {

const QString timerIntroductionPrefix = QStringLiteral(
    "\r\n\r\nウィンドウズ終了までのタイマーをセットします。\r\n現在の時刻は");
const QString timerIntroductionSuffix = QStringLiteral(
    "です。\r\nOO:OOの（必、半角文字）ように入力してください。\r\n"
    "数字が一桁の場合は、そのまま入力してください。（例1:23)\r\n０１や０２などは認識できません");
const QString cancelOffer = QStringLiteral(
    "\r\nタイマーがセットされています。\r\nタイマーを解除しますか。\r\nyes or no");
const QString askYesNo = QStringLiteral("\r\n正しく入力してください。(yes,no)");
const QString ended = QStringLiteral("\r\ntimerイベントを終了します。");
const QString armedLabel = QStringLiteral("タイマー設定時間 9時 5分");

// The invariant of the conversation: armed exactly in states 5 and 6, and
// the label shows the alarm over the same span.
void checkInvariant(WindowFixture &f)
{
    const bool armedState = f.state().mode == 5 || f.state().mode == 6;
    QCOMPARE(f.state().timerOn == 1, armedState);
    QCOMPARE(!f.alarmLabel()->text().isEmpty(), armedState);
}

} // namespace

class TestConversation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reply_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("nowTime");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("log");
        QTest::addColumn<int>("nextMode");

        const QString greeting = QStringLiteral("\r\nおはようございます。");
        const QString askCommand = QStringLiteral("\r\n命令を入力してください。");
        const QString noon = QStringLiteral("12:00:00");
        QTest::newRow("greeting word in state 1") << 1 << noon << "おはよう" << greeting << 1;
        QTest::newRow("greeting word in state 3") << 3 << noon << "おはよう" << greeting << 3;
        QTest::newRow("greeting word in state 4") << 4 << noon << "おはよう" << greeting << 4;
        QTest::newRow("greeting word in state 6") << 6 << noon << "おはよう" << greeting << 6;
        QTest::newRow("greeting word with a full stop")
            << 1 << noon << "おはよう。" << QStringLiteral("\r\nおはよう。は理解できません。") << 1;
        QTest::newRow("empty line in state 1") << 1 << noon << "" << askCommand << 1;
        QTest::newRow("empty line in state 3") << 3 << noon << "" << askCommand << 3;
        QTest::newRow("empty line in state 5") << 5 << noon << "" << askCommand << 5;
        QTest::newRow("Timer with a capital")
            << 1 << noon << "Timer" << QStringLiteral("\r\nTimerは理解できません。") << 1;
        QTest::newRow("timer and a blank")
            << 1 << noon << "timer " << QStringLiteral("\r\ntimer は理解できません。") << 1;
        QTest::newRow("full-width timer")
            << 1 << noon << "ｔｉｍｅｒ" << QStringLiteral("\r\nｔｉｍｅｒは理解できません。") << 1;
        QTest::newRow("timer before the first tick")
            << 1 << "" << "timer" << timerIntroductionPrefix + timerIntroductionSuffix << 3;
        QTest::newRow("timer quotes the time")
            << 1 << "21:05:03" << "timer"
            << timerIntroductionPrefix + QStringLiteral("21:05:03") + timerIntroductionSuffix << 3;
        QTest::newRow("alarm time accepted")
            << 3 << noon << "21:30"
            << QStringLiteral("\r\n\r\n 21: 30でよろしいですか。\r\n ｙｅｓ ｏｒ ｎｏ (コマンド yes , no)") << 4;
        QTest::newRow("alarm time refused")
            << 3 << noon << "24:00" << QStringLiteral("\r\n正しく入力してください。(00:00)") << 3;
        QTest::newRow("state 4 YES") << 4 << noon << "YES" << askYesNo << 4;
        QTest::newRow("state 4 no") << 4 << noon << "no" << ended << 1;
        QTest::newRow("state 4 yes") << 4 << noon << "yes" << QStringLiteral("\r\nタイマーがセットされました。") << 5;
        QTest::newRow("state 5 any line") << 5 << noon << "timer" << cancelOffer << 6;
        QTest::newRow("state 6 yes") << 6 << noon << "yes" << ended << 1;
        QTest::newRow("state 6 no")
            << 6 << noon << "no" << QStringLiteral("\r\nタイマーがセットされています。") << 5;
        QTest::newRow("state 6 YES") << 6 << noon << "YES" << askYesNo << 6;
        QTest::newRow("emoji echoed whole")
            << 1 << noon << "😀" << QStringLiteral("\r\n😀は理解できません。") << 1;
    }
    void reply()
    {
        QFETCH(int, mode);
        QFETCH(QString, nowTime);
        QFETCH(QString, line);
        QFETCH(QString, log);
        QFETCH(int, nextMode);

        WindowFixture f;
        f.state().mode = qint16(mode);
        f.state().nowTime = nowTime;
        f.state().setHour = 9;
        f.state().setMin = 5;
        if (mode >= 5) {
            f.state().timerOn = 1;
            f.alarmLabel()->setText(armedLabel);
        }
        f.submit(line);

        QCOMPARE(f.log()->text(), log);
        QCOMPARE(int(f.state().mode), nextMode);
        QCOMPARE(f.state().inText, line);
        QVERIFY(f.state().replyText.isEmpty());
        QVERIFY(f.input()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.input());
        checkInvariant(f);
        if (f.state().timerOn == 1)
            QCOMPARE(f.alarmLabel()->text(), armedLabel);
        // One beep and one pause for every character typed after the line break.
        const qsizetype typed = characterCount(log) - 2;
        QCOMPARE(qsizetype(f.system.beeps), typed);
        QCOMPARE(qsizetype(f.system.pauses.size()), typed);
    }

    void wholeDialogue()
    {
        WindowFixture f;
        f.state().nowTime = QStringLiteral("20:00:00");
        const struct
        {
            const char *line;
            int mode;
            const char *label;
        } steps[] = {
            {"timer", 3, ""},
            {"9:60", 3, ""},
            {"21:30", 4, ""},
            {"yes", 5, "タイマー設定時間 21時 30分"},
            {"anything", 6, "タイマー設定時間 21時 30分"},
            {"no", 5, "タイマー設定時間 21時 30分"},
            {"again", 6, "タイマー設定時間 21時 30分"},
            {"yes", 1, ""},
            {"timer", 3, ""},
            {"9:05", 4, ""},
            {"no", 1, ""},
        };
        for (const auto &step : steps) {
            f.submit(QString::fromUtf8(step.line));
            QCOMPARE(int(f.state().mode), step.mode);
            QCOMPARE(f.alarmLabel()->text(), QString::fromUtf8(step.label));
            checkInvariant(f);
        }
        QCOMPARE(f.state().setHour, qint16(9));
        QCOMPARE(f.state().setMin, qint16(5));
    }

    void impossibleState_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("0") << 0;
        QTest::newRow("7") << 7;
        QTest::newRow("-1") << -1;
    }
    void impossibleState()
    {
        QFETCH(int, mode);
        WindowFixture f;
        f.state().mode = qint16(mode);
        f.submit(QStringLiteral("timer"));

        QCOMPARE(f.system.messages, QStringList{QStringLiteral("Pelmora: 不正な操作が行われました。終了します。")});
        QCOMPARE(f.system.programEnds, 1);
        QCOMPARE(f.log()->text(), QString());
        QCOMPARE(f.system.beeps, 0);
        QCOMPARE(f.input()->text(), QStringLiteral("timer"));
    }

    void speed_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("pauseMicroseconds"); // 0: no pause at all
        QTest::newRow("start value") << "" << 80000 << 14400;
        QTest::newRow("fast") << "Aspeed" << 0 << 0;
        QTest::newRow("normal") << "Bspeed" << 80000 << 14400;
        QTest::newRow("slow") << "Cspeed" << 180000 << 32400;
    }
    void speed()
    {
        QFETCH(QString, item);
        QFETCH(int, speed);
        QFETCH(int, pauseMicroseconds);
        WindowFixture f;
        if (!item.isEmpty())
            f.window.findChild<QAction *>(item)->trigger();
        QCOMPARE(f.state().speed, speed);

        f.submit(QStringLiteral("ab"));
        const int typed = 2 + 9; // "abは理解できません。"
        QCOMPARE(f.system.beeps, typed);
        if (pauseMicroseconds == 0) {
            QVERIFY(f.system.pauses.empty());
        } else {
            QCOMPARE(int(f.system.pauses.size()), typed);
            for (const auto pause : f.system.pauses)
                QCOMPARE(pause.count(), pauseMicroseconds);
        }
    }

    void clearKeepsTheConversation()
    {
        WindowFixture f;
        f.state().mode = 5;
        f.state().timerOn = 1;
        f.alarmLabel()->setText(armedLabel);
        f.submit(QString());
        f.child<QPushButton>("Command1")->click();
        QCOMPARE(f.log()->text(), QString());
        QCOMPARE(f.state().mode, qint16(5));
        QCOMPARE(f.state().timerOn, qint16(1));
        QCOMPARE(f.alarmLabel()->text(), armedLabel);

        f.submit(QString());
        QCOMPARE(f.log()->text(), QStringLiteral("\r\n命令を入力してください。"));
    }

    void userTextInTheLogStays()
    {
        WindowFixture f;
        f.log()->setFocus();
        QTest::keyClicks(f.log(), QStringLiteral("ab"));
        QTest::keyClick(f.log(), Qt::Key_Return);
        QTest::keyClicks(f.log(), QStringLiteral("c"));
        f.submit(QStringLiteral("x"));
        QCOMPARE(f.log()->text(), QStringLiteral("ab\r\nc\r\nxは理解できません。"));
    }

    void onlyEnterSends_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("sends");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier) << false;
        QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier) << false;
        QTest::newRow("arrow") << int(Qt::Key_Left) << int(Qt::NoModifier) << false;
        QTest::newRow("escape") << int(Qt::Key_Escape) << int(Qt::NoModifier) << false;
    }
    void onlyEnterSends()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, sends);
        WindowFixture f;
        QTest::keyClicks(f.input(), QStringLiteral("zz"));
        QTest::keyClick(f.input(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.log()->text().isEmpty(), !sends);
        QCOMPARE(f.input()->text().isEmpty(), sends);
    }
};

QTEST_MAIN(TestConversation)
#include "test_conversation.moc"
