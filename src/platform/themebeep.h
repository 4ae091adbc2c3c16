#pragma once

#include "platform/beeper.h"
#include "platform/eventsounds.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// The beep as the desktop's own short alert sound from its sound theme.
//
// Starting a sound waits for the sound server's answer, longer than a
// typed character may take, so the first beep plays here and tells whether
// the sounds play at all, and every later one is handed to a thread of its
// own: beep() returns at once, and a beep that comes while the last one is
// still being started joins it. Each beep cuts the last one short, so fast
// typing ticks instead of piling sounds up.
//
// Once the sounds cannot play, every beep is the fallback instead, and the
// reason is said once on standard error.
class ThemeBeep final : public Beeper
{
public:
    ThemeBeep(std::unique_ptr<EventSounds> sounds, std::function<void()> fallback);
    ~ThemeBeep() override;
    ThemeBeep(const ThemeBeep &) = delete;
    ThemeBeep &operator=(const ThemeBeep &) = delete;

    void beep() override;

private:
    // Cancels the last sound and starts the next; the reason if it fails.
    std::optional<QString> ring();
    void serve();

    std::unique_ptr<EventSounds> sounds;
    std::function<void()> fallback;
    bool told = false;

    std::mutex mutex; // guards what follows
    std::condition_variable wanted;
    bool pending = false;
    bool stopping = false;
    std::optional<QString> failure;
    std::thread server; // runs from the first beep that plays
};
