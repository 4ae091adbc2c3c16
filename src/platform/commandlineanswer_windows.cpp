#include "platform/commandlineanswer.h"

#include "platform/appidentity.h"

#include <windows.h>

namespace {

bool usable(HANDLE handle)
{
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Standard output or error as given (redirected to a file or a pipe), else
// the console of the process that started this one, if it has one: a GUI
// program inherits neither from a command prompt.
HANDLE answerHandle(bool refusal)
{
    HANDLE given = GetStdHandle(refusal ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (usable(given) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return given;
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

} // namespace

void answerCommandLine(const QString &text, bool refusal)
{
    HANDLE out = answerHandle(refusal);
    DWORD mode = 0;
    DWORD written = 0;
    if (usable(out) && GetConsoleMode(out, &mode)) {
        // The prompt came back as the program started: the answer begins on a line of its own.
        const QString onItsOwnLine = QStringLiteral("\r\n") + QString(text).replace(u'\n', QStringLiteral("\r\n"));
        WriteConsoleW(out, onItsOwnLine.utf16(), DWORD(onItsOwnLine.size()), &written, nullptr);
    } else if (usable(out)) {
        const QByteArray utf8 = text.toUtf8();
        WriteFile(out, utf8.constData(), DWORD(utf8.size()), &written, nullptr);
    } else {
        const QString title = QString::fromUtf8(AppIdentity::title);
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()),
                    reinterpret_cast<const wchar_t *>(title.utf16()),
                    MB_OK | MB_SETFOREGROUND | (refusal ? MB_ICONERROR : MB_ICONINFORMATION));
    }
}
