#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// Whether the system says the user may be interrupted now: false while a full-screen
// program, a full-screen game, presentation mode or quiet time asks programs to wait.
// Systems without the call (looked up at run time) and a failed call answer true.
bool UserAcceptsNotifications();
#endif
