#pragma once

#include <QDateTime>
#include <QString>

#include <chrono>
#include <functional>

class QObject;

// How a power-off request ended: accepted, or refused with the system's
// own words for why.
using PowerOffDone = std::function<void(bool accepted, const QString &reason)>;
// What the window does for the alarm's warning, which stands outside it.
struct WarningActions
{
    // The user asked to see the window, with the desktop's token for
    // activating it where it gave one.
    std::function<void(const QString &activationToken)> open;
    // The user asked to cancel the alarm.
    std::function<void()> cancel;
    // The desktop could not show the warning: the window asks for attention.
    std::function<void()> unseen;
};

// Everything the program asks of the operating system, in one place, so
// that tests can stand in for the machine and never touch the real one.
class SystemServices
{
public:
    virtual ~SystemServices() = default;

    // Local time of day on the 24-hour clock as "H:mm:ss" (one or two hour
    // digits), whatever the locale's own format.
    virtual QString timeOfDay() const = 0;
    // The local date and time as the clock's face shows it, to tell how far
    // the clock moved between two ticks.
    virtual QDateTime now() const = 0;
    virtual void beep() = 0;
    // Blocks the calling thread; no event is handled meanwhile.
    virtual void pause(std::chrono::microseconds length) = 0;
    // Returns when the user has closed the box.
    virtual void showMessage(const QString &text, const QString &caption) = 0;
    // Ends the program: every window closes and no handler runs afterwards.
    virtual void endProgram() = 0;
    // Asks the operating system to power the machine off and returns at
    // once; done runs later from the event loop, unless context is gone by
    // then. A warning just withdrawn has surely gone first, so that a
    // "解除" clicked on it before is handled before the request is sent.
    virtual void requestPowerOff(QObject &context, PowerOffDone done) = 0;
    // Told whenever the alarm is armed or disarmed, and disarmed again when
    // the program ends. While armed, the machine is kept from suspending for
    // idleness, but the screen still blanks and locks; reason says why to
    // whoever asks the desktop. Never fails for the user: the alarm stays
    // armed whatever the system answers.
    virtual void setAlarmArmed(bool armed, const QString &reason) = 0;

    // Outside the window, where the user sees it over other programs: the
    // alarm is about to power the machine off. Returns at once and never
    // fails for the user: where the desktop cannot show it, the warning
    // goes to standard error and the alarm goes on all the same.
    virtual void showAlarmWarning(const QString &summary, const QString &body) = 0;
    // Takes the warning down, if it is still shown.
    virtual void withdrawAlarmWarning() = 0;
    // What the warning (or a tray icon) passes on, run from the event loop
    // unless context is gone.
    virtual void setWarningActions(QObject &context, WarningActions actions) = 0;
};
