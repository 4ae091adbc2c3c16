#pragma once

#include "app/chatlog.h"
#include "app/t_main.h"
#include "platform/fakesystem.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The real main window over the fake system, from the state the program
// starts in, driven by a script of steps joined by "|":
//   @21:30:00     the clock ticks at that time of day; "@" alone: the window's own clock ticks once
//   !ok, !<why>   the system answers the open power-off request: accepted, or refused for why
//   *Menu/Item    the menu item with these captions is chosen
//   [Caption]     the button with this caption is clicked
//   ^             the window is closed
//   anything else is a line typed into the input line, then Enter
// After every step it checks what must hold whatever the script; reply is
// what the step added to the log, its leading line break included.
struct Dialogue
{
    Dialogue()
    {
        clockStarted = clock()->isActive();
        clock()->stop(); // only the script ticks
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the main window did not become active");
    }

    template<typename T = QWidget>
    T *child(const char *name) { return window.findChild<T *>(QLatin1String(name)); }
    QLineEdit *input() { return child<QLineEdit>("Sent_t"); }
    ChatLog *log() { return child<ChatLog>("uke"); }
    QTimer *clock() { return child<QTimer>("Timer1"); }

    // Each returns false once a check has failed.
    bool run(const QString &script)
    {
        for (const QString &step : script.split(u'|')) {
            this->step(step, script);
            if (QTest::currentTestFailed())
                return false;
        }
        return true;
    }
    bool type(const QString &line)
    {
        step(line, line, true);
        return !QTest::currentTestFailed();
    }

    void step(const QString &step, const QString &script, bool typed = false)
    {
        const QString before = log()->text();
        const qsizetype requests = system.events.count(QStringLiteral("power off"));
        const QByteArray at = (script + QStringLiteral(" at \"") + step + u'"').toUtf8();
        perform(step, typed);
        if (QTest::currentTestFailed())
            return;
        const QString after = log()->text();
        reply = after.startsWith(before) ? after.mid(before.size()) : after;
        const bool greeted = step.startsWith(u'@') && !reply.isEmpty();
        const MainState &state = window.state();
        // The log grows by a line break and a reply, or not at all; only the clear button empties it.
        QVERIFY2(step == u"[クリアー]" ? after.isEmpty()
                                      : reply.isEmpty() || (reply.startsWith(QStringLiteral("\r\n")) && reply.size() > 2),
                 at);
        QVERIFY2(input()->text().isEmpty(), at);
        QVERIFY2((!typed && !greeted && step != u"[OK]") || window.focusWidget() == input(), at);
        QVERIFY2(!typed || state.replyText.isEmpty(), at);
        for (const char *name : {"jikanG", "la3"}) {
            const QLabel *label = child<QLabel>(name);
            QVERIFY2(label->size().expandedTo(label->sizeHint()) == label->size(), at);
        }
        if (window.isVisible() && !system.events.contains(QStringLiteral("end"))) {
            const QStringList told = system.events.filter(QRegularExpression(QStringLiteral("^(armed|disarmed)")));
            const bool armed = !told.isEmpty() && told.last() != u"disarmed";
            QVERIFY2(child<QLabel>("la3")->text().isEmpty() != armed, at);
            QVERIFY2((state.timerOn == 1) == armed && state.mode >= 1 && state.mode <= 6 && state.mode != 2
                         && (state.mode >= 5) == armed,
                     at);
        }
        // Only an armed alarm's minute asks for the power-off; the greeting's
        // own tick reads the hour alone.
        const QString now = step.mid(1, step.lastIndexOf(u':') - 1);
        const QString alarm = QStringLiteral("%1:%2").arg(state.setHour).arg(state.setMin, 2, 10, QLatin1Char('0'));
        QVERIFY2(system.events.count(QStringLiteral("power off")) == requests
                     || (step.startsWith(u'@') && state.timerOn == 1
                         && (greeted || now == alarm || now == QStringLiteral("0") + alarm)),
                 at);
    }

    void perform(const QString &step, bool &typed)
    {
        const QString rest = step.mid(1);
        const bool button = step.startsWith(u'[') && step.endsWith(u']');
        typed = typed || !(button || step == u"^" || QRegularExpression(QStringLiteral("^[@!*]")).match(step).hasMatch());
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
            system.time = rest;
            window.Timer1_Timer();
            QCOMPARE(child<QLabel>("jikanG")->text(), rest);
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
        } else if (button) {
            QPushButton *clicked = nullptr;
            for (QPushButton *candidate : window.findChildren<QPushButton *>())
                clicked = candidate->text() == rest.chopped(1) ? candidate : clicked;
            QVERIFY2(clicked, qPrintable(step));
            QTest::mouseClick(clicked, Qt::LeftButton);
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
