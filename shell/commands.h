#pragma once
// Command identifiers carried in the low word of WM_COMMAND.
constexpr unsigned CMD_ABOUT = 104;
constexpr unsigned CMD_EXIT = 105;
constexpr unsigned CMD_OPTIONS = 10000;
constexpr unsigned CMD_NEXT_VERSE = 12002;
constexpr unsigned CMD_GO_FORTH = 12003;
constexpr unsigned CMD_CONTEXT = 12004;
constexpr unsigned CMD_TRAY_SHOW = 32769;
constexpr unsigned CMD_TRAY_HIDE = 32770;
constexpr unsigned CMD_TRAY_EXIT = 32771;

constexpr unsigned DAILY_TIMER_ID = 100;
constexpr unsigned DAILY_TIMER_PERIOD_MS = 60000;
constexpr unsigned TRAY_CALLBACK_MESSAGE = 0x8000;  // WM_APP

// Main window geometry: outer size, and the three picture buttons in the client area.
constexpr int CARD_WINDOW_WIDTH = 350;
constexpr int CARD_WINDOW_HEIGHT = 554;
constexpr int BUTTON_TOP = 362;
constexpr int BUTTON_HEIGHT = 31;
