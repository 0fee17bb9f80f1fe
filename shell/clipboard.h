#pragma once
#include <string>

#include "core/platform_types.h"

#ifdef _WIN32
// Opening the clipboard: once, then again after each wait while another program holds it,
// about 100 ms in all.
constexpr int CLIPBOARD_ATTEMPTS = 5;
constexpr unsigned CLIPBOARD_WAIT_MS = 25;

// Puts the Windows-1252 `text` on the clipboard as Unicode text, for `owner`; the system
// makes the ANSI form in the reader's code page. When the clipboard stays busy, beeps and
// answers false.
bool PutTextOnClipboard(HWND owner, const std::string& text);
#endif
