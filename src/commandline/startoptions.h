#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of this run: either an answer at once, with no
// window (help, the version, or what is wrong), or the window, with an alarm
// to arm once the greeting is done when --at gave one.
struct StartOptions
{
    QString answer;       // empty: open the window
    bool refused = false; // the answer says what is wrong: standard error, a failure status
    QString alarmAt;      // --at's time as typed after "timer"; empty: none
};

// Reads the arguments, the program's path first, as QCoreApplication gives
// them. Qt's own options (-platform, -style, …) are let through for the
// application object, which takes them.
StartOptions readStartOptions(const QStringList &arguments);
