#pragma once

class QString;
class QWindow;

// Makes window the active one for a user who asked from outside the program
// (its notification, its tray icon): a request for which the program saw no
// input of its own, and which a window manager that prevents focus stealing
// would otherwise refuse. activationToken is the desktop's token for that
// request, where it gave one.
void activateOnUsersRequest(QWindow &window, const QString &activationToken);
