#pragma once

#include "conversation/numbers.h"

#include <QString>
#include <QtGlobal>

#include <optional>

struct MainState;

// The alarm time a line gives ("9:30" or "21:30"), when the entry accepts it.
std::optional<HourMinute> acceptedAlarmTime(const QString &line);

// Reads the alarm time from inText. On success it stores setHour and
// setMin, asks for confirmation and moves to mode 4; otherwise it only sets
// the error reply.
void EnterAlarmTime(MainState &state);
