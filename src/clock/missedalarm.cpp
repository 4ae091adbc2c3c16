#include "clock/missedalarm.h"

#include "conversation/mainstate.h"

#include <utility>

namespace {

// The reading as the clock's face shows it: a summer-time gap is then a
// step forward over the hour it leaves out.
QDateTime onFace(const QDateTime &reading)
{
    return QDateTime(reading.date(), reading.time(), Qt::UTC);
}

} // namespace

bool alarmMinuteSkipped(const QDateTime &earlier, const QDateTime &later, qint16 hour, qint16 minute)
{
    const QTime alarm(hour, minute);
    if (!earlier.isValid() || !later.isValid() || !alarm.isValid())
        return false;
    const QDateTime from = onFace(earlier);
    QDateTime start(from.date(), alarm, Qt::UTC);
    if (start <= from)
        start = start.addDays(1);
    return start.addSecs(60) <= onFace(later);
}

bool MissedAlarmWatch::tick(const MainState &state, const QDateTime &now)
{
    const QDateTime earlier = std::exchange(lastTick, now);
    return state.timerOn == 1 && alarmMinuteSkipped(earlier, now, state.setHour, state.setMin);
}
