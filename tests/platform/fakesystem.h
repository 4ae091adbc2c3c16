#pragma once

#include "platform/systemservices.h"

#include <QPointer>
#include <QStringList>

#include <utility>
#include <vector>

// Stands in for the machine: the test sets the time; beeps, pauses, message
// boxes and the end of the program are recorded in order, and power-off
// requests are counted, never performed.
class FakeSystem final : public SystemServices
{
public:
    QString timeOfDay() const override { return time; }
    void beep() override { events << QStringLiteral("beep"); }
    void pause(std::chrono::microseconds length) override
    {
        events << QStringLiteral("pause");
        pauses.push_back(length);
    }
    void showMessage(const QString &text, const QString &caption) override { events << caption + u':' + text; }
    void endProgram() override { events << QStringLiteral("end"); }
    void requestPowerOff(QObject &context, PowerOffDone done) override
    {
        ++powerOffRequests;
        if (powerOffService)
            return powerOffService(context, std::move(done));
        openPowerOff = std::move(done);
        openPowerOffContext = &context;
    }

    // Answers the open request as the system would: only while its context lives.
    void answerPowerOff(bool accepted, const QString &reason = QString())
    {
        const PowerOffDone done = std::exchange(openPowerOff, PowerOffDone());
        if (openPowerOffContext)
            done(accepted, reason);
    }

    QString time = QStringLiteral("12:00:00");
    QStringList events; // a test may add what it sees happen in between
    std::vector<std::chrono::microseconds> pauses;
    int powerOffRequests = 0;
    PowerOffDone openPowerOff;
    QPointer<QObject> openPowerOffContext;
    // When set, requests go to this service instead of waiting for answerPowerOff.
    std::function<void(QObject &, PowerOffDone)> powerOffService;
};
