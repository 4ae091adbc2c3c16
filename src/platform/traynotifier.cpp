#include "platform/traynotifier.h"

#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

TrayNotifier::TrayNotifier()
    : menu(std::make_unique<QMenu>())
    , tray(new QSystemTrayIcon(QGuiApplication::windowIcon(), this))
{
    connect(menu->addAction(QStringLiteral("開く")), &QAction::triggered, this, [this] { openWindow(QString()); });
    connect(menu->addAction(QStringLiteral("解除")), &QAction::triggered, this, [this] { requestCancel(); });
    tray->setContextMenu(menu.get());
    connect(tray, &QSystemTrayIcon::messageClicked, this, [this] { openWindow(QString()); });
    connect(tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            openWindow(QString());
    });
}

TrayNotifier::~TrayNotifier() = default;

void TrayNotifier::setArmed(bool armed, const QString &reason)
{
    tray->setToolTip(reason);
    tray->setVisible(armed);
}

void TrayNotifier::show(const QString &summary, const QString &body)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        reportUnseen();
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
