#include "about/programicon.h"
#include "app/t_main.h"
#include "commandline/startoptions.h"
#include "platform/appidentity.h"
#include "platform/commandlineanswer.h"
#include "platform/realsystem.h"

#include <QApplication>

#include <cstdlib>

namespace {

// Read before any window: help, the version and a refusal need no display.
StartOptions readCommandLine(int &argc, char **argv)
{
    const QCoreApplication arguments(argc, argv);
    return readStartOptions(QCoreApplication::arguments());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QString::fromUtf8(AppIdentity::title));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(AppIdentity::version));
    const StartOptions options = readCommandLine(argc, argv);
    if (!options.answer.isEmpty()) {
        answerCommandLine(options.answer, options.refused);
        return options.refused ? EXIT_FAILURE : EXIT_SUCCESS;
    }

    QApplication app(argc, argv);
    // Wayland's app id names the installed launcher, as the warning's
    // desktop-entry hint does, so that the desktop finds the running program
    // from either; on X11 the window's class "Pelmora" is the entry's
    // StartupWMClass, whatever the program file is called.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(AppIdentity::desktopEntry));
    QApplication::setWindowIcon(programIcon()); // also the tray's
    RealSystem system;
    T_Main window(system);
    if (!options.alarmAt.isEmpty())
        window.armAfterGreeting(options.alarmAt);
    window.show();
    return QApplication::exec();
}
