#include "platform/commandlineanswer.h"

#include <cstdio>

void answerCommandLine(const QString &text, bool refusal)
{
    std::fputs(text.toLocal8Bit().constData(), refusal ? stderr : stdout);
}
