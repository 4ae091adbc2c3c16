#include "platform/sleepinhibitor.h"

#include <windows.h>

#include <cstdio>

namespace {

// Windows keeps the machine up for as long as the thread that asked says so;
// that is the program's one thread, which lives as long as the program.
class WindowsSleepInhibitor final : public SleepInhibitor
{
public:
    ~WindowsSleepInhibitor() override { release(); }

    void inhibit(const QString &) override
    {
        if (!SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED))
            std::fprintf(stderr, "SetThreadExecutionState failed (%lu)\n", GetLastError());
    }

    void release() override { SetThreadExecutionState(ES_CONTINUOUS); }
};

} // namespace

std::unique_ptr<SleepInhibitor> platformSleepInhibitor()
{
    return std::make_unique<WindowsSleepInhibitor>();
}
