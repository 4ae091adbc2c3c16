#pragma once

#include <QString>
#include <QtGlobal>

struct MainState;

// Reads the alarm time from inText ("9:30" or "21:30"). On success it
// stores setHour and setMin, asks for confirmation and moves to mode 4;
// otherwise it only sets the error reply.
void EnterAlarmTime(MainState &state);
