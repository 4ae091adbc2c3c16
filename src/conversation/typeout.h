#pragma once

#include <QString>
#include <QtGlobal>

#include <chrono>

struct MainState;
class ChatSurface;
class SystemServices;

// How long to wait after each typed character for a speed setting: none
// for 0, and a pause that grows with the setting otherwise.
std::chrono::microseconds pauseAfterCharacter(qint32 speed);

// Types text into the log one character at a time, each with a beep and
// the pause the speed setting asks for, on a new line. Handles no events
// while it runs.
void typeText(const QString &text, qint32 speed, ChatSurface &surface, SystemServices &system);

// Types replyText at the chosen speed.
void TypeOut(const MainState &state, ChatSurface &surface, SystemServices &system);
