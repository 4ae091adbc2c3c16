#include "conversation/greeting.h"

#include "conversation/characters.h"
#include "conversation/chatsurface.h"
#include "conversation/mainstate.h"
#include "conversation/numbers.h"
#include "conversation/typeout.h"
#include "platform/systemservices.h"

QString greetingFor(const QString &hourText)
{
    bool readable = false;
    const qint16 hour = RoundInt(TextValue(hourText, &readable));
    if (!readable)
        return QString();
    if (hour >= 0 && hour <= 4)
        return QStringLiteral("こんばんわ\r\n遅くまでご苦労様です");
    if (hour >= 5 && hour <= 9)
        return QStringLiteral("おはようございます");
    if (hour >= 10 && hour <= 17)
        return QStringLiteral("こんにちわ");
    if (hour >= 18 && hour <= 23)
        return QStringLiteral("こんばんわ");
    return QString();
}

void greet(MainState &state, ChatSurface &surface, SystemServices &system)
{
    do {
        if (state.greetStep == 1) {
            state.greetStep = 2;
            // Only the first two characters are kept until the next tick: the
            // hour, with its colon when it has one digit ("7:").
            state.nowTime = characterSlice(system.timeOfDay(), 1, 2);
            state.replyText = greetingFor(state.nowTime);
        } else if (state.greetStep == 2) {
            state.replyText = QStringLiteral("現在利用できる処理は\r\nＷＩＮＤＯＷＳ終了タイマー(コマンド timer)です。");
            state.greetStep = 3;
        } else {
            state.replyText = QStringLiteral("命令を入力してください。");
            state.greetStep = 0;
        }
        TypeOut(state, surface, system);
        surface.focusInputLine();
    } while (state.greetStep > 1);
}
