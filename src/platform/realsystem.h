#pragma once

#include "platform/beeper.h"
#include "platform/notifier.h"
#include "platform/sleepinhibitor.h"
#include "platform/systemservices.h"

// The services as the desktop provides them.
class RealSystem final : public SystemServices
{
public:
    QString timeOfDay() const override;
    QDateTime now() const override;
    void beep() override;
    void pause(std::chrono::microseconds length) override;
    void showMessage(const QString &text, const QString &caption) override;
    void endProgram() override;
    void requestPowerOff(QObject &context, PowerOffDone done) override;
    void setAlarmArmed(bool armed, const QString &reason) override;
    void showAlarmWarning(const QString &summary, const QString &body) override;
    void withdrawAlarmWarning() override;
    void setWarningActions(QObject &context, WarningActions actions) override;

private:
    std::unique_ptr<Beeper> systemBeep = makeSystemBeeper();
    std::unique_ptr<SleepInhibitor> sleepInhibitor = platformSleepInhibitor();
    std::unique_ptr<Notifier> notifier = platformNotifier();
};
