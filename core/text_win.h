#pragma once
#include <string>

#include "core/platform_types.h"

#ifdef _WIN32
// The program's Windows-1252 text as UTF-16, whatever the system's code page: drawn,
// copied or written through the wide calls, a curly quote stays a curly quote on a
// system whose ANSI code page is double-byte. `length` -1 reads up to the NUL.
std::wstring WideFrom1252(const char* text, int length = -1);
#endif
