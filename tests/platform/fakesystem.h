#pragma once

#include "platform/systemservices.h"

#include <QPointer>
#include <QStringList>

#include <utility>
#include <vector>

// Stands in for the machine: the test sets the time, and beeps, pauses,
// message boxes, the end of the program, power-off requests and the armed
// state are recorded, never performed.
class FakeSystem final : public SystemServices
{
public:
    QString timeOfDay() const override { return time; }
    void beep() override
    {
        ++beeps;
        if (beepService)
            beepService();
    }
    void pause(std::chrono::microseconds length) override { pauses.push_back(length); }
    void showMessage(const QString &text, const QString &caption) override
    {
        messages.append(caption + QLatin1String(": ") + text);
    }
    void endProgram() override { ++programEnds; }
    void requestPowerOff(QObject &context, PowerOffDone done) override
    {
        ++powerOffRequests;
        openPowerOff = std::move(done);
        openPowerOffContext = &context;
    }

    void setAlarmArmed(bool armed, const QString &reason) override
    {
        armedChanges.append(armed);
        if (armed)
            armedReason = reason;
    }

    // Ends the open power-off request as the system would: the answer is
    // delivered only while its context lives.
    void answerPowerOff(bool accepted, const QString &reason = QString())
    {
        const PowerOffDone done = std::exchange(openPowerOff, PowerOffDone());
        if (openPowerOffContext)
            done(accepted, reason);
    }

    QString time = QStringLiteral("12:00:00");
    int beeps = 0;
    // When set, every beep also sounds through it.
    std::function<void()> beepService;
    std::vector<std::chrono::microseconds> pauses;
    QStringList messages; // "caption: text"
    int programEnds = 0;
    int powerOffRequests = 0;
    PowerOffDone openPowerOff;
    QPointer<QObject> openPowerOffContext;
    QList<bool> armedChanges;
    QString armedReason; // given on the last arming
};
