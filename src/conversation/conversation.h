#pragma once

#include <QString>
#include <QtGlobal>

struct MainState;
class ChatSurface;
class SystemServices;

// Answers the line in the input box: takes it into inText, picks the reply
// by the conversation state, types it, and leaves the input box empty and
// focused. An impossible state ends the program after a message instead.
void answerLine(MainState &state, ChatSurface &surface, SystemServices &system);

// Arms the alarm for time ("21:30") as if the user had typed "timer", the
// time and "yes": the same replies, the same state. For an alarm asked for
// when the program was started, once the greeting is done.
void armAtStart(MainState &state, ChatSurface &surface, SystemServices &system, const QString &time);

// Cancels the armed alarm as the cancel offer's "yes" does, for the user who
// asked from outside the window: types the same reply and waits for a
// command again. Disarmed, it does nothing.
void cancelAlarm(MainState &state, ChatSurface &surface, SystemServices &system);

// The armed alarm's minute went by without a tick (the machine asleep, the
// clock set over it): says so and disarms as cancelAlarm does, so that
// nothing powers off later without a new confirmation.
void alarmMissed(MainState &state, ChatSurface &surface, SystemServices &system);

// The alarm label's caption for an armed alarm, such as "タイマー設定時間 21時 30分".
QString alarmLabelText(qint16 hour, qint16 minute);

// Why the machine stays awake while the alarm is armed, told to whoever asks
// the desktop, such as "21時30分にシャットダウンするタイマーがセットされています。".
QString alarmWaitReason(qint16 hour, qint16 minute);
