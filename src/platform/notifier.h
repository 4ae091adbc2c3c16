#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

// Shows the alarm's warning where the desktop shows such things, and tells
// the opener when the user asks from there to see the program. Failures
// go to standard error only: a warning must never hold up the alarm.
class Notifier
{
public:
    virtual ~Notifier() = default;
    virtual void setArmed(bool armed, const QString &reason) = 0;
    // Replaces any warning still shown.
    virtual void show(const QString &summary, const QString &body) = 0;
    virtual void withdraw() = 0;

    void setOpener(QObject &context, std::function<void()> open)
    {
        openerContext = &context;
        opener = std::move(open);
    }

protected:
    void openWindow() const
    {
        if (openerContext)
            opener();
    }

private:
    QPointer<QObject> openerContext;
    std::function<void()> opener;
};

// The notifier of the platform the program was built for.
std::unique_ptr<Notifier> platformNotifier();
