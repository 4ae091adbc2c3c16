#include "clock/poweroffrequests.h"

#include "conversation/mainstate.h"
#include "conversation/typeout.h"
#include "platform/systemservices.h"

#include <cstdio>

PowerOffRequests::PowerOffRequests(MainState &state, ChatSurface &surface, SystemServices &system)
    : state(state)
    , surface(surface)
    , system(system)
{
}

void PowerOffRequests::request()
{
    if (open || answered)
        return;
    open = true;
    system.requestPowerOff(*answers, [this](bool accepted, const QString &reason) { finished(accepted, reason); });
}

void PowerOffRequests::alarmMinuteOver()
{
    answered = false;
}

void PowerOffRequests::abandon()
{
    answers = std::make_unique<QObject>();
    open = false;
    answered = false;
}

void PowerOffRequests::finished(bool accepted, const QString &reason)
{
    open = false;
    answered = true;
    if (accepted)
        return;
    const QString report = QStringLiteral("シャットダウンできませんでした。\r\n") + reason;
    // Straight to standard error: Qt's own logging may go to the journal instead.
    std::fprintf(stderr, "%s\n", report.toLocal8Bit().constData());
    typeText(report, state.speed, surface, system);
}
