#include "conversation/alarmentry.h"

#include "app/mainstate.h"
#include "conversation/characters.h"
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
    const QString &line = state.inText;
    const QString second = characterSlice(line, 2, 1);
    qint16 hour = 0;
    qint16 minute = 0;
    bool valid = false;
    if (second == u":") {
        hour = pieceValue(line, 1, 1);
        minute = pieceValue(line, 3, 2);
        valid = hour > 0 && minuteInRange(minute);
    } else if (isAsciiDigit(second)) {
        // Character 3 is the separator and is not looked at.
        hour = pieceValue(line, 1, 2);
        minute = pieceValue(line, 4, 2);
        valid = hour > 9 && hour < 24 && minuteInRange(minute);
    }

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
