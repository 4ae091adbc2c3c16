#include "app/windowfixture.h"
#include "platform/poweroff.h"
#include "platform/windowsshutdown.h"

#include <windows.h>

namespace {

// Stands in for the two Win32 steps: records ExitWindowsEx and answers each
// step with the error the test sets.
struct FakeShutdownCalls final : WindowsShutdownCalls
{
    unsigned long enableShutdownPrivilege() override { return privilegeError; }
    unsigned long exitWindows(unsigned int flags, unsigned long reason) override
    {
        exits.append({flags, reason});
        return exitError;
    }

    unsigned long privilegeError = ERROR_SUCCESS;
    unsigned long exitError = ERROR_SUCCESS;
    QList<QPair<unsigned int, unsigned long>> exits;
};

} // namespace

class TestWindowsPowerOff : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void request_data()
    {
        QTest::addColumn<ulong>("privilegeError");
        QTest::addColumn<ulong>("exitError");
        QTest::newRow("shut down") << ulong(ERROR_SUCCESS) << ulong(ERROR_SUCCESS);
        QTest::newRow("no shutdown right") << ulong(ERROR_NOT_ALL_ASSIGNED) << ulong(ERROR_SUCCESS);
        QTest::newRow("shutdown refused") << ulong(ERROR_SUCCESS) << ulong(ERROR_PRIVILEGE_NOT_HELD);
    }
    void request()
    {
        QFETCH(ulong, privilegeError);
        QFETCH(ulong, exitError);
        FakeShutdownCalls calls;
        calls.privilegeError = privilegeError;
        calls.exitError = exitError;
        WindowFixture f;
        f.arm(21, 30);
        f.tickAt(QStringLiteral("21:30:00"));
        // The window's request, carried out by the Windows code over the fake calls.
        QVERIFY(f.system.openPowerOffContext);
        requestWindowsPowerOff(calls, *f.system.openPowerOffContext, std::exchange(f.system.openPowerOff, {}));

        // Without the right, Windows is not asked at all; with it, asked to
        // power off, planned, and without forcing applications to close.
        const QList<QPair<unsigned int, unsigned long>> asked{
            {EWX_SHUTDOWN | EWX_POWEROFF,
             SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_MAINTENANCE | SHTDN_REASON_FLAG_PLANNED}};
        QCOMPARE(calls.exits, privilegeError ? decltype(asked)() : asked);

        // A refusal: the system's own words for the error, then its code, on one line.
        const ulong error = privilegeError ? privilegeError : exitError;
        const QString opening = QStringLiteral("\r\nシャットダウンできませんでした。\r\n");
        QTest::qWait(50);
        if (!error) {
            QCOMPARE(f.log()->text(), QString());
            return;
        }
        const QString message = f.log()->text().mid(opening.size());
        QVERIFY2(f.log()->text().startsWith(opening) && message.endsWith(QStringLiteral(" (%1)").arg(error)),
                 qPrintable(message));
        const QString words = message.left(message.lastIndexOf(QStringLiteral(" (")));
        QVERIFY2(!words.isEmpty() && words == words.trimmed() && !words.contains(u'\n'), qPrintable(message));
    }
};

QTEST_MAIN(TestWindowsPowerOff)
#include "test_windowspoweroff.moc"
