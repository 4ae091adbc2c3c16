#pragma once

#include "app/chatlog.h"
#include "app/t_main.h"
#include "conversation/characters.h"
#include "platform/fakesystem.h"

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
        clock()->stop();
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the main window did not become active");
    }

    template<typename T = QWidget>
    T *child(const char *name)
    {
        auto *found = window.findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no child named %s", name);
        return found;
    }
    QLineEdit *input() { return child<QLineEdit>("Sent_t"); }
    ChatLog *log() { return child<ChatLog>("uke"); }
    QLabel *alarmLabel() { return child<QLabel>("la3"); }
    QTimer *clock() { return child<QTimer>("Timer1"); }
    MainState &state() { return window.state(); }

    // Types the line key by key, each character with its own key press, then
    // presses Enter.
    void submit(const QString &line)
    {
        for (qsizetype i = 0; i < line.size();) {
            const qsizetype end = characterEnd(line, i);
            QTest::sendKeyEvent(QTest::Click, input(), Qt::Key_unknown, line.mid(i, end - i),
                                Qt::NoModifier);
            i = end;
        }
        QTest::keyClick(input(), Qt::Key_Return);
    }

    FakeSystem system;
    T_Main window{system};
};
