#pragma once

#include <QString>
#include <QtGlobal>

// The fields the main window, the conversation and the clock share, and
// what each one means. The window owns one of these; the conversation and
// the clock are handed it and never see the window.
struct MainState
{
    QString replyText; // what the computer types next
    QString inText;    // the line the user last submitted
    qint16 mode = 0;   // conversation state, 1 to 6
    QString nowTime;   // time of day as text, refreshed by the clock
    qint16 greetStep = 0; // 1 = greeting due, 2 and 3 while it runs, 0 = done
    qint16 setMin = 0;    // the alarm's minute and hour
    qint16 nowMin = 0;    // minute and hour the clock last read from nowTime
    qint16 setHour = 0;
    qint16 nowHour = 0;
    qint16 timerOn = 0; // 1 while the shutdown alarm is armed
    qint32 speed = 0;   // typing pause setting: 0, 80000 or 180000
};
