#pragma once

#include "platform/systemservices.h"

// The power-off request of the platform the program was built for.
void requestSystemPowerOff(QObject &context, PowerOffDone done);
