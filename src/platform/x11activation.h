#pragma once

#include <QtGlobal>

struct xcb_connection_t;

// Asks the window manager, over Qt's connection, to activate window the way
// a pager or task bar asks for the user who clicked it: with the X server's
// current time, which no keypress in another window can be newer than.
// Returns false, having sent nothing, where the window manager takes no
// such requests, or the server's time or the window's root cannot be had.
bool requestX11Activation(xcb_connection_t *connection, quint32 window);
