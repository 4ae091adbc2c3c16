// Measurements that need Pelmora's own code in the same process:
//   typing-cost  per-character cost of typing into logs of several sizes,
//                against re-setting the whole text for every character
//   typing-wall  wall and CPU time of the timer introduction at a speed, and
//                of the echo of a pasted line at the fast speed
//   alarm-latency  the tick of the alarm minute on which the request leaves
//   beep         what one real beep costs its caller, and the timer
//                introduction at the normal speed with it
//   long-line    per-character cost of typing at the end of a long line
// Each prints one line per figure: "name value".
#include "app/chatlog.h"
#include "app/mainsurface.h"
#include "app/t_main.h"
#include "conversation/typeout.h"
#include "platform/realsystem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// The real system but for the clock, which the benchmark sets, and the
// power-off request, which it only counts.
class BenchSystem final : public SystemServices
{
public:
    QString timeOfDay() const override { return time; }
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 9), QTime::fromString(time, QStringLiteral("H:mm:ss"))); }
    void beep() override { real.beep(); }
    void pause(std::chrono::microseconds length) override
    {
        if (pausing)
            real.pause(length);
    }
    void showMessage(const QString &, const QString &) override {}
    void endProgram() override {}
    void requestPowerOff(QObject &, PowerOffDone) override { ++powerOffRequests; }
    void setAlarmArmed(bool, const QString &) override {}
    void showAlarmWarning(const QString &, const QString &) override {}
    void withdrawAlarmWarning() override {}
    void setWarningActions(QObject &, WarningActions) override {}

    RealSystem real;
    QString time = QStringLiteral("12:00:00");
    bool pausing = false;
    int powerOffRequests = 0;
};

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct Window
{
    Window()
    {
        window.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
        window.state().greetStep = 0;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
    }
    ChatLog &log() { return *window.findChild<ChatLog *>(QStringLiteral("uke")); }

    BenchSystem system;
    T_Main window{system};
};

QString filler(qsizetype bytes, bool japanese)
{
    const QString line = japanese ? QStringLiteral("コンピューターと人間の対話、シャットダウンタイマー。\r\n")
                                  : QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789.\r\n");
    QString text;
    while (text.size() * 2 < bytes) // UTF-16: two bytes a code unit
        text += line;
    return text;
}

void typingCost()
{
    const struct
    {
        const char *name;
        qsizetype bytes;
        int realChars;
        int literalChars;
    } sizes[] = {{"empty", 0, 2000, 200},
                 {"10KB", 10'000, 2000, 200},
                 {"1MB", 1'000'000, 2000, 20},
                 {"10MB", 10'000'000, 2000, 3}};
    for (const bool japanese : {false, true}) {
        const QString character = japanese ? QStringLiteral("あ") : QStringLiteral("a");
        const char *script = japanese ? "japanese" : "ascii";
        for (const auto &size : sizes) {
            Window w;
            ChatLog &log = w.log();
            log.appendText(filler(size.bytes, japanese));
            log.moveCaretToEnd();
            MainSurface surface(log, *w.window.findChild<QLineEdit *>(QStringLiteral("Sent_t")),
                                *w.window.findChild<QLabel *>(QStringLiteral("la3")));
            log.repaintNow();

            QElapsedTimer timer;
            timer.start();
            typeText(QString(size.realChars, character.at(0)), 0, surface, w.system);
            std::printf("typing_us_%s_%s %.2f\n", script, size.name, timer.nsecsElapsed() / 1000.0 / size.realChars);

            timer.restart();
            for (int i = 0; i < size.literalChars; ++i) {
                log.setPlainText(log.toPlainText() + character);
                log.moveCaretToEnd();
                log.repaintNow();
            }
            std::printf("literal_us_%s_%s %.2f\n", script, size.name,
                        timer.nsecsElapsed() / 1000.0 / size.literalChars);
            std::fflush(stdout);
        }
    }
}

// Typing at the end of a line of 10,000 and of 32,767 characters (the
// longest line the input box takes), the way every character after a
// reply's first is typed.
void longLine()
{
    for (const int length : {10'000, 32'767}) {
        Window w;
        ChatLog &log = w.log();
        log.appendText(QStringLiteral("\r\n") + QString(length, u'x'));
        MainSurface surface(log, *w.window.findChild<QLineEdit *>(QStringLiteral("Sent_t")),
                            *w.window.findChild<QLabel *>(QStringLiteral("la3")));
        log.moveCaretToEnd();
        log.repaintNow();
        constexpr int typed = 100;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < typed; ++i) {
            surface.appendToLog(QStringLiteral("x"));
            surface.moveLogCaretToEnd();
            surface.repaintLog();
        }
        std::printf("long_line_us_%d %.1f\n", length, timer.nsecsElapsed() / 1000.0 / typed);
    }
}

