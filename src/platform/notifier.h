#pragma once

#include "platform/systemservices.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

// Shows the alarm's warning where the desktop shows such things, and passes
// on what the user asks for from there: to see the window, or to cancel the
// alarm. Failures go to standard error, and the window asks for attention
// instead: a warning must never hold up the alarm.
class Notifier
{
public:
    virtual ~Notifier() = default;
    virtual void setArmed(bool armed, const QString &reason) = 0;
    // Replaces any warning still shown.
    virtual void show(const QString &summary, const QString &body) = 0;
    virtual void withdraw() = 0;
    // Runs then once the warning last withdrawn has surely gone, and what
    // the user clicked on it before has been passed on; unless context is
    // gone by then.
    virtual void afterWithdrawal(QObject &context, std::function<void()> then)
    {
        Q_UNUSED(context);
        then();
    }

    void setActions(QObject &context, WarningActions given)
    {
        actionsContext = &context;
        actions = std::move(given);
    }

protected:
    void openWindow(const QString &activationToken) const
    {
        if (actionsContext)
            actions.open(activationToken);
    }
    void requestCancel() const
    {
        if (actionsContext)
            actions.cancel();
    }
    void reportUnseen() const
    {
        if (actionsContext)
            actions.unseen();
    }

private:
    QPointer<QObject> actionsContext;
    WarningActions actions;
};

// The notifier of the platform the program was built for.
std::unique_ptr<Notifier> platformNotifier();
