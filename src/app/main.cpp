#include "about/programicon.h"
#include "app/t_main.h"
#include "platform/appidentity.h"
#include "platform/realsystem.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(AppIdentity::title));
    // Wayland's app id names the installed launcher, as the warning's
    // desktop-entry hint does, so that the desktop finds the running program
    // from either; on X11 the window's class "Pelmora" is the entry's
    // StartupWMClass, whatever the program file is called.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(AppIdentity::desktopEntry));
    QApplication::setWindowIcon(programIcon()); // also the tray's
    RealSystem system;
    T_Main window(system);
    window.show();
    return QApplication::exec();
}
