#pragma once

#include "app/chatlog.h"
#include "app/t_main.h"
#include "conversation/conversation.h"
#include "platform/fakesystem.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

// The real main window over the fake system, shown and active, its clock
// stopped so that only the test decides when it ticks.
struct WindowFixture
{
    WindowFixture()
    {
        clockStarted = clock()->isActive();
        clock()->stop();
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the main window did not become active");
    }

    template<typename T = QWidget>
    T *child(const char *name) { return window.findChild<T *>(QLatin1String(name)); }
    QLineEdit *input() { return child<QLineEdit>("Sent_t"); }
    ChatLog *log() { return child<ChatLog>("uke"); }
    QLabel *alarmLabel() { return child<QLabel>("la3"); }
    QTimer *clock() { return child<QTimer>("Timer1"); }
    void trigger(const char *action) { child<QAction>(action)->trigger(); }
    MainState &state() { return window.state(); }

    // The line as typing or pasting leaves it in the input box, then Enter.
    void submit(const QString &line)
    {
        input()->setText(line);
        QTest::keyClick(input(), Qt::Key_Return);
    }
    void tickAt(const QString &time)
    {
        system.time = time;
        window.Timer1_Timer();
    }
    // As a confirmed alarm leaves things, past the greeting.
    void arm(qint16 hour, qint16 minute)
    {
        state().greetStep = 0;
        state().setHour = hour;
        state().setMin = minute;
        state().timerOn = 1;
        state().mode = 5;
        alarmLabel()->setText(alarmLabelText(hour, minute));
    }

    FakeSystem system;
    T_Main window{system};
    bool clockStarted = false; // by the window itself
};
