#pragma once

struct MainState;

// While the alarm is armed, reads nowHour and nowMin from nowTime ("9:05…"
// or "21:05…") and tells whether they are the alarm's hour and minute.
// Disarmed, it touches nothing and is never due.
bool alarmDue(MainState &state);
