#include "platform/windowsshutdown.h"

// The wide-character forms of the system's names (SE_SHUTDOWN_NAME).
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

namespace {

// The system's own words for an error, in the user's language, with its code.
std::wstring systemMessage(DWORD code)
{
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::wstring message = length ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.pop_back();
    return message + L" (" + std::to_wstring(code) + L")";
}

} // namespace

unsigned long Win32ShutdownCalls::enableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return GetLastError();
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // AdjustTokenPrivileges succeeds even when the account does not hold the
    // right; only its last error (ERROR_NOT_ALL_ASSIGNED) tells, so the last
    // error is the answer either way.
    if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(token);
    return error;
}

unsigned long Win32ShutdownCalls::exitWindows(unsigned int flags, unsigned long reason)
{
    return ExitWindowsEx(flags, reason) ? ERROR_SUCCESS : GetLastError();
}

std::optional<std::wstring> powerOffWindows(WindowsShutdownCalls &calls)
{
    if (const unsigned long error = calls.enableShutdownPrivilege())
        return systemMessage(error);
    // Power off, not only halt, and record the shutdown as planned. No force
    // flag: an application with unsaved work may still hold the shutdown.
    const UINT flags = EWX_SHUTDOWN | EWX_POWEROFF;
    const DWORD reason = SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_MAINTENANCE
                         | SHTDN_REASON_FLAG_PLANNED;
    if (const unsigned long error = calls.exitWindows(flags, reason))
        return systemMessage(error);
    return std::nullopt;
}
