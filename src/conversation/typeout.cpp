#include "conversation/typeout.h"

#include "conversation/characters.h"
#include "conversation/chatsurface.h"
#include "conversation/mainstate.h"
#include "platform/systemservices.h"

#include <cmath>

std::chrono::microseconds pauseAfterCharacter(qint32 speed)
{
    // The setting once counted idle loop turns; 0.18 µs a turn makes
    // "normal" about 14 ms a character and keeps the longest reply at the
    // slowest speed well under the time after which a desktop calls a
    // window unresponsive.
    constexpr double microsecondsPerTurn = 0.18;
    if (speed < 1)
        return std::chrono::microseconds(0);
    return std::chrono::microseconds(std::llround(speed * microsecondsPerTurn));
}

void typeText(const QString &text, qint32 speed, ChatSurface &surface, SystemServices &system)
{
    const auto pause = pauseAfterCharacter(speed);
    for (qsizetype start = 0, end = 0; start < text.size(); start = end) {
        end = characterEnd(text, start);
        const QString character = text.mid(start, end - start);
        if (start == 0) {
            // The first character beeps before the log is drawn and leaves
            // the caret alone; every later one is drawn, then beeps.
            surface.appendToLog(QStringLiteral("\r\n") + character);
            system.beep();
            surface.repaintLog();
        } else {
            surface.appendToLog(character);
            surface.moveLogCaretToEnd();
            surface.repaintLog();
            system.beep();
        }
        if (pause.count() > 0)
            system.pause(pause);
    }
}

void TypeOut(const MainState &state, ChatSurface &surface, SystemServices &system)
{
    typeText(state.replyText, state.speed, surface, system);
}
