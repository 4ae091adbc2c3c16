#pragma once

#include <QString>

// Answers the command line where its user reads it: standard output, or
// standard error for a refusal. On Windows, where the program has no
// console of its own, the console it was started from; where there is
// none (a shortcut, the Task Scheduler), a message box.
void answerCommandLine(const QString &text, bool refusal);
