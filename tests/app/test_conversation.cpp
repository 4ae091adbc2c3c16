#include "windowfixture.h"

#include <QPushButton>

namespace {

const QString introduction = QStringLiteral(
    "\r\n\r\nウィンドウズ終了までのタイマーをセットします。\r\n現在の時刻は%1です。\r\n"
    "OO:OOの（必、半角文字）ように入力してください。\r\n"
    "数字が一桁の場合は、そのまま入力してください。（例1:23)\r\n０１や０２などは認識できません");
const QString armedLabel = QStringLiteral("タイマー設定時間 9時 5分");

// Armed exactly in states 5 and 6, and the label shows the alarm over the same span.
void checkInvariant(WindowFixture &f)
{
    const bool armed = f.state().mode == 5 || f.state().mode == 6;
    QCOMPARE(f.state().timerOn == 1, armed);
    QCOMPARE(!f.alarmLabel()->text().isEmpty(), armed);
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
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("nextMode");
        const QString greeting = QStringLiteral("おはようございます。");
        const QString askCommand = QStringLiteral("命令を入力してください。");
        const QString askYesNo = QStringLiteral("正しく入力してください。(yes,no)");
        const QString ended = QStringLiteral("timerイベントを終了します。");
        const QString stillSet = QStringLiteral("タイマーがセットされています。");
        for (int mode : {1, 3, 4, 6})
            QTest::addRow("greeting word in state %d", mode) << mode << "" << "おはよう" << greeting << mode;
        for (int mode : {1, 3, 5})
            QTest::addRow("empty line in state %d", mode) << mode << "" << "" << askCommand << mode;
        for (const char *line : {"Timer", "timer ", "ｔｉｍｅｒ", "おはよう。", "😀"})
            QTest::addRow("unknown %s", line) << 1 << "" << line << QString::fromUtf8(line) + QStringLiteral("は理解できません。") << 1;
        QTest::newRow("timer before the first tick") << 1 << "" << "timer" << introduction.arg("").mid(2) << 3;
        QTest::newRow("timer quotes the time") << 1 << "21:05:03" << "timer" << introduction.arg("21:05:03").mid(2) << 3;
        QTest::newRow("time accepted") << 3 << "" << "21:30"
                                       << QStringLiteral("\r\n 21: 30でよろしいですか。\r\n ｙｅｓ ｏｒ ｎｏ (コマンド yes , no)") << 4;
        QTest::newRow("time refused") << 3 << "" << "24:00" << QStringLiteral("正しく入力してください。(00:00)") << 3;
        QTest::newRow("4 YES") << 4 << "" << "YES" << askYesNo << 4;
        QTest::newRow("4 no") << 4 << "" << "no" << ended << 1;
        QTest::newRow("4 yes") << 4 << "" << "yes" << QStringLiteral("タイマーがセットされました。") << 5;
        QTest::newRow("5 timer") << 5 << "" << "timer"
                                 << stillSet + QStringLiteral("\r\nタイマーを解除しますか。\r\nyes or no") << 6;
        QTest::newRow("6 yes") << 6 << "" << "yes" << ended << 1;
        QTest::newRow("6 no") << 6 << "" << "no" << stillSet << 5;
        QTest::newRow("6 YES") << 6 << "" << "YES" << askYesNo << 6;
    }
    void reply()
    {
        QFETCH(int, mode);
        QFETCH(QString, nowTime);
        QFETCH(QString, line);
        QFETCH(QString, reply);
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

        QCOMPARE(f.log()->text(), QStringLiteral("\r\n") + reply);
        QCOMPARE(int(f.state().mode), nextMode);
        QVERIFY(f.state().replyText.isEmpty());
        QVERIFY(f.input()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), f.input());
        checkInvariant(f);
        if (f.state().timerOn == 1)
            QCOMPARE(f.alarmLabel()->text(), armedLabel);
        // A beep and a pause for every character.
        QCOMPARE(qsizetype(f.system.beeps), reply.toUcs4().size());
        QCOMPARE(qsizetype(f.system.pauses.size()), reply.toUcs4().size());
    }

    void wholeDialogue()
    {
        WindowFixture f;
        const struct { const char *line; int mode; const char *label; } steps[] = {
            {"timer", 3, ""}, {"9:60", 3, ""}, {"21:30", 4, ""}, {"yes", 5, "タイマー設定時間 21時 30分"},
            {"x", 6, "タイマー設定時間 21時 30分"}, {"no", 5, "タイマー設定時間 21時 30分"},
            {"x", 6, "タイマー設定時間 21時 30分"}, {"yes", 1, ""}, {"timer", 3, ""}, {"9:05", 4, ""}, {"no", 1, ""},
        };
        for (const auto &step : steps) {
            f.submit(QString::fromUtf8(step.line));
            QCOMPARE(int(f.state().mode), step.mode);
            QCOMPARE(f.alarmLabel()->text(), QString::fromUtf8(step.label));
            checkInvariant(f);
        }
    }

    void impossibleStateEndsTheProgram()
    {
        for (const qint16 mode : {0, 7, -1}) {
            WindowFixture f;
            f.state().mode = mode;
            f.submit(QStringLiteral("timer"));
            QCOMPARE(f.system.messages, QStringList{QStringLiteral("Pelmora: 不正な操作が行われました。終了します。")});
            QCOMPARE(f.system.programEnds, 1);
            QCOMPARE(f.log()->text(), QString());
            QCOMPARE(f.input()->text(), QStringLiteral("timer"));
        }
    }

    void speedMenu()
    {
        const struct { const char *item; int speed; long long pause; } rows[] = {
            {nullptr, 80000, 14400}, {"Aspeed", 0, 0}, {"Bspeed", 80000, 14400}, {"Cspeed", 180000, 32400},
        };
        for (const auto &row : rows) {
            WindowFixture f;
            if (row.item)
                f.window.findChild<QAction *>(QLatin1String(row.item))->trigger();
            QCOMPARE(f.state().speed, row.speed);
            f.submit(QStringLiteral("ab")); // "abは理解できません。"
            QCOMPARE(f.system.beeps, 11);
            QCOMPARE(f.system.pauses.size(), row.pause ? 11u : 0u);
            for (const auto pause : f.system.pauses)
                QCOMPARE(pause.count(), row.pause);
        }
    }

    // Clearing keeps the conversation; what the user types into the log stays.
    void logEdits()
    {
        WindowFixture f;
        f.state().mode = 5;
        f.state().timerOn = 1;
        f.alarmLabel()->setText(armedLabel);
        f.submit(QString());
        f.child<QPushButton>("Command1")->click();
        QCOMPARE(f.log()->text(), QString());
        QCOMPARE(f.state().mode, qint16(5));
        QCOMPARE(f.alarmLabel()->text(), armedLabel);

        f.log()->setFocus();
        QTest::keyClicks(f.log(), QStringLiteral("ab"));
        QTest::keyClick(f.log(), Qt::Key_Return);
        QTest::keyClicks(f.log(), QStringLiteral("c"));
        f.submit(QString());
        QCOMPARE(f.log()->text(), QStringLiteral("ab\r\nc\r\n命令を入力してください。"));
    }

    void onlyEnterSends()
    {
        const struct { Qt::Key key; Qt::KeyboardModifier modifier; bool sends; } keys[] = {
            {Qt::Key_Return, Qt::NoModifier, true}, {Qt::Key_Enter, Qt::KeypadModifier, true},
            {Qt::Key_A, Qt::NoModifier, false},     {Qt::Key_Space, Qt::NoModifier, false},
            {Qt::Key_Left, Qt::NoModifier, false},  {Qt::Key_Escape, Qt::NoModifier, false},
        };
        for (const auto &key : keys) {
            WindowFixture f;
            QTest::keyClicks(f.input(), QStringLiteral("zz"));
            QTest::keyClick(f.input(), key.key, key.modifier);
            QCOMPARE(f.log()->text().isEmpty(), !key.sends);
            QCOMPARE(f.input()->text().isEmpty(), key.sends);
        }
    }
};

QTEST_MAIN(TestConversation)
#include "test_conversation.moc"
