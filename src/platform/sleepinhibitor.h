#pragma once

#include <QtGlobal>

#include <memory>

class QString;

// Keeps the machine from suspending while an alarm waits, so that the alarm
// is not slept through; never from going idle, so that the screen still
// blanks and locks. Failures go to standard error only.
class SleepInhibitor
{
public:
    virtual ~SleepInhibitor() = default;
    // Takes the inhibition, unless it is held already; reason is shown to
    // whoever asks the desktop why it does not sleep.
    virtual void inhibit(const QString &reason) = 0;
    // Lets it go, if held.
    virtual void release() = 0;
};

// The inhibitor of the platform the program was built for.
std::unique_ptr<SleepInhibitor> platformSleepInhibitor();

#ifndef Q_OS_WIN
class QDBusConnection;
// The desktop's, over the given session and system buses.
std::unique_ptr<SleepInhibitor> sleepInhibitorOver(const QDBusConnection &session, const QDBusConnection &system);
#endif
