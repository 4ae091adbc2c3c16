#pragma once

#include "platform/systemservices.h"

#include <QStringList>

#include <vector>

// Stands in for the machine: the test sets the time, and beeps, pauses,
// message boxes and the end of the program are recorded, never performed.
class FakeSystem final : public SystemServices
{
public:
    QString timeOfDay() const override { return time; }
    void beep() override { ++beeps; }
    void pause(std::chrono::microseconds length) override { pauses.push_back(length); }
    void showMessage(const QString &text, const QString &caption) override
    {
        messages.append(caption + QLatin1String(": ") + text);
    }
    void endProgram() override { ++programEnds; }

    QString time = QStringLiteral("12:00:00");
    int beeps = 0;
    std::vector<std::chrono::microseconds> pauses;
    QStringList messages; // "caption: text"
    int programEnds = 0;
};
