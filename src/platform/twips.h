#pragma once

// Layouts are measured in twips: 1440 to the inch, 15 to a pixel at 96 dots
// per inch, Qt's device-independent pixel.
constexpr int twips(int value)
{
    return value / 15;
}
