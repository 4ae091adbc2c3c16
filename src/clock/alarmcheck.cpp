#include "clock/alarmcheck.h"

#include "conversation/mainstate.h"
#include "conversation/numbers.h"

bool alarmDue(MainState &state)
{
    if (state.timerOn != 1)
        return false;
    const HourMinute now = readHourMinute(state.nowTime);
    state.nowHour = now.hour;
    state.nowMin = now.minute;
    return state.nowMin == state.setMin && state.nowHour == state.setHour;
}
