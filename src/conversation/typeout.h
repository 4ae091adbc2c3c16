#pragma once

#include <QtGlobal>

#include <chrono>

struct MainState;
class ChatSurface;
class SystemServices;

// How long to wait after each typed character for a speed setting: none
// for 0, and a pause that grows with the setting otherwise.
std::chrono::microseconds pauseAfterCharacter(qint32 speed);

// Types replyText into the log one character at a time, each with a beep
// and a pause, on a new line. Handles no events while it runs.
void TypeOut(const MainState &state, ChatSurface &surface, SystemServices &system);
