#pragma once

#include "platform/notifier.h"

#include <memory>

class QMenu;
class QSystemTrayIcon;

// The program's icon in the taskbar's notification area while the alarm is
// armed, the reason as its tooltip; the warning is its message, which
// Windows 10 and 11 show as a toast. A click on either opens the window;
// the icon's menu opens it or cancels the alarm, as a message has no buttons.
class TrayNotifier final : public QObject, public Notifier
{
public:
    TrayNotifier();
    ~TrayNotifier() override;

    void setArmed(bool armed, const QString &reason) override;
    void show(const QString &summary, const QString &body) override;
    void withdraw() override;

private:
    std::unique_ptr<QMenu> menu; // a widget, so it cannot be the icon's child
    QSystemTrayIcon *tray;
};
