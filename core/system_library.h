#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
// A library of the system, loaded from the system folder only: the program's own folder,
// which the user can write to for a per-user or portable copy, is never searched. The
// caller owns the reference; null when the library is not there.
HMODULE LoadSystemLibrary(const char* name);
#endif
