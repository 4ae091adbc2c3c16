#pragma once

#include "platform/systemservices.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

// Shows the alarm's warning where the desktop shows such things, and passes
// on what the user asks for from there: to see the window, or to cancel the
// alarm. Failures go to standard error only: a warning must never hold up
// the alarm.
class Notifier
{
public:
    virtual ~Notifier() = default;
    virtual void setArmed(bool armed, const QString &reason) = 0;
    // Replaces any warning still shown.
    virtual void show(const QString &summary, const QString &body) = 0;
    virtual void withdraw() = 0;

    void setActions(QObject &context, WindowOpener open, std::function<void()> cancel)
    {
        actionsContext = &context;
        opener = std::move(open);
        canceller = std::move(cancel);
    }

protected:
    void openWindow(const QString &activationToken) const
    {
        if (actionsContext)
            opener(activationToken);
    }
    void requestCancel() const
    {
        if (actionsContext)
            canceller();
    }

private:
    QPointer<QObject> actionsContext;
    WindowOpener opener;
    std::function<void()> canceller;
};

// The notifier of the platform the program was built for.
std::unique_ptr<Notifier> platformNotifier();
