#pragma once

#include "app/chatlog.h"
#include "app/t_main.h"
#include "platform/fakesystem.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTime>
#include <QTimer>

// The real main window over the fake system, from the state the program
// starts in, driven by a script of steps joined by "|":
//   @21:30:00   the clock ticks at that time of the same day, @+21:30:00 of the next day;
//               "@" alone: the window's own clock ticks once
//   !ok, !why   the system answers the open power-off request: accepted, or refused for why
//   *Menu/Item  the menu item with these captions is chosen
//   [Caption]   the button with this caption is clicked
//   ^           the window is closed
//   >開く        the user opens the window from outside it (the warning, the tray), minimized before
//   >解除        the user cancels the alarm from there
//   =21:30      the program was started with --at 21:30 (before its first tick)
//   anything else is a line typed into the input line, then Enter
// After every step it checks what a user must see whatever the script;
// reply is what the step added to the log, its leading line break included.
struct Dialogue
{
    Dialogue()
    {
        clockStarted = clock()->isActive();
        clock()->stop(); // only the script ticks
        window.show();
        if (!shownForUse())
            qFatal("the main window did not become active");
    }

    // Active; on Wayland, where the test's compositor has no seat to give
    // the window, on the screen.
    bool shownForUse()
    {
        return QGuiApplication::platformName() == u"wayland" ? QTest::qWaitForWindowExposed(&window)
                                                            : QTest::qWaitForWindowActive(&window);
    }

    template<typename T = QWidget>
    T *child(const char *name) { return window.findChild<T *>(QLatin1String(name)); }
    QLineEdit *input() { return child<QLineEdit>("Sent_t"); }
    ChatLog *log() { return child<ChatLog>("uke"); }
    QTimer *clock() { return child<QTimer>("Timer1"); }
    QString copied()
    {
        log()->copy();
        return QGuiApplication::clipboard()->text();
    }

    // False once a check has failed. type() takes its line as it is, "|" and all.
    bool type(const QString &line) { return run(line, true); }
    bool run(const QString &script, bool oneLine = false)
    {
        for (const QString &step : oneLine ? QStringList{script} : script.split(u'|')) {
            const QString before = log()->text();
            const qsizetype requests = system.events.count(QStringLiteral("power off"));
            const bool typed = oneLine || step.isEmpty() || !QStringLiteral("@!*[^>=").contains(step[0]);
            perform(step, typed);
            if (QTest::currentTestFailed())
                return false;
            check(step, typed, before, requests, (script + QStringLiteral(" at \"") + step + u'"').toUtf8());
            if (QTest::currentTestFailed())
                return false;
        }
        return true;
    }

    void check(const QString &step, bool typed, const QString &before, qsizetype requests, const QByteArray &at)
    {
        const QString after = log()->text();
        reply = after.startsWith(before) ? after.mid(before.size()) : after;
        const bool greeted = step.startsWith(u'@') && !reply.isEmpty();
        const MainState &state = window.state();
        // The log grows by a line break and a reply, or not at all; only the clear button empties it.
        QVERIFY2(step == u"[クリアー]" ? after.isEmpty() : reply.isEmpty() || (reply.startsWith(u"\r\n") && reply.size() > 2),
                 at);
        QVERIFY2(input()->text().isEmpty() && (!typed || state.replyText.isEmpty()), at);
        QVERIFY2(!(typed || greeted || step == u"[OK]" || step == u">開く") || window.focusWidget() == input(), at);
        QVERIFY2(!system.warningShown || state.timerOn == 1, at);
        for (const QLabel *label : {child<QLabel>("jikanG"), child<QLabel>("la3")})
            QVERIFY2(label->size().expandedTo(label->sizeHint()) == label->size(), at);
        // While the window is there: armed exactly in states 5 and 6, as the
        // system was last told, with the alarm label showing the alarm.
        const bool armed = state.timerOn == 1;
        const QString alarm = QStringLiteral("%1時%2分").arg(state.setHour).arg(state.setMin);
        const QStringList told = system.events.filter(QRegularExpression(QStringLiteral("^(armed|disarmed)")));
        QVERIFY2(!window.isVisible() || system.events.contains(QStringLiteral("end"))
                     || (QList<qint16>{1, 3, 4, 5, 6}.contains(state.mode) && armed == (state.mode >= 5)
                         && told.value(told.size() - 1, QStringLiteral("disarmed"))
                                == (armed ? "armed: " + alarm + QStringLiteral("にシャットダウンするタイマーがセットされています。")
                                          : QStringLiteral("disarmed"))
                         && child<QLabel>("la3")->text()
                                == (armed ? QStringLiteral("タイマー設定時間 ") + QString(alarm).replace(u'時', "時 ") : "")),
                 at);
        // Only an armed alarm's minute asks for the power-off; the greeting's own tick reads the hour alone.
        QVERIFY2(system.events.count(QStringLiteral("power off")) == requests
                     || (step.startsWith(u'@') && armed
                         && (greeted || QTime::fromString(step.section(u':', 0, 1).remove(u'+').mid(1), QStringLiteral("H:mm"))
                                            == QTime(state.setHour, state.setMin))),
                 at);
    }

    void perform(const QString &step, bool typed)
    {
        const QString rest = step.mid(1);
        if (typed) {
            input()->setText(step); // as typing or pasting leaves it
            QTest::keyClick(input(), Qt::Key_Return);
        } else if (step == u"@") {
            QVERIFY2(clockStarted, "the window did not start its clock");
            QSignalSpy ticked(clock(), &QTimer::timeout);
            clock()->start();
            QVERIFY(ticked.wait(5000));
            clock()->stop();
        } else if (step.startsWith(u'@')) {
            const bool nextDay = rest.startsWith(u'+');
            system.day = system.day.addDays(nextDay);
            system.time = rest.mid(nextDay);
            window.Timer1_Timer();
            QCOMPARE(child<QLabel>("jikanG")->text(), system.time);
        } else if (step.startsWith(u'!')) {
            QVERIFY2(system.openPowerOff, "no power-off request is open");
            system.answerPowerOff(rest == u"ok", rest);
        } else if (step.startsWith(u'*')) {
            QAction *item = nullptr;
            for (QAction *menu : window.menuBar()->actions()) {
                for (QAction *candidate : menu->menu()->actions())
                    item = menu->text() + u'/' + candidate->text() == rest ? candidate : item;
            }
            QVERIFY2(item, qPrintable(step));
            item->trigger();
        } else if (step.startsWith(u'[')) {
            QPushButton *button = nullptr;
            for (QPushButton *candidate : window.findChildren<QPushButton *>())
                button = candidate->text() == rest.chopped(1) ? candidate : button;
            QVERIFY2(button, qPrintable(step));
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (step == u">開く") {
            QVERIFY2(system.actions.open && system.actionsContext, "the window gave the system no opener");
            window.showMinimized();
            system.actions.open(QStringLiteral("token"));
            QVERIFY(shownForUse() && !window.isMinimized());
        } else if (step.startsWith(u'=')) {
            window.armAfterGreeting(rest);
        } else if (step == u">解除") {
            QVERIFY2(system.actions.cancel && system.actionsContext, "the window gave the system no cancel");
            system.actions.cancel();
        } else {
            clock()->start();
            window.close();
            QVERIFY(!clock()->isActive());
        }
    }

    FakeSystem system;
    T_Main window{system};
    bool clockStarted = false; // by the window itself
    QString reply;
};
