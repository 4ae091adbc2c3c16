#include "windowfixture.h"

#include <QPushButton>
#include <QRandomGenerator>

// Mostly the words the conversation knows, else runs of control characters
// (CR, LF and tab among them), full-width forms, kana, emoji, characters
// beyond the BMP and ASCII; now and then a line of thousands.
static QString randomLine(QRandomGenerator &random)
{
    static const char *const words[] = {"timer", "yes", "no", "おはよう", "", "21:30", "9:05", "12:60", "Timer"};
    static const char32_t ranges[][2] = {{0, 0x20}, {0xff01, 0xff5f}, {0x3041, 0x30ff}, {0x1f600, 0x1f650},
                                         {0x20000, 0x20100}, {0x20, 0x7f}, {0x20, 0x7f}, {0x20, 0x7f}};
    if (random.bounded(10) < 4)
        return QString::fromUtf8(words[random.bounded(int(std::size(words)))]);
    std::u32string line(random.bounded(1, random.bounded(100) == 0 ? 5000 : 40), U' ');
    for (char32_t &c : line) {
        const auto &range = ranges[random.bounded(int(std::size(ranges)))];
        c = char32_t(random.bounded(range[0], range[1]));
    }
    return QString::fromStdU32String(line);
}

// Random lines, ticks and clearings against the real window; the replies are
// pinned elsewhere, here only what must hold after every step.
class TestFuzz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversation()
    {
        bool given = false; // else fixed, so that every run checks the same lines
        const int asked = qEnvironmentVariableIntValue("PELMORA_FUZZ_SEED", &given);
        const quint32 seed = given ? quint32(asked) : 20261207u;
        const QByteArray replay = "replay with PELMORA_FUZZ_SEED=" + QByteArray::number(seed);
        QRandomGenerator random(seed);
        WindowFixture f;
        f.trigger("Aspeed");
        f.state().greetStep = 0;
        const MainState &state = f.state();
        for (int round = 0; round < 300; ++round) {
            if (random.bounded(3) == 0) {
                // Often the alarm's own minute, so that the alarm fires now and then.
                const bool alarmMinute = state.timerOn == 1 && random.bounded(3) == 0;
                const int hour = alarmMinute ? state.setHour : random.bounded(24);
                const int minute = alarmMinute ? state.setMin : random.bounded(60);
                const int requestsBefore = f.system.powerOffRequests;
                f.tickAt(QStringLiteral("%1:%2:07").arg(hour).arg(minute, 2, 10, QLatin1Char('0')));
                const bool due = state.timerOn == 1 && hour == state.setHour && minute == state.setMin;
                QVERIFY2(f.system.powerOffRequests == requestsBefore || due, replay);
                if (f.system.openPowerOff && random.bounded(2) == 0)
                    f.system.answerPowerOff(false, QStringLiteral("refused"));
            }
            if (random.bounded(20) == 0) {
                f.child<QPushButton>("Command1")->click();
                QVERIFY2(f.log()->text().isEmpty(), replay);
            }
            const QString before = f.log()->text();
            f.submit(randomLine(random));
            const QString log = f.log()->text();
            QVERIFY2(log.size() > before.size() + 2 && log.startsWith(before + QStringLiteral("\r\n")), replay);
            QVERIFY2(state.mode >= 1 && state.mode <= 6 && state.mode != 2, replay);
            const bool armed = state.mode == 5 || state.mode == 6;
            QVERIFY2((state.timerOn == 1) == armed && f.alarmLabel()->text().isEmpty() != armed, replay);
            QVERIFY2(f.input()->text().isEmpty() && QApplication::focusWidget() == f.input(), replay);
            QVERIFY2(state.replyText.isEmpty(), replay);
        }
    }
};

QTEST_MAIN(TestFuzz)
#include "test_fuzz.moc"
