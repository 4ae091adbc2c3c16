#include "platform/poweroff.h"
#include "platform/windowsshutdown.h"

#include <QTest>

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
    // off, planned, without forcing applications to close. The answer comes
    // from the event loop; a refusal in the system's own words, on one line,
    // then its code (the window types it as on every platform).
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
        QObject context;
        QStringList answers;
        requestWindowsPowerOff(calls, context, [&answers](bool accepted, const QString &why) {
            answers << (accepted ? QStringLiteral("accepted") : why);
        });
        const QString planned = QStringLiteral("%1 %2").arg(EWX_SHUTDOWN | EWX_POWEROFF, 0, 16).arg(
            SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_MAINTENANCE | SHTDN_REASON_FLAG_PLANNED, 0, 16);
        QCOMPARE(calls.exits, privilegeError ? QStringList() : QStringList{planned});
        QVERIFY(answers.isEmpty());
        QTRY_COMPARE(answers.size(), 1);

        const ulong error = privilegeError ? privilegeError : exitError;
        const QString &answer = answers.constFirst();
        const QString words = answer.left(answer.lastIndexOf(QStringLiteral(" (")));
        QVERIFY2(error ? answer.endsWith(QStringLiteral(" (%1)").arg(error)) && !words.isEmpty()
                             && words == words.trimmed() && !words.contains(u'\n')
                       : answer == u"accepted",
                 qPrintable(answer));
    }
};

QTEST_GUILESS_MAIN(TestWindowsPowerOff)
#include "test_windowspoweroff.moc"
