#pragma once

#include <memory>

// Sounds the system beep. One lives as long as the program.
class Beeper
{
public:
    virtual ~Beeper() = default;
    // Returns at once; the sound goes on after it.
    virtual void beep() = 0;
};

// The beep of the platform the program was built for.
std::unique_ptr<Beeper> makeSystemBeeper();
