#include "platform/poweroff.h"

#include "platform/windowsshutdown.h"

#include <QTimer>

void requestWindowsPowerOff(WindowsShutdownCalls &calls, QObject &context, PowerOffDone done)
{
    const std::optional<std::wstring> failure = powerOffWindows(calls);
    // Answer from the event loop, as the request promises.
    QTimer::singleShot(0, &context, [done = std::move(done), failure] {
        if (failure)
            done(false, QString::fromStdWString(*failure));
        else
            done(true, QString());
    });
}

void requestSystemPowerOff(QObject &context, PowerOffDone done)
{
    Win32ShutdownCalls calls;
    requestWindowsPowerOff(calls, context, std::move(done));
}
