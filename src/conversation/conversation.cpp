#include "conversation/conversation.h"

#include "conversation/alarmentry.h"
#include "conversation/chatsurface.h"
#include "conversation/mainstate.h"
#include "conversation/numbers.h"
#include "conversation/typeout.h"
#include "platform/appidentity.h"
#include "platform/systemservices.h"

namespace {

QString timerIntroduction(const QString &nowTime)
{
    return QStringLiteral("\r\nウィンドウズ終了までのタイマーをセットします。\r\n現在の時刻は") + nowTime
           + QStringLiteral("です。\r\n"
                            "OO:OOの（必、半角文字）ように入力してください。\r\n"
                            "数字が一桁の場合は、そのまま入力してください。（例1:23)\r\n"
                            "０１や０２などは認識できません");
}

QString askYesOrNo()
{
    return QStringLiteral("正しく入力してください。(yes,no)");
}

QString alarmStillSet()
{
    return QStringLiteral("タイマーがセットされています。");
}

void disarm(MainState &state, ChatSurface &surface)
{
    state.replyText = QStringLiteral("timerイベントを終了します。");
    state.timerOn = 0;
    surface.setAlarmLabel(QString());
    state.mode = 1;
}

// Disarms and types why, for a cancel or a missed alarm from outside the
// conversation.
void disarmAndSay(MainState &state, ChatSurface &surface, SystemServices &system, const QString &preface)
{
    if (state.timerOn != 1)
        return;
    disarm(state, surface);
    state.replyText.prepend(preface);
    TypeOut(state, surface, system);
    state.replyText.clear();
}

void answerConfirmation(MainState &state, ChatSurface &surface)
{
    if (state.inText == u"no") {
        disarm(state, surface);
    } else if (state.inText == u"yes") {
        surface.setAlarmLabel(alarmLabelText(state.setHour, state.setMin));
        state.timerOn = 1;
        state.replyText = QStringLiteral("タイマーがセットされました。");
        state.mode = 5;
    } else {
        state.replyText = askYesOrNo();
    }
}

void answerCancelOffer(MainState &state, ChatSurface &surface)
{
    if (state.inText == u"yes") {
        disarm(state, surface);
    } else if (state.inText == u"no") {
        state.replyText = alarmStillSet();
        state.timerOn = 1;
        state.mode = 5;
    } else {
        state.replyText = askYesOrNo();
    }
}

// Sets the reply for the current state. Returns false when the state is
// impossible and the program has been ended.
bool answerByMode(MainState &state, ChatSurface &surface, SystemServices &system)
{
    switch (state.mode) {
    case 1:
        if (state.inText == u"timer") {
            state.replyText = timerIntroduction(state.nowTime);
            state.mode = 2;
        } else {
            state.replyText = state.inText + QStringLiteral("は理解できません。");
        }
        return true;
    case 2:
        surface.clearInputLine();
        state.mode = 3;
        return true;
    case 3:
        EnterAlarmTime(state);
        return true;
    case 4:
        answerConfirmation(state, surface);
        return true;
    case 5:
        state.replyText = alarmStillSet() + QStringLiteral("\r\nタイマーを解除しますか。\r\nyes or no");
        state.mode = 6;
        return true;
    case 6:
        answerCancelOffer(state, surface);
        return true;
    default:
        system.showMessage(QStringLiteral("不正な操作が行われました。終了します。"),
                           QString::fromUtf8(AppIdentity::title));
        system.endProgram();
        return false;
    }
}

// Answers a line as if the user had typed it into the input box.
void answerText(MainState &state, ChatSurface &surface, SystemServices &system, const QString &line)
{
    state.inText = line;
    if (state.inText == QStringLiteral("おはよう"))
        state.replyText = QStringLiteral("おはようございます。");
    else if (state.inText.isEmpty())
        state.replyText = QStringLiteral("命令を入力してください。");
    else if (!answerByMode(state, surface, system))
        return;

    for (;;) {
        TypeOut(state, surface, system);
        surface.focusInputLine();
        surface.clearInputLine();
        state.replyText.clear();
        // "timer" leaves state 2 behind, which is passed at once with the same line.
        if (state.mode != 2)
            return;
        if (!answerByMode(state, surface, system))
            return;
    }
}

} // namespace

void cancelAlarm(MainState &state, ChatSurface &surface, SystemServices &system)
{
    disarmAndSay(state, surface, system, QString());
}

void alarmMissed(MainState &state, ChatSurface &surface, SystemServices &system)
{
    disarmAndSay(state, surface, system, QStringLiteral("設定時刻を過ぎました。\r\n"));
}

QString alarmLabelText(qint16 hour, qint16 minute)
{
    return QStringLiteral("タイマー設定時間") + NumberText(hour) + u'時' + NumberText(minute) + u'分';
}

QString alarmWaitReason(qint16 hour, qint16 minute)
{
    return QString::number(hour) + u'時' + QString::number(minute)
           + QStringLiteral("分にシャットダウンするタイマーがセットされています。");
}

void answerLine(MainState &state, ChatSurface &surface, SystemServices &system)
{
    answerText(state, surface, system, surface.inputLine());
}

void armAtStart(MainState &state, ChatSurface &surface, SystemServices &system, const QString &time)
{
    // The greeting keeps only the hour until the next tick; "timer" tells the whole time.
    state.nowTime = system.timeOfDay();
    // A time entry the user began before the greeting gives way, so that
    // the time confirmed is the one asked for.
    state.mode = 1;
    for (const QString &line : {QStringLiteral("timer"), time, QStringLiteral("yes")})
        answerText(state, surface, system, line);
}
