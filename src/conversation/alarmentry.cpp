#include "conversation/alarmentry.h"

#include "conversation/characters.h"
#include "conversation/mainstate.h"

namespace {

bool isAsciiDigit(const QString &character)
{
    return character.size() == 1 && character.at(0) >= u'0' && character.at(0) <= u'9';
}

bool minuteInRange(qint16 minute)
{
    return minute > -1 && minute < 60;
}

} // namespace

std::optional<HourMinute> acceptedAlarmTime(const QString &line)
{
    const HourMinute time = readHourMinute(line);
    const auto [oneDigitHour, hour, minute] = time;
    bool valid = minuteInRange(minute);
    if (oneDigitHour)
        valid = valid && hour > 0;
    else // a two-digit hour must be written with digits
        valid = valid && isAsciiDigit(characterSlice(line, 2, 1)) && hour > 9 && hour < 24;
    if (!valid)
        return std::nullopt;
    return time;
}

void EnterAlarmTime(MainState &state)
{
    const std::optional<HourMinute> time = acceptedAlarmTime(state.inText);
    if (!time) {
        state.replyText = QStringLiteral("正しく入力してください。(00:00)");
        return;
    }
    state.setHour = time->hour;
    state.setMin = time->minute;
    state.replyText = QStringLiteral("\r\n") + NumberText(time->hour) + u':' + NumberText(time->minute)
                      + QStringLiteral("でよろしいですか。\r\n ｙｅｓ ｏｒ ｎｏ (コマンド yes , no)");
    state.mode = 4;
}
