#include "app/windowfixture.h"
#include "platform/poweroff.h"
#include "platform/windowsshutdown.h"

#include <windows.h>

// Stands in for the two Win32 steps: answers each with the error the test
// sets, and records how Windows was asked.
struct FakeShutdownCalls final : WindowsShutdownCalls
{
    unsigned long enableShutdownPrivilege() override { return privilegeError; }
    unsigned long exitWindows(unsigned int flags, unsigned long reason) override
    {
        exits << QStringLiteral("%1 %2").arg(flags, 0, 16).arg(reason, 0, 16);
        return exitError;
    }
    unsigned long privilegeError = ERROR_SUCCESS, exitError = ERROR_SUCCESS;
    QStringList exits;
};

class TestWindowsPowerOff : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Without the right Windows is not asked at all; with it, asked to power
    // off, planned, without forcing applications to close. A refusal is
    // typed in the system's own words, on one line, then its code.
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
        FakeShutdownCalls calls;
        QFETCH(ulong, privilegeError);
        QFETCH(ulong, exitError);
        calls.privilegeError = privilegeError;
        calls.exitError = exitError;
        WindowFixture f;
        f.arm(21, 30);
        f.tickAt(QStringLiteral("21:30:00"));
        // The window's request, carried out by the Windows code over the fake calls.
        QVERIFY(f.system.openPowerOffContext);
        requestWindowsPowerOff(calls, *f.system.openPowerOffContext, std::exchange(f.system.openPowerOff, {}));
        const QString planned = QStringLiteral("%1 %2").arg(EWX_SHUTDOWN | EWX_POWEROFF, 0, 16).arg(
            SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_MAINTENANCE | SHTDN_REASON_FLAG_PLANNED, 0, 16);
        QCOMPARE(calls.exits, privilegeError ? QStringList() : QStringList{planned});

        const ulong error = privilegeError ? privilegeError : exitError;
        const QString opening = QStringLiteral("\r\nシャットダウンできませんでした。\r\n");
        QTest::qWait(50);
        const QString message = f.log()->text().mid(opening.size());
        const QString words = message.left(message.lastIndexOf(QStringLiteral(" (")));
        QVERIFY2(error ? f.log()->text().startsWith(opening) && message.endsWith(QStringLiteral(" (%1)").arg(error))
                             && !words.isEmpty() && words == words.trimmed() && !words.contains(u'\n')
                       : f.log()->text().isEmpty(),
                 qPrintable(f.log()->text()));
    }
};

QTEST_MAIN(TestWindowsPowerOff)
#include "test_windowspoweroff.moc"
