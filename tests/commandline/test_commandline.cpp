#include "commandline/startoptions.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// The command line, read as the program reads it and then given to the real
// program as a user gives it: in a terminal with no display (over ssh),
// and with one. An answer opens no window and needs no display.
class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Pelmora"));
        QCoreApplication::setApplicationVersion(QStringLiteral(CONFIGURED_VERSION));
    }

    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("answer"); // a pattern; on standard error when status is not 0
        QTest::addColumn<QString>("alarmAt");
        const QString help = QStringLiteral("^Usage: \\S+ \\[options\\]\\n.*\\n  --at <H:MM> +Arms the alarm");
        const QString version = "^Pelmora " + QRegularExpression::escape(QStringLiteral(CONFIGURED_VERSION)) + "\\n$";
        const auto refused = [](const QString &what) {
            return "^pelmora: " + QRegularExpression::escape(what) + "\\nUsage: pelmora \\[--at H:MM\\] .*\\n$";
        };
        const struct { const char *row; QStringList arguments; int status; QString answer, alarmAt; } rows[] = {
            {"help", {"--help"}, 0, help, ""},
            {"-h, Qt's own options let through", {"-platform", "offscreen", "-reverse", "-style=fusion", "-h"}, 0, help, ""},
            {"help before a bad time", {"--at", "0:30", "--help"}, 0, help, ""},
            {"version", {"--version"}, 0, version, ""},
            {"-v", {"-v"}, 0, version, ""},
            {"unknown option", {"--frob"}, 1, refused("Unknown option 'frob'."), ""},
            {"unknown short options", {"-x"}, 1, refused("Unknown option 'x'."), ""},
            {"missing time", {"--at"}, 1, refused("Missing value after '--at'."), ""},
            {"a stray argument", {"21:30"}, 1, refused("Unexpected argument '21:30'."), ""},
            {"twice", {"--at", "21:30", "--at", "22:00"}, 1, refused("--at is given more than once."), ""},
            // The entry's own refusals, and what it reads otherwise than written, with no one to confirm it.
            {"0:30", {"--at", "0:30"}, 1, refused("'0:30' is not an alarm time."), ""},
            {"09:00", {"--at", "09:00"}, 1, refused("'09:00' is not an alarm time."), ""},
            {"24:00", {"--at=24:00"}, 1, refused("'24:00' is not an alarm time."), ""},
            {"12:60", {"--at", "12:60"}, 1, refused("'12:60' is not an alarm time."), ""},
            {"1230", {"--at", "1230"}, 1, refused("'1230' is not an alarm time."), ""},
            {"9:x5", {"--at", "9:x5"}, 1, refused("'9:x5' is not an alarm time."), ""},
            {"9:30:15", {"--at", "9:30:15"}, 1, refused("'9:30:15' is not an alarm time."), ""},
            {"empty", {"--at", ""}, 1, refused("'' is not an alarm time."), ""},
            {"21:30", {"--at", "21:30"}, 0, "^$", "21:30"},
            {"9:05 with Qt's options", {"-platform", "offscreen", "--at=9:05", "-session", "x"}, 0, "^$", "9:05"},
            {"9:5", {"--at", "9:5"}, 0, "^$", "9:5"},
            {"23:59", {"--at", "23:59"}, 0, "^$", "23:59"},
            {"1:00", {"--at", "1:00"}, 0, "^$", "1:00"},
            {"none", {}, 0, "^$", ""},
        };
        for (const auto &row : rows)
            QTest::newRow(row.row) << row.arguments << row.status << row.answer << row.alarmAt;
    }
    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, answer);
        QFETCH(QString, alarmAt);
        const QRegularExpression expected(answer, QRegularExpression::DotMatchesEverythingOption);
        const StartOptions options = readStartOptions(QStringList{QStringLiteral("pelmora")} + arguments);
        QVERIFY2(expected.match(options.answer).hasMatch(), qPrintable(options.answer));
        QCOMPARE(options.refused, status != 0);
        QCOMPARE(options.alarmAt, alarmAt);
        if (!alarmAt.isEmpty() || arguments.isEmpty())
            return; // the window opens

        QProcess pelmora;
        for (const bool display : {false, true}) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                environment.remove(QString::fromLatin1(name));
            if (display)
                environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            pelmora.setProcessEnvironment(environment);
            pelmora.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../src/pelmora"), arguments);
            QVERIFY2(pelmora.waitForFinished(120000), "the program did not end: a window opened");
            QCOMPARE(pelmora.exitStatus(), QProcess::NormalExit);
            QCOMPARE(pelmora.exitCode(), status);
            const QString out = QString::fromUtf8(pelmora.readAllStandardOutput());
            const QString err = QString::fromUtf8(pelmora.readAllStandardError());
            QVERIFY2(expected.match(status ? err : out).hasMatch() && (status ? out : err).isEmpty(),
                     qPrintable(out + err));
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
