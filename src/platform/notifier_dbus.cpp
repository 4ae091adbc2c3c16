#include "platform/notifier.h"

#include "platform/appidentity.h"
#include "platform/dbuscalls.h"
#include "platform/warningactions.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QStringList>
#include <QVariantMap>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
// A daemon that has not answered by then is not waited for any longer.
constexpr int callTimeoutMs = 5000;

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
    ~DesktopNotifier() override
    {
        // No warning outlives the program: one still on its way is closed
        // as soon as its number comes, and every call is sent before the
        // program ends.
        withdraw();
        for (;;) {
            const auto calls = findChildren<QDBusPendingCallWatcher *>();
            const auto open = std::find_if(calls.begin(), calls.end(), [](auto *call) { return !call->isFinished(); });
            if (open == calls.end())
                break;
            (*open)->waitForFinished();
        }
    }

    void setArmed(bool, const QString &) override {} // nothing is shown until the warning

    void show(const QString &summary, const QString &body) override
    {
        const quint64 attempt = ++attempts;
        withdrawn = 0;
        // The actions depend on what the daemon can do with them.
        const QDBusMessage ask =
            QDBusMessage::createMethodCall(service, path, service, QStringLiteral("GetServerInformation"));
        const QDBusPendingCall asked = askOn(bus, ask, callTimeoutMs);
        onAnswer(asked, *this, [this, attempt, summary, body](QDBusPendingCallWatcher &answer) {
            if (attempt != attempts)
                return; // withdrawn meanwhile
            // A daemon that does not tell is asked as one that can do everything.
            const QDBusPendingReply<QString, QString, QString, QString> reply = answer;
            const QStringList server = reply.isError() ? QStringList(3) : QStringList{reply.argumentAt<0>(),
                                                                                      reply.argumentAt<1>(),
                                                                                      reply.argumentAt<2>()};
            const bool wayland = QGuiApplication::platformName().startsWith(u"wayland");
            notify(attempt, summary, body, warningActions(server[0], server[1], server[2], wayland));
        });
    }

    // An answer still on its way is then for an earlier attempt.
    void withdraw() override
    {
        ++attempts;
        activation.clear();
        if (id != 0)
            close(withdrawn = std::exchange(id, 0));
    }

    void afterWithdrawal(QObject &context, std::function<void()> then) override
    {
        if (closing == 0)
            then();
        else
            waiting.push_back({&context, std::move(then)});
    }

private Q_SLOTS:
    void actionInvoked(uint notification, const QString &action)
    {
        if (!ours(notification))
            return;
        const QString token = std::exchange(activation, QString());
        if (action == u"default" || action == u"open")
            openWindow(token);
        else if (action == u"cancel")
            requestCancel(); // also from the warning just withdrawn: clicked before it went
    }
    void activationToken(uint notification, const QString &token)
    {
        if (ours(notification))
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
    void notify(quint64 attempt, const QString &summary, const QString &body, const QStringList &actions)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
        // The icon and the desktop entry by the names the package installs.
        const QString entry = QString::fromUtf8(AppIdentity::desktopEntry);
        const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(2))}, // critical: stays
                                {QStringLiteral("desktop-entry"), entry}};
        call << QString::fromUtf8(AppIdentity::title) << id << entry << summary << body << actions << hints
             << qint32(0);
        onAnswer(askOn(bus, call, callTimeoutMs), *this, [this, attempt, warning = summary + u'\n' + body](
                                                      QDBusPendingCallWatcher &answer) {
            const QDBusPendingReply<uint> reply = answer;
            if (reply.isError()) {
                const QString report = warning + u'\n' + dbusErrorText(reply.error());
                std::fprintf(stderr, "%s\n", report.toLocal8Bit().constData());
                if (attempt == attempts)
                    reportUnseen();
            } else if (attempt == attempts) {
                id = reply.value();
            } else {
                close(reply.value()); // withdrawn while on its way
            }
        });
    }

    void close(uint notification)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("CloseNotification"));
        call << notification;
        ++closing;
        // The daemon answers after the signals it sent before, a click on
        // the warning among them.
        onAnswer(askOn(bus, call, callTimeoutMs), *this, [this](QDBusPendingCallWatcher &) {
            if (--closing > 0)
                return;
            for (auto &[context, then] : std::exchange(waiting, {})) {
                if (context)
                    then();
            }
        });
    }

    bool ours(uint notification) const
    {
        return notification != 0 && (notification == id || notification == withdrawn);
    }

    QDBusConnection bus;
    uint id = 0;        // of the notification shown, as the daemon numbered it
    uint withdrawn = 0; // of the one withdrawn last, whose "解除" may still come
    QString activation; // the token the daemon gave for its action to come
    quint64 attempts = 0; // of show and withdraw; only the latest show's answer is kept
    int closing = 0;      // closings not yet answered
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> waiting; // for them
};

} // namespace

std::unique_ptr<Notifier> platformNotifier()
{
    return std::make_unique<DesktopNotifier>(QDBusConnection::sessionBus());
}

#include "notifier_dbus.moc"
