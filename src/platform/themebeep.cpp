#include "platform/themebeep.h"

#include <QDebug>

ThemeBeep::ThemeBeep(std::unique_ptr<EventSounds> sounds, std::function<void()> fallback)
    : sounds(std::move(sounds)), fallback(std::move(fallback))
{
}

ThemeBeep::~ThemeBeep()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    wanted.notify_one();
    if (server.joinable())
        server.join();
}

void ThemeBeep::beep()
{
    std::unique_lock lock(mutex);
    if (!failure) {
        if (server.joinable()) {
            pending = true;
            wanted.notify_one();
            return;
        }
        failure = ring();
        if (!failure) {
            server = std::thread(&ThemeBeep::serve, this);
            return;
        }
    }
    const QString why = *failure;
    lock.unlock();
    if (!told) {
        qWarning().noquote() << "The desktop's alert sound cannot play (" + why
                                    + "); the window system's beep stands in for it.";
        told = true;
    }
    fallback();
}

std::optional<QString> ThemeBeep::ring()
{
    constexpr quint32 id = 1; // every beep, so that each new one cancels the last
    sounds->cancel(id);
    // A theme without this id plays its "bell": the sound theme's own fallback.
    return sounds->play(id, "bell-window-system");
}

void ThemeBeep::serve()
{
    std::unique_lock lock(mutex);
    for (;;) {
        wanted.wait(lock, [this] { return pending || stopping; });
        if (stopping)
            return;
        pending = false;
        lock.unlock();
        std::optional<QString> why = ring();
        lock.lock();
        if (why) { // the sound server went away: the fallback from the next beep on
            failure = std::move(why);
            return;
        }
    }
}
