#include "platform/traynotifier.h"

#include <QGuiApplication>
#include <QSystemTrayIcon>

TrayNotifier::TrayNotifier()
    : tray(new QSystemTrayIcon(QGuiApplication::windowIcon(), this))
{
    connect(tray, &QSystemTrayIcon::messageClicked, this, [this] { openWindow(); });
    connect(tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            openWindow();
    });
}

void TrayNotifier::setArmed(bool armed, const QString &reason)
{
    tray->setToolTip(reason);
    tray->setVisible(armed);
}

void TrayNotifier::show(const QString &summary, const QString &body)
{
    tray->showMessage(summary, body, QSystemTrayIcon::Warning);
}

void TrayNotifier::withdraw()
{
    // An empty message takes the shown one down and leaves the icon.
    tray->showMessage(QString(), QString());
}

std::unique_ptr<Notifier> platformNotifier()
{
    return std::make_unique<TrayNotifier>();
}
