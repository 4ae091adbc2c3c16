#pragma once

#include <QString>

struct MainState;
class ChatSurface;
class SystemServices;

// The computer's greeting for an hour read from the start of a time text,
// or nothing when the text does not begin with an hour of the day.
QString greetingFor(const QString &hourText);

// Opens the conversation: greeting, the function on offer, the request for
// a command, each typed in turn, starting from greetStep and ending at 0.
void greet(MainState &state, ChatSurface &surface, SystemServices &system);
