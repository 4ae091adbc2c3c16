#pragma once

#include <QObject>

#include <memory>

struct MainState;
class ChatSurface;
class QString;
class SystemServices;

// Sends the power-off request when the alarm fires, one at a time, and at
// most until the system has answered once in an alarm minute: while a
// request is open (logind may be waiting on a password prompt) nothing more
// is sent, and after an answer nothing more until the minute is over, so
// that a user who dismissed the prompt is not asked again every second.
// A refusal is typed into the log and written to standard error.
class PowerOffRequests
{
public:
    PowerOffRequests(MainState &state, ChatSurface &surface, SystemServices &system);

    void request();
    // A tick outside the alarm minute: the next alarm minute starts afresh.
    void alarmMinuteOver();
    // The window is gone or the alarm disarmed: an open request's answer,
    // whenever it comes, is ignored, and the next alarm minute asks afresh.
    void abandon();

private:
    void finished(bool accepted, const QString &reason);

    MainState &state;
    ChatSurface &surface;
    SystemServices &system;
    // The context the system's answer is delivered to; replaced by abandon(),
    // which drops an answer still on its way.
    std::unique_ptr<QObject> answers = std::make_unique<QObject>();
    bool open = false;
    bool answered = false;
};
