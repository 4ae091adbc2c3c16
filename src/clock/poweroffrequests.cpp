#include "clock/poweroffrequests.h"

#include "app/mainstate.h"
#include "conversation/typeout.h"
#include "platform/systemservices.h"

#include <QDebug>

PowerOffRequests::PowerOffRequests(MainState &state, ChatSurface &surface, SystemServices &system,
                                   QObject &context)
    : state(state)
    , surface(surface)
    , system(system)
    , context(context)
{
}

void PowerOffRequests::request()
{
    if (open || accepted)
        return;
    open = true;
    system.requestPowerOff(context, [this](bool wasAccepted, const QString &reason) {
        finished(wasAccepted, reason);
    });
}

void PowerOffRequests::alarmMinuteOver()
{
    accepted = false;
    refusalReported = false;
}

void PowerOffRequests::finished(bool wasAccepted, const QString &reason)
{
    open = false;
    accepted = wasAccepted;
    if (wasAccepted || refusalReported)
        return;
    refusalReported = true;
    const QString report = QStringLiteral("シャットダウンできませんでした。\r\n") + reason;
    qWarning().noquote() << report;
    typeText(report, state.speed, surface, system);
}
