// Pelmora as main.cpp starts it, with the start-up and memory probe.
#include "app/chatlog.h"
#include "app/t_main.h"
#include "firstpaintprobe.h"
#include "platform/appidentity.h"
#include "platform/realsystem.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(AppIdentity::title));
    RealSystem system;
    T_Main window(system);
    FirstPaintProbe probe([&window](const QString &text) {
        window.findChild<ChatLog *>(QStringLiteral("uke"))->appendText(text);
    });
    window.show();
    return QApplication::exec();
}
