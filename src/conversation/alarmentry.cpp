#include "conversation/alarmentry.h"

#include "conversation/characters.h"
#include "conversation/mainstate.h"
#include "conversation/numbers.h"

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

void EnterAlarmTime(MainState &state)
{
    const auto [oneDigitHour, hour, minute] = readHourMinute(state.inText);
    bool valid = minuteInRange(minute);
    if (oneDigitHour)
        valid = valid && hour > 0;
    else // a two-digit hour must be written with digits
        valid = valid && isAsciiDigit(characterSlice(state.inText, 2, 1)) && hour > 9 && hour < 24;

    if (!valid) {
        state.replyText = QStringLiteral("正しく入力してください。(00:00)");
        return;
    }
    state.setHour = hour;
    state.setMin = minute;
    state.replyText = QStringLiteral("\r\n") + NumberText(hour) + u':' + NumberText(minute)
                      + QStringLiteral("でよろしいですか。\r\n ｙｅｓ ｏｒ ｎｏ (コマンド yes , no)");
    state.mode = 4;
}