void typingWall(qint32 speed, const char *name)
{
    Window w;
    w.system.pausing = true;
    w.window.state().speed = speed;
    w.window.state().nowTime = QStringLiteral("21:05:03");
    w.window.findChild<QLineEdit *>(QStringLiteral("Sent_t"))->setText(QStringLiteral("timer"));
    const int before = int(w.log().text().size());
    QElapsedTimer timer;
    const double cpuBefore = cpuSeconds();
    timer.start();
    w.window.findChild<QPushButton *>(QStringLiteral("sent"))->click();
    const double wall = timer.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    const int typed = int(w.log().text().size()) - before - 2;
    std::printf("intro_chars %d\n", typed);
    std::printf("intro_wall_s_%s %.3f\n", name, wall);
    std::printf("intro_expected_s_%s %.3f\n", name, typed * pauseAfterCharacter(speed).count() / 1e6);
    std::printf("intro_cpu_s_%s %.3f\n", name, cpu);
}

// The echo of the longest line the input box takes (a paste of 100,000
// characters is cut to its maximum length), typed at the fast speed.
void pasteEcho()
{
    Window w;
    w.window.state().speed = 0;
    auto *input = w.window.findChild<QLineEdit *>(QStringLiteral("Sent_t"));
    input->setText(QString(100'000, u'x'));
    QElapsedTimer timer;
    timer.start();
    w.window.findChild<QPushButton *>(QStringLiteral("sent"))->click();
    std::printf("paste_chars %d\n", int(w.log().text().size()) - 2);
    std::printf("paste_echo_s_fast %.3f\n", timer.nsecsElapsed() / 1e9);
}

void alarmLatency()
{
    Window w;
    MainState &state = w.window.state();
    state.setHour = 21;
    state.setMin = 30;
    state.timerOn = 1;
    state.mode = 5;
    int tick = 0;
    for (const char *time : {"21:29:58", "21:29:59", "21:30:00", "21:30:01", "21:30:02"}) {
        w.system.time = QString::fromLatin1(time);
        w.window.Timer1_Timer();
        if (QString::fromLatin1(time).startsWith(QLatin1String("21:30")))
            ++tick;
        if (w.system.powerOffRequests > 0) {
            std::printf("alarm_request_tick %d\n", tick);
            return;
        }
    }
    std::printf("alarm_request_tick none\n");
}

// At the normal typing pace, so that every call starts a sound of its own.
// The first call opens the connection to the sound server and counts apart.
void beepCost()
{
    RealSystem system;
    QElapsedTimer timer;
    timer.start();
    system.beep();
    std::printf("beep_first_ms %.3f\n", timer.nsecsElapsed() / 1e6);
    std::vector<double> microseconds;
    for (int i = 0; i < 200; ++i) {
        system.pause(pauseAfterCharacter(80000));
        timer.restart();
        system.beep();
        microseconds.push_back(timer.nsecsElapsed() / 1e3);
    }
    std::sort(microseconds.begin(), microseconds.end());
    std::printf("beep_us_median %.1f\n", microseconds[microseconds.size() / 2]);
    std::printf("beep_us_max %.1f\n", microseconds.back());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == u"typing-cost")
        typingCost();
    else if (mode == u"typing-wall") {
        typingWall(80000, "normal");
        typingWall(180000, "slow");
        pasteEcho();
    } else if (mode == u"alarm-latency")
        alarmLatency();
    else if (mode == u"beep") {
        beepCost();
        typingWall(80000, "normal");
    } else if (mode == u"long-line") {
        longLine();
    } else {
        std::fprintf(stderr, "usage: %s typing-cost|typing-wall|alarm-latency|beep|long-line\n", argv[0]);
        return 2;
    }
    std::fflush(stdout);
    return 0;
}
