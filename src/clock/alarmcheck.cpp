#include "clock/alarmcheck.h"

#include "app/mainstate.h"
#include "conversation/characters.h"
#include "conversation/numbers.h"

bool alarmDue(MainState &state)
{
    if (state.timerOn != 1)
        return false;
    const QString &now = state.nowTime;
    if (characterSlice(now, 2, 1) == u":") {
        state.nowHour = pieceValue(now, 1, 1);
        state.nowMin = pieceValue(now, 3, 2);
    } else {
        state.nowHour = pieceValue(now, 1, 2);
        state.nowMin = pieceValue(now, 4, 2);
    }
    return state.nowMin == state.setMin && state.nowHour == state.setHour;
}
