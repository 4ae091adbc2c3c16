#include "platform/windowactivation.h"

#include <QWindow>

void activateOnUsersRequest(QWindow &window, const QString &)
{
    // The click on the tray icon or its message was input of the program's
    // own, which lets its window come to the foreground.
    window.requestActivate();
}
