#pragma once
// The command ids (CMD_...) live with the resource ids, which the menu also uses.
#include "resources/resource_ids.h"

constexpr unsigned DAILY_TIMER_ID = 100;
constexpr unsigned DAILY_TIMER_PERIOD_MS = 60000;
constexpr unsigned TRAY_CALLBACK_MESSAGE = 0x8000;  // WM_APP
