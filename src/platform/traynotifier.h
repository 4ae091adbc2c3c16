#pragma once

#include "platform/notifier.h"

class QSystemTrayIcon;

// The program's icon in the taskbar's notification area while the alarm is
// armed, the reason as its tooltip; the warning is its message, which
// Windows 10 and 11 show as a toast. A click on either opens the window.
class TrayNotifier final : public QObject, public Notifier
{
public:
    TrayNotifier();

    void setArmed(bool armed, const QString &reason) override;
    void show(const QString &summary, const QString &body) override;
    void withdraw() override;

private:
    QSystemTrayIcon *tray;
};
