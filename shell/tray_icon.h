#pragma once
#include <cstdint>

#include "core/handles.h"
#include "core/platform_types.h"

// The icon's id among this window's icons; one icon per window.
constexpr unsigned TRAY_ICON_ID = 1;
// Bound of the tip copy: the record's tip buffer, terminating zero included.
constexpr int TRAY_TIP_CAPACITY = 128;
#define TRAY_TIP_TEXT "Quillane"
// The balloon the icon shows the first time the card is hidden.
#define HIDE_TIP_TITLE "Quillane is still running"
#define HIDE_TIP_TEXT \
  "Double-click this icon to show today's verse again. Right-click it to exit Quillane."

#ifdef _WIN32
// The icon's events reach the card as this message.
constexpr unsigned TRAY_CALLBACK_MESSAGE = WM_APP;
// Fills appState.trayIcon for `window` and adds the icon to the notification area.
void AddTrayIcon(HWND window, HINSTANCE instance);
// Adds the icon if the shell refused it so far (a busy shell at log-on answers no
// TaskbarCreated later); called with every timer tick.
void RetryTrayIcon(HWND window, HINSTANCE instance);
// Shows the hide tip as a balloon at the icon; false where the icon is not there or the
// shell shows no balloons.
bool ShowHideTip();
// Removes the icon that AddTrayIcon added.
void RemoveTrayIcon();
// Acts on an icon event (lParam of the icon's callback message).
void OnTrayIconEvent(HWND window, LPARAM event);
// Shows the icon's menu at the cursor; the choice comes back to `window` as WM_COMMAND.
void ShowTrayMenu(HWND window);
// The packed version of the shell library `module` (0 without DllGetVersion or on a
// failed call). Releases the module.
std::uint64_t GetShellVersion(OwnedModule module);

// The message the task bar broadcasts when it (re)starts and has lost every icon.
UINT TaskbarCreatedMessage();
// Puts the icon back after a task bar restart.
void ReAddTrayIcon(HWND window, HINSTANCE instance);
#endif
