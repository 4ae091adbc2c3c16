#pragma once

#include <QDateTime>
#include <QtGlobal>

struct MainState;

// Whether the alarm's minute (hour:minute on the clock's face) lies wholly
// between two readings of the clock: it begins after the earlier reading
// and is over by the later one. A clock set back skips nothing.
bool alarmMinuteSkipped(const QDateTime &earlier, const QDateTime &later, qint16 hour, qint16 minute);

// Tells when no tick fell inside the armed alarm's minute: the machine was
// suspended across it, or the clock was set over it. Left unsaid, the alarm
// would stay armed for the same minute of the next day.
class MissedAlarmWatch
{
public:
    // Whether the armed alarm's minute went by since the last tick.
    bool tick(const MainState &state, const QDateTime &now);

private:
    QDateTime lastTick;
};
