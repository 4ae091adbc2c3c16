#pragma once

#include "conversation/chatsurface.h"

class ChatLog;
class QLabel;
class QLineEdit;

// The conversation's view of the main window's widgets.
class MainSurface final : public ChatSurface
{
public:
    MainSurface(ChatLog &log, QLineEdit &input, QLabel &alarmLabel);

    void appendToLog(const QString &text) override;
    void moveLogCaretToEnd() override;
    void repaintLog() override;
    QString inputLine() const override;
    void clearInputLine() override;
    void focusInputLine() override;
    void setAlarmLabel(const QString &caption) override;

private:
    ChatLog &log;
    QLineEdit &input;
    QLabel &alarmLabel;
};
