#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// The desktop's event sounds, named by the ids of its sound theme
// ("bell", "dialog-warning", …).
class EventSounds
{
public:
    virtual ~EventSounds() = default;
    // Stops whatever was started under id and still plays.
    virtual void cancel(quint32 id) = 0;
    // Starts the theme's sound for eventId under id; the sound system's own
    // words when nothing plays. May wait for the sound server's answer.
    virtual std::optional<QString> play(quint32 id, const char *eventId) = 0;
};
