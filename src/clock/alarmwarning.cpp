#include "clock/alarmwarning.h"

#include "conversation/conversation.h"
#include "conversation/mainstate.h"
#include "conversation/numbers.h"
#include "platform/systemservices.h"

bool inWarningMinute(const MainState &state)
{
    if (state.timerOn != 1)
        return false;
    constexpr int minutesPerDay = 24 * 60;
    const HourMinute now = readHourMinute(state.nowTime);
    const int alarm = state.setHour * 60 + state.setMin;
    return (now.hour * 60 + now.minute + 1) % minutesPerDay == alarm % minutesPerDay;
}

AlarmWarning::AlarmWarning(SystemServices &system)
    : system(system)
{
}

void AlarmWarning::tick(const MainState &state)
{
    if (!inWarningMinute(state)) {
        withdraw();
        return;
    }
    if (shown)
        return;
    shown = true;
    system.showAlarmWarning(QStringLiteral("1分後にシャットダウンします"),
                            alarmWaitReason(state.setHour, state.setMin)
                                + QStringLiteral("「解除」を押すか、Pelmoraに何か入力すると、タイマーを解除できます。"));
}

void AlarmWarning::withdraw()
{
    if (shown)
        system.withdrawAlarmWarning();
    shown = false;
}
