#pragma once

#include <QIcon>

// The program's own icon, from the images built into it.
QIcon programIcon();
