#include "conversation/numbers.h"
#include "windowfixture.h"

#include <QClipboard>
#include <QPushButton>
#include <QRandomGenerator>

namespace {

const QString askYesNo = QStringLiteral("正しく入力してください。(yes,no)");

QString timerIntroduction(const QString &nowTime)
{
    return QStringLiteral("\r\nウィンドウズ終了までのタイマーをセットします。\r\n現在の時刻は") + nowTime
           + QStringLiteral("です。\r\nOO:OOの（必、半角文字）ように入力してください。\r\n"
                            "数字が一桁の場合は、そのまま入力してください。（例1:23)\r\n０１や０２などは認識できません");
}

// What the computer should answer, and the state after, told from the
// state before and the line alone. State 3 is left open: whether a line is
// a valid time has its own table test; here the answer must only agree
// with the state it leads to.
struct Expected
{
    QString reply; // empty for state 3
    int mode;
};

Expected expect(const MainState &before, const QString &line)
{
    if (line == QStringLiteral("おはよう"))
        return {QStringLiteral("おはようございます。"), before.mode};
    if (line.isEmpty())
        return {QStringLiteral("命令を入力してください。"), before.mode};
    switch (before.mode) {
    case 1:
        if (line == u"timer")
            return {timerIntroduction(before.nowTime), 3};
        return {line + QStringLiteral("は理解できません。"), 1};
    case 4:
        if (line == u"no")
            return {QStringLiteral("timerイベントを終了します。"), 1};
        if (line == u"yes")
            return {QStringLiteral("タイマーがセットされました。"), 5};
        return {askYesNo, 4};
    case 5:
        return {QStringLiteral("タイマーがセットされています。\r\nタイマーを解除しますか。\r\nyes or no"), 6};
    case 6:
        if (line == u"yes")
            return {QStringLiteral("timerイベントを終了します。"), 1};
        if (line == u"no")
            return {QStringLiteral("タイマーがセットされています。"), 5};
        return {askYesNo, 6};
    default:
        return {QString(), 3};
    }
}

QString randomLine(QRandomGenerator &random)
{
    static const char *const words[] = {"timer", "yes", "no", "おはよう", "", "21:30", "9:05", "12:60", "Timer"};
    // Control characters (CR, LF and tab among them), full-width forms, kana,
    // emoji, other characters beyond the BMP, and plain ASCII.
    static const char32_t ranges[][2] = {{0, 0x20}, {0xff01, 0xff5f}, {0x3041, 0x30ff}, {0x1f600, 0x1f650},
                                         {0x20000, 0x20100}, {0x20, 0x7f}, {0x20, 0x7f}, {0x20, 0x7f}};
    const int kind = random.bounded(10);
    if (kind < 4)
        return QString::fromUtf8(words[random.bounded(int(std::size(words)))]);
    int length = kind < 9 ? random.bounded(1, 24) : random.bounded(24, 400);
    if (kind == 9 && random.bounded(40) == 0)
        length = random.bounded(400, 10'001);
    QString line;
    while (length-- > 0) {
        const auto &range = ranges[random.bounded(int(std::size(ranges)))];
        const char32_t c = char32_t(random.bounded(range[0], range[1]));
        line += QString::fromUcs4(&c, 1);
    }
    return line;
}

QString clockText(int hour, int minute, int second)
{
    return QStringLiteral("%1:%2:%3").arg(hour).arg(minute, 2, 10, QLatin1Char('0')).arg(second, 2, 10, QLatin1Char('0'));
}

} // namespace

class TestFuzz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversation()
    {
        const quint32 seed = qEnvironmentVariableIsSet("PELMORA_FUZZ_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("PELMORA_FUZZ_SEED"))
                                 : 20261207u; // fixed, so that every run checks the same lines
        const QByteArray replay = "replay with PELMORA_FUZZ_SEED=" + QByteArray::number(seed);
        QRandomGenerator random(seed);
        WindowFixture f;
        f.window.findChild<QAction *>(QStringLiteral("Aspeed"))->trigger();
        f.state().greetStep = 0;
        MainState &state = f.state();

        for (int round = 0; round < 300; ++round) {
            if (random.bounded(3) == 0) {
                // Often the alarm's own minute, so that the alarm fires now and then.
                const bool alarmMinute = state.timerOn == 1 && random.bounded(3) == 0;
                const int hour = alarmMinute ? state.setHour : random.bounded(24);
                const int minute = alarmMinute ? state.setMin : random.bounded(60);
                f.system.time = clockText(hour, minute, random.bounded(60));
                const int requestsBefore = f.system.powerOffRequests;
                f.window.Timer1_Timer();
                const bool due = state.timerOn == 1 && hour == state.setHour && minute == state.setMin;
                QVERIFY2(f.system.powerOffRequests == requestsBefore || due, replay);
                if (f.system.openPowerOff && random.bounded(2) == 0)
                    f.system.answerPowerOff(false, QStringLiteral("refused"));
            }
            if (random.bounded(20) == 0)
                f.child<QPushButton>("Command1")->click();

            const QString line = randomLine(random);
            const Expected expected = expect(state, line);
            f.input()->setText(line);
            QTest::keyClick(f.input(), Qt::Key_Return);

            const QString log = f.log()->text();
            QVERIFY2(state.mode >= 1 && state.mode <= 6 && state.mode != 2, replay);
            QVERIFY2(state.mode == expected.mode || (expected.reply.isEmpty() && state.mode == 4), replay);
            const bool armed = state.mode == 5 || state.mode == 6;
            QVERIFY2((state.timerOn == 1) == armed, replay);
            QVERIFY2(f.alarmLabel()->text().isEmpty() != armed, replay);
            QVERIFY2(f.input()->text().isEmpty() && QApplication::focusWidget() == f.input(), replay);
            QVERIFY2(state.replyText.isEmpty(), replay);
            if (!expected.reply.isEmpty()) {
                QVERIFY2(log.endsWith(QStringLiteral("\r\n") + expected.reply), replay);
            } else if (state.mode == 4) {
                QVERIFY2(log.endsWith(QStringLiteral("\r\n\r\n") + NumberText(state.setHour) + u':'
                                      + NumberText(state.setMin)
                                      + QStringLiteral("でよろしいですか。\r\n ｙｅｓ ｏｒ ｎｏ (コマンド yes , no)")),
                         replay);
            } else {
                QVERIFY2(log.endsWith(QStringLiteral("\r\n正しく入力してください。(00:00)")), replay);
            }
        }
    }

    // Lines nobody types but a clipboard can hold are answered in full.
    void pastedLines_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("100,000 characters") << QString(100'000, u'x');
        QTest::newRow("lone surrogates") << QChar(0xd800) + QStringLiteral("x") + QChar(0xdfff);
        QTest::newRow("NUL characters") << QString(QChar(0)) + QStringLiteral("x") + QChar(0);
    }
    void pastedLines()
    {
        QFETCH(QString, pasted);
        WindowFixture f;
        f.window.findChild<QAction *>(QStringLiteral("Aspeed"))->trigger();
        QGuiApplication::clipboard()->setText(pasted);
        f.input()->paste();
        const QString line = f.input()->text();
        QVERIFY(!line.isEmpty());
        QVERIFY(pasted.startsWith(line)); // the input line holds at most its maximum length
        QTest::keyClick(f.input(), Qt::Key_Return);
        QCOMPARE(f.log()->text(), QStringLiteral("\r\n") + line + QStringLiteral("は理解できません。"));
        QCOMPARE(f.state().mode, qint16(1));
    }
};

QTEST_MAIN(TestFuzz)
#include "test_fuzz.moc"
