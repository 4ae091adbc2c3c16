#include "platform/realsystem.h"

#include "platform/poweroff.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QTime>

#include <thread>

QString RealSystem::timeOfDay() const
{
    // The C locale keeps the digits ASCII and the format free of any
    // AM/PM marker, whatever the user's regional settings say.
    return QLocale::c().toString(QTime::currentTime(), QStringLiteral("H:mm:ss"));
}

QDateTime RealSystem::now() const
{
    return QDateTime::currentDateTime();
}

void RealSystem::beep()
{
    systemBeep->beep();
}

void RealSystem::pause(std::chrono::microseconds length)
{
    std::this_thread::sleep_for(length);
}

void RealSystem::showMessage(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    box.exec();
}

void RealSystem::endProgram()
{
    // Closing the windows first stops the main window's clock, so nothing
    // can fire between this call and the event loop's return.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void RealSystem::requestPowerOff(QObject &context, PowerOffDone done)
{
    notifier->afterWithdrawal(context, [&context, done = std::move(done)] { requestSystemPowerOff(context, done); });
}

void RealSystem::setAlarmArmed(bool armed, const QString &reason)
{
    if (armed)
        sleepInhibitor->inhibit(reason);
    else
        sleepInhibitor->release();
    notifier->setArmed(armed, reason);
}

void RealSystem::showAlarmWarning(const QString &summary, const QString &body)
{
    notifier->show(summary, body);
}

void RealSystem::withdrawAlarmWarning()
{
    notifier->withdraw();
}

void RealSystem::setWarningActions(QObject &context, WarningActions actions)
{
    notifier->setActions(context, std::move(actions));
}
