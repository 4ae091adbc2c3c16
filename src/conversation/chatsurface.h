#pragma once

#include <QString>

// What the conversation may do to the window: append to the log, use the
// input line and show the alarm. The window implements it over its widgets.
class ChatSurface
{
public:
    virtual ~ChatSurface() = default;

    // Appends at the end of the log; the log reads back exactly what it holds.
    virtual void appendToLog(const QString &text) = 0;
    virtual void moveLogCaretToEnd() = 0;
    // Draws the log before returning, without running the event loop.
    virtual void repaintLog() = 0;

    virtual QString inputLine() const = 0;
    virtual void clearInputLine() = 0;
    virtual void focusInputLine() = 0;

    virtual void setAlarmLabel(const QString &caption) = 0;
};
