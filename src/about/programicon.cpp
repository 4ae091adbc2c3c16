#include "about/programicon.h"

QIcon programIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/pelmora-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/pelmora-48.png"), QSize(48, 48));
    return icon;
}
