#include "app/mainsurface.h"

#include "app/chatlog.h"

#include <QLabel>
#include <QLineEdit>

MainSurface::MainSurface(ChatLog &log, QLineEdit &input, QLabel &alarmLabel)
    : log(log)
    , input(input)
    , alarmLabel(alarmLabel)
{
}

void MainSurface::appendToLog(const QString &text)
{
    log.appendText(text);
}

void MainSurface::moveLogCaretToEnd()
{
    log.moveCaretToEnd();
}

void MainSurface::repaintLog()
{
    log.repaintNow();
}

QString MainSurface::inputLine() const
{
    return input.text();
}

void MainSurface::clearInputLine()
{
    input.clear();
}

void MainSurface::focusInputLine()
{
    input.setFocus();
}

void MainSurface::setAlarmLabel(const QString &caption)
{
    alarmLabel.setText(caption);
    alarmLabel.adjustSize();
}
