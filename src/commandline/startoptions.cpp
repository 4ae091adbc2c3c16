#include "commandline/startoptions.h"

#include "conversation/alarmentry.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The options QGuiApplication and QApplication take from the command line
// and remove before the program sees its arguments. They are read here
// before any window exists, so they must not count as unknown.
void acceptQtOptions(QCommandLineParser &parser)
{
    const struct { const char *name; bool valued; } options[] = {
        {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
        {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"session", true},
        {"display", true}, {"geometry", true}, {"style", true}, {"stylesheet", true}, {"qmljsdebugger", true},
        {"dialogs", true}, {"fontengine", true}, {"reverse", false}, {"widgetcount", false},
    };
    for (const auto &[name, valued] : options) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), valued ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// Only a time read one way: the typed entry reads "1230" as 12:00 and
// "9:x5" as 9:00 and shows it for a "yes"; the command line asks no one.
bool plainAlarmTime(const QString &time)
{
    static const QRegularExpression shape(QStringLiteral("^[0-9]{1,2}:[0-9]{1,2}$"));
    return shape.match(time).hasMatch() && acceptedAlarmTime(time);
}

StartOptions refusal(const QString &program, const QString &what)
{
    return {program + QStringLiteral(": ") + what + QStringLiteral("\nUsage: ") + program
                + QStringLiteral(" [--at H:MM]  (H:MM from 1:00 to 23:59 with no leading zero, such as 9:05 "
                                 "or 23:00; see --help)\n"),
            true, QString()};
}

} // namespace

StartOptions readStartOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions); // as Qt's own: -platform
    parser.setApplicationDescription(
        QStringLiteral("Powers the computer off at a set time. Type \"timer\" in its window and answer its "
                       "questions, or start it with --at."));
    QStringList helpNames{QStringLiteral("h"), QStringLiteral("help")};
#ifdef Q_OS_WIN
    helpNames.prepend(QStringLiteral("?"));
#endif
    const QCommandLineOption help(helpNames, QStringLiteral("Displays this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays the version."));
    const QCommandLineOption at(QStringLiteral("at"),
                                QStringLiteral("Arms the alarm for the next time the clock shows H:MM, as typing "
                                               "\"timer\", the time and \"yes\" does: 1:00 to 23:59, the hour "
                                               "with no leading zero (9:05, 23:00). A line typed in the window "
                                               "still offers to cancel it."),
                                QStringLiteral("H:MM"));
    parser.addOptions({help, version, at});
    acceptQtOptions(parser);

    const QString program = QFileInfo(arguments.value(0, QStringLiteral("pelmora"))).completeBaseName();
    if (!parser.parse(arguments))
        return refusal(program, parser.errorText());
    if (parser.isSet(help))
        return {parser.helpText(), false, QString()};
    if (parser.isSet(version))
        return {QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n', false,
                QString()};
    if (!parser.positionalArguments().isEmpty())
        return refusal(program, QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    const QStringList times = parser.values(at);
    if (times.size() > 1)
        return refusal(program, QStringLiteral("--at is given more than once."));
    if (!times.isEmpty() && !plainAlarmTime(times.first()))
        return refusal(program, QStringLiteral("'%1' is not an alarm time.").arg(times.first()));
    return {QString(), false, times.value(0)};
}
