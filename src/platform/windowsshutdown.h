#pragma once

#include <optional>
#include <string>

// The two steps of a Windows shutdown, behind a seam so that tests can stand
// in for them. Each returns 0 on success, else the system's error code.
class WindowsShutdownCalls
{
public:
    virtual ~WindowsShutdownCalls() = default;
    // Enables the shutdown right in this process's token.
    virtual unsigned long enableShutdownPrivilege() = 0;
    // ExitWindowsEx with these flags and reason.
    virtual unsigned long exitWindows(unsigned int flags, unsigned long reason) = 0;
};

// The real calls into advapi32 and user32.
class Win32ShutdownCalls final : public WindowsShutdownCalls
{
public:
    unsigned long enableShutdownPrivilege() override;
    unsigned long exitWindows(unsigned int flags, unsigned long reason) override;
};

// Enables the shutdown right, then asks Windows to power the machine off as
// a planned shutdown; applications are asked first, as by the Start menu.
// Returns the system's message when either step fails.
std::optional<std::wstring> powerOffWindows(WindowsShutdownCalls &calls);
