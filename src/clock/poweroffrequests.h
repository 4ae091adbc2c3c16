#pragma once

struct MainState;
class ChatSurface;
class QObject;
class QString;
class SystemServices;

// Sends the power-off request when the alarm fires, one at a time: while a
// request is open (logind may be waiting on a password prompt) or after one
// was accepted, further presses in the same alarm minute send nothing. A
// refusal is typed into the log and written to standard error once per
// alarm minute; a later tick of that minute may try again quietly.
class PowerOffRequests
{
public:
    PowerOffRequests(MainState &state, ChatSurface &surface, SystemServices &system, QObject &context);

    void request();
    // A tick outside the alarm minute: the next alarm minute starts afresh.
    void alarmMinuteOver();

private:
    void finished(bool accepted, const QString &reason);

    MainState &state;
    ChatSurface &surface;
    SystemServices &system;
    QObject &context;
    bool open = false;
    bool accepted = false;
    bool refusalReported = false;
};
