#pragma once

struct MainState;
class SystemServices;

// Whether the clock's last reading (nowTime) falls in the minute before the
// armed alarm's: 21:29 for 21:30, 23:59 for 0:00. Disarmed, never.
bool inWarningMinute(const MainState &state);

// The warning outside the window that the alarm is a minute away: given at
// the first tick of that minute, once, and taken down at any other tick (the
// alarm minute, or a clock set elsewhere) and whenever the alarm goes.
class AlarmWarning
{
public:
    explicit AlarmWarning(SystemServices &system);

    void tick(const MainState &state);
    void withdraw();

private:
    SystemServices &system;
    bool shown = false;
};
