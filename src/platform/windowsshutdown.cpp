#include "platform/windowsshutdown.h"

// The wide-character forms of the system's names (SE_SHUTDOWN_NAME).
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

namespace {

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

std::optional<std::wstring> enableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return systemMessage(GetLastError());
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    std::optional<std::wstring> failure;
    if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)
        || !AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr)) {
        failure = systemMessage(GetLastError());
    } else if (const DWORD result = GetLastError(); result == ERROR_NOT_ALL_ASSIGNED) {
        // The call succeeds even when the account does not hold the right.
        failure = systemMessage(result);
    }
    CloseHandle(token);
    return failure;
}

} // namespace

std::optional<std::wstring> powerOffWindows()
{
    if (std::optional<std::wstring> failure = enableShutdownPrivilege())
        return failure;
    // Power off, not only halt, and record the shutdown as planned.
    const UINT how = EWX_SHUTDOWN | EWX_POWEROFF;
    const DWORD reason = SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_MAINTENANCE
                         | SHTDN_REASON_FLAG_PLANNED;
    if (!ExitWindowsEx(how, reason))
        return systemMessage(GetLastError());
    return std::nullopt;
}
