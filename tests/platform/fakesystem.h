#pragma once

#include "platform/systemservices.h"

#include <QPointer>
#include <QTime>
#include <QStringList>

#include <utility>
#include <vector>

// Stands in for the machine: the test sets the time; everything else is
// recorded, nothing performed.
class FakeSystem final : public SystemServices
{
public:
    QString timeOfDay() const override { return time; }
    QDateTime now() const override { return QDateTime(day, QTime::fromString(time, QStringLiteral("H:mm:ss"))); }
    void beep() override
    {
        typing << QStringLiteral("beep");
        if (beepService)
            beepService();
    }
    void pause(std::chrono::microseconds length) override
    {
        typing << QStringLiteral("pause");
        pauses.push_back(length);
    }
    void showMessage(const QString &text, const QString &caption) override { events << caption + u':' + text; }
    void endProgram() override { events << QStringLiteral("end"); }
    void requestPowerOff(QObject &context, PowerOffDone done) override
    {
        events << QStringLiteral("power off");
        openPowerOff = std::move(done);
        openPowerOffContext = &context;
    }
    void setAlarmArmed(bool armed, const QString &reason) override
    {
        events << (armed ? QStringLiteral("armed: ") + reason : QStringLiteral("disarmed"));
    }
    void showAlarmWarning(const QString &summary, const QString &body) override
    {
        events << QStringLiteral("warned: ") + summary + u' ' + body;
        warningShown = true;
    }
    void withdrawAlarmWarning() override
    {
        events << QStringLiteral("withdrawn");
        warningShown = false;
    }
    void setWarningActions(QObject &context, WarningActions given) override
    {
        actionsContext = &context;
        actions = std::move(given);
    }

    // Answers the open request as the system would: only while its context lives.
    void answerPowerOff(bool accepted, const QString &reason)
    {
        const PowerOffDone done = std::exchange(openPowerOff, PowerOffDone());
        if (openPowerOffContext)
            done(accepted, reason);
    }

    QString time = QStringLiteral("12:00:00");
    QDate day{2026, 12, 9}; // of the time
    QStringList events; // messages, power-off requests, arming, warnings, the end
    QStringList typing; // beeps and pauses, in order; a test may add its own
    std::function<void()> beepService; // when set, every beep also sounds through it
    std::vector<std::chrono::microseconds> pauses;
    PowerOffDone openPowerOff;
    QPointer<QObject> openPowerOffContext;
    bool warningShown = false;
    WarningActions actions;
    QPointer<QObject> actionsContext;
};
