#pragma once

#include "platform/systemservices.h"

// The power-off request of the platform the program was built for.
void requestSystemPowerOff(QObject &context, PowerOffDone done);

#ifdef Q_OS_WIN
class WindowsShutdownCalls;
// The same over the given calls.
void requestWindowsPowerOff(WindowsShutdownCalls &calls, QObject &context, PowerOffDone done);
#else
class QDBusConnection;
// The same over the given session and system buses.
void requestPowerOffOver(const QDBusConnection &session, const QDBusConnection &system, QObject &context,
                         PowerOffDone done);
#endif
