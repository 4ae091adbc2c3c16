#include "platform/notifier.h"

#include "platform/appidentity.h"
#include "platform/dbuscalls.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>
#include <utility>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

// The desktop's notification daemon on the session bus, which GNOME, KDE,
// Xfce and MATE all run.
class DesktopNotifier final : public QObject, public Notifier
{
    Q_OBJECT

public:
    explicit DesktopNotifier(const QDBusConnection &session) : bus(session)
    {
        bus.connect(service, path, service, QStringLiteral("ActionInvoked"), this,
                    SLOT(actionInvoked(uint, QString)));
        bus.connect(service, path, service, QStringLiteral("NotificationClosed"), this, SLOT(closed(uint)));
        // Sent just before an action by daemons that hand out tokens for
        // activating a window (Wayland's way of letting it come forward).
        bus.connect(service, path, service, QStringLiteral("ActivationToken"), this,
                    SLOT(activationToken(uint, QString)));
    }
    ~DesktopNotifier() override { withdraw(); }

    void setArmed(bool, const QString &) override {} // nothing is shown until the warning

    void show(const QString &summary, const QString &body) override
    {
        const quint64 attempt = ++attempts;
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
        // The icon and the desktop entry by the names the package installs.
        // A click on the notification is its "default" action; "open" is the
        // same as a button, for daemons that show only buttons.
        const QString entry = QString::fromUtf8(AppIdentity::desktopEntry);
        const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(2))}, // critical: stays
                                {QStringLiteral("desktop-entry"), entry}};
        call << QString::fromUtf8(AppIdentity::title) << id << entry << summary << body
             << QStringList{QStringLiteral("default"), QStringLiteral("開く"), QStringLiteral("open"),
                            QStringLiteral("開く"), QStringLiteral("cancel"), QStringLiteral("解除")}
             << hints << qint32(0);
        auto *watcher = new QDBusPendingCallWatcher(askOn(bus, call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, attempt, warning = summary + u'\n' + body](QDBusPendingCallWatcher *answer) {
                    answer->deleteLater();
                    const QDBusPendingReply<uint> reply = *answer;
                    if (reply.isError()) {
                        const QString report = warning + u'\n' + dbusErrorText(reply.error());
                        std::fprintf(stderr, "%s\n", report.toLocal8Bit().constData());
                    } else if (attempt == attempts)
                        id = reply.value();
                    else
                        close(reply.value()); // withdrawn while on its way
                });
    }

    // An answer still on its way is then for an earlier attempt.
    void withdraw() override
    {
        ++attempts;
        activation.clear();
        if (id != 0)
            close(std::exchange(id, 0));
    }

private Q_SLOTS:
    void actionInvoked(uint notification, const QString &action)
    {
        if (notification != id || id == 0)
            return;
        const QString token = std::exchange(activation, QString());
        if (action == u"default" || action == u"open")
            openWindow(token);
        else if (action == u"cancel")
            requestCancel();
    }
    void activationToken(uint notification, const QString &token)
    {
        if (notification == id && id != 0)
            activation = token;
    }
    void closed(uint notification)
    {
        if (notification == id) {
            id = 0;
            activation.clear();
        }
    }

private:
    void close(uint notification)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("CloseNotification"));
        call << notification;
        bus.send(call);
    }

    QDBusConnection bus;
    uint id = 0; // of the notification shown, as the daemon numbered it
    QString activation; // the token the daemon gave for its action to come
    quint64 attempts = 0; // of show and withdraw; only the latest show's answer is kept
};

} // namespace

std::unique_ptr<Notifier> platformNotifier()
{
    return std::make_unique<DesktopNotifier>(QDBusConnection::sessionBus());
}

#include "notifier_dbus.moc"
