#pragma once

#include <optional>
#include <string>

// Enables the shutdown right of this process and asks Windows to power the
// machine off as a planned shutdown. Returns the system's message when
// either step fails.
std::optional<std::wstring> powerOffWindows();
