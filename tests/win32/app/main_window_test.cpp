#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/daily_timer.h"
#include "card/card_layout.h"
#include "card/card_painter.h"
#include "card/card_scale.h"
#include "card/card_texts.h"
#include "content/holiday_calendar.h"
#include "core/system_calls.h"
#include "tests/win32/card/card_painter_canvas.h"
#include "resources/resource_ids.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "tests/win32/import_patch.h"
#include "tests/win32/settings/settings_fixture.h"
#include "shell/card_buttons.h"
#include "shell/card_keys.h"
#include "shell/tray_icon.h"
#include "tests/win32/shell/tray_icon_probe.h"

namespace {

enum class Before { SHOWN, HIDDEN, ICON_LOST, ICON_REFUSED, MINIMISED, OFF_SCREEN };

LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
  return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

bool iconAtDestroy = false;

// The card's own procedure, with a look at the icon once the window has handled its
// destruction: after that the shell drops the icons of a destroyed window by itself.
LRESULT CALLBACK WatchDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = MainWindowProc(window, message, wParam, lParam);
  if (message == WM_DESTROY) iconAtDestroy = ShellHasIcon(window);
  return result;
}

bool cardSeen = false;
HRESULT comWhileRunning = E_FAIL;

// S_FALSE while the thread has COM already, S_OK when it had none.
HRESULT ComOnThisThread() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(result)) CoUninitialize();
  return result;
}

// Once the loop runs: notes whether the card and its icon are there, then chooses Exit.
void CALLBACK ExitFromTheLoop(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const HWND window = appState.trayIcon.hWnd;
  cardSeen = IsWindowVisible(window) && ShellHasIcon(window);
  comWhileRunning = ComOnThisThread();
  if (window != nullptr) {
    PostMessageA(window, WM_COMMAND, CMD_EXIT, 0);
  } else {
    PostQuitMessage(1);  // a loop without a card
  }
}

// Every command that reached a window of the stand-in card's class, with its window.
std::vector<std::pair<HWND, WPARAM>> commandsSeen;

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) commandsSeen.emplace_back(window, wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

int getMessageCalls = 0;

// Fails as GetMessageA does on a bad call, leaving junk in the message; a loop that
// keeps asking gets a quit message with code 99 on the third call instead of hanging.
BOOL WINAPI FailingGetMessage(MSG* message, HWND, UINT, UINT) {
  std::memset(message, 0xBD, sizeof *message);
  if (++getMessageCalls < 3) return -1;
  message->message = WM_QUIT;
  message->wParam = 99;
  return 0;
}

// The order in which WinMain declares the display awareness and starts COM.
std::vector<std::string> startOrder;
decltype(SystemCalls::setProcessDpiAwarenessContext) realSetAwareness = nullptr;
decltype(&CoInitializeEx) realCoInitializeEx = nullptr;

BOOL WINAPI NoteAwareness(HANDLE context) {
  startOrder.emplace_back("awareness");
  return realSetAwareness != nullptr ? realSetAwareness(context) : FALSE;
}

HRESULT WINAPI NoteCom(void* reserved, DWORD model) {
  startOrder.emplace_back("COM");
  return realCoInitializeEx(reserved, model);
}

// The heights of the fonts the card creates, in order.
std::vector<int> fontHeights;
decltype(&CreateFontA) realCreateFontA = nullptr;

HFONT WINAPI RecordCreateFontA(int height, int width, int escapement, int orientation, int weight,
                               DWORD italic, DWORD underline, DWORD strikeOut, DWORD charset,
                               DWORD precision, DWORD clip, DWORD quality, DWORD family,
                               LPCSTR face) {
  fontHeights.push_back(height);
  return realCreateFontA(height, width, escapement, orientation, weight, italic, underline,
                         strikeOut, charset, precision, clip, quality, family, face);
}

// What the card asked of the annotation service, and the live-region events it raised.
struct LiveSetting {
  HWND window;
  DWORD object, child;
  GUID property;
  VARTYPE type;
  LONG value;
};
std::vector<LiveSetting> liveSettings;
std::vector<std::pair<HWND, LONG>> liveRegionEvents;
constexpr DWORD EVENT_LIVE_REGION_CHANGED = 0x8019;
constexpr CLSID ACC_PROP_SERVICES_CLASS = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID LIVE_SETTING_PROPERTY = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

// Records SetHwndProp; nothing else is asked of it.
class FakeAnnotations final : public IAccPropServices {
 public:
  HRESULT WINAPI QueryInterface(REFIID, void** object) override {
    *object = this;
    return S_OK;
  }
  ULONG WINAPI AddRef() override { return 2; }
  ULONG WINAPI Release() override { return 1; }
  HRESULT WINAPI SetHwndProp(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                             VARIANT value) override {
    liveSettings.push_back({window, object, child, property, value.vt, value.lVal});
    return S_OK;
  }
  HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_FAIL; }
  HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                               AnnoScope) override {
    return E_FAIL;
  }
  HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_FAIL; }
  HRESULT WINAPI SetHwndPropStr(HWND, DWORD, DWORD, MSAAPROPID, LPCWSTR) override { return E_FAIL; }
  HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                   AnnoScope) override {
    return E_FAIL;
  }
  HRESULT WINAPI ClearHwndProps(HWND, DWORD, DWORD, const MSAAPROPID*, int) override {
    return E_FAIL;
  }
  HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override {
    return E_FAIL;
  }
  HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
    return E_FAIL;
  }
  HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_FAIL; }
  HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_FAIL; }
  HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                    AnnoScope) override {
    return E_FAIL;
  }
  HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_FAIL; }
  HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override {
    return E_FAIL;
  }
  HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
    return E_FAIL;
  }
};
FakeAnnotations fakeAnnotations;
decltype(&CoCreateInstance) realCoCreateInstance = nullptr;

HRESULT WINAPI CreateFakeAnnotations(REFCLSID type, IUnknown* outer, DWORD context, REFIID iid,
                                     void** object) {
  if (!IsEqualCLSID(type, ACC_PROP_SERVICES_CLASS)) {
    return realCoCreateInstance(type, outer, context, iid, object);
  }
  *object = static_cast<IAccPropServices*>(&fakeAnnotations);
  return S_OK;
}

void CALLBACK NoteLiveRegion(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                             DWORD) {
  if (object == OBJID_CLIENT) liveRegionEvents.emplace_back(window, child);
}

// The balloons the card asked the shell for: title and text.
std::vector<std::pair<std::string, std::string>> balloons;
decltype(&Shell_NotifyIconA) realNotifyIcon = nullptr;

BOOL WINAPI RecordBalloon(DWORD message, PNOTIFYICONDATAA record) {
  if (record->uFlags & NIF_INFO) balloons.emplace_back(record->szInfoTitle, record->szInfo);
  return realNotifyIcon(message, record);
}

// The formats the card put on the clipboard, and its beeps.
std::vector<UINT> clipboardFormats;
int beeps = 0;
decltype(&SetClipboardData) realSetClipboardData = nullptr;

HANDLE WINAPI RecordClipboardFormat(UINT format, HANDLE data) {
  clipboardFormats.push_back(format);
  return realSetClipboardData(format, data);
}

BOOL WINAPI CountBeep(UINT) {
  ++beeps;
  return TRUE;
}

// Another program holding the clipboard for a while.
struct ClipboardHolder {
  HANDLE opened;
  DWORD heldMs;
};

DWORD WINAPI HoldClipboard(void* parameter) {
  const auto* holder = static_cast<const ClipboardHolder*>(parameter);
  const BOOL open = OpenClipboard(nullptr);
  SetEvent(holder->opened);
  Sleep(holder->heldMs);
  if (open) CloseClipboard();
  return open ? 0 : 1;
}

// What the stand-in SHQueryUserNotificationState answers, and whether the system has it.
struct UserState {
  bool present;
  HRESULT status;
  int state;
};
UserState userState{true, S_OK, 5};

HRESULT WINAPI FakeQueryUserState(int* state) {
  *state = userState.state;
  return userState.status;
}

// The stand-in in the place of the system's call, or none where the system lacks it.
void SetUserState(const UserState& state) {
  userState = state;
  RuntimeCalls().queryUserNotificationState = state.present ? FakeQueryUserState : nullptr;
}

// High contrast as the stand-ins report it, in colours no picture has: a dark blue window
// with yellow text, a navy button face with green letters.
bool highContrast = false;
decltype(&SystemParametersInfoA) realSystemParametersInfo = nullptr;
decltype(&GetSysColor) realGetSysColor = nullptr;
constexpr COLORREF HC_WINDOW = RGB(0, 0, 96), HC_TEXT = RGB(255, 255, 0);
constexpr COLORREF HC_BUTTON = RGB(0, 0, 128), HC_BUTTON_TEXT = RGB(0, 255, 0);

BOOL WINAPI FakeSystemParameters(UINT action, UINT size, void* data, UINT flags) {
  if (action != SPI_GETHIGHCONTRAST) return realSystemParametersInfo(action, size, data, flags);
  auto* setting = static_cast<HIGHCONTRASTA*>(data);
  setting->dwFlags = highContrast ? HCF_HIGHCONTRASTON | HCF_AVAILABLE : HCF_AVAILABLE;
  setting->lpszDefaultScheme = nullptr;
  return TRUE;
}

DWORD WINAPI FakeSysColor(int index) {
  switch (index) {
    case COLOR_WINDOW: return HC_WINDOW;
    case COLOR_WINDOWTEXT: return HC_TEXT;
    case COLOR_BTNFACE: return HC_BUTTON;
    case COLOR_BTNTEXT: return HC_BUTTON_TEXT;
    default: return realGetSysColor(index);
  }
}

// A canvas pixel (0x00RRGGBB) as a COLORREF.
COLORREF AsColour(std::uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Whether the canvas pixel is one of two colours or a blend of them (text smoothed onto its
// ground, with whatever gamma): each channel within their range, and channels that both
// colours share alike stay alike. A picture's pixel is neither.
bool IsBlendOf(std::uint32_t pixel, COLORREF a, COLORREF b) {
  const COLORREF seen = AsColour(pixel);
  const int channel[3][3] = {{GetRValue(seen), GetRValue(a), GetRValue(b)},
                             {GetGValue(seen), GetGValue(a), GetGValue(b)},
                             {GetBValue(seen), GetBValue(a), GetBValue(b)}};
  for (int i = 0; i < 3; ++i) {
    const auto [value, from, to] = channel[i];
    if (value < std::min(from, to) - 8 || value > std::max(from, to) + 8) return false;
    for (int j = 0; j < i; ++j) {
      const bool alike = channel[j][1] == from && channel[j][2] == to;
      if (alike && std::abs(channel[j][0] - value) > 8) return false;
    }
  }
  return true;
}

// Pixels of `box` nearer to `colour` than to `ground`: text drawn on that ground.
int CountNear(const Canvas& canvas, COLORREF colour, COLORREF ground, RECT box) {
  const auto distance = [](COLORREF x, COLORREF y) {
    return std::abs(GetRValue(x) - GetRValue(y)) + std::abs(GetGValue(x) - GetGValue(y)) +
           std::abs(GetBValue(x) - GetBValue(y));
  };
  int count = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const COLORREF seen = AsColour(canvas.At(x, y));
      count += distance(seen, colour) < distance(seen, ground);
    }
  }
  return count;
}

// Where QUILLANE_SCREENSHOTS names, else the working directory.
std::string ScreenshotPath(const std::string& name) {
  const char* folder = std::getenv("QUILLANE_SCREENSHOTS");
  if (folder == nullptr || *folder == '\0') return name;
  const std::string path = folder;
  return (path[0] == '/' ? "Z:" + path : path) + "/" + name;
}

}  // namespace

class MainWindow : public SettingsRegistryTest {
 protected:
  // The registry and the program state as they were, for the next row.
  void NextRow() {
    // The quit message of the window's destruction: the next modal loop in this process
    // would take it for its own.
    MSG message;
    PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    if (appState.picture != nullptr) appState.picture->Release();
    TearDown();
    SetUp();
  }

  // The real start-up; the card it shows.
  static HWND StartCard() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadAppStrings(instance);
    InitWindowClass(instance);
    return StartInstance(instance, SW_SHOWNORMAL) ? appState.trayIcon.hWnd : nullptr;
  }
};

// The real start-up, then one message to the running card.
TEST_F(MainWindow, MessagesToTheRunningCard) {
  struct Case {
    const char* what;
    Before before;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool newVerse, repainted, visible, saved, alive, byDefault;
  };
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  const WPARAM arrowDoubleClick = MAKEWPARAM(CMD_NEXT_VERSE, BN_DOUBLECLICKED);
  const WPARAM hideKey = MAKEWPARAM(CMD_TRAY_HIDE, 1);
  const WPARAM unknownClick = MAKEWPARAM(106, BN_CLICKED);
  const LPARAM doubleClick = WM_LBUTTONDBLCLK;
  const Case cases[] = {
      // what, before, message, wParam, lParam,
      //   newVerse, repainted, visible, saved, alive, byDefault
      {"stale tick", Before::HIDDEN, WM_TIMER, DAILY_TIMER_ID, 0, 1, 1, 1, 0, 1, 0},
      {"tick, no icon yet", Before::ICON_REFUSED, WM_TIMER, DAILY_TIMER_ID, 0, 1, 1, 1, 0, 1, 0},
      {"Show, minimised", Before::MINIMISED, WM_COMMAND, CMD_TRAY_SHOW, 0, 1, 1, 1, 0, 1, 0},
      {"Show, off screen", Before::OFF_SCREEN, WM_COMMAND, CMD_TRAY_SHOW, 0, 1, 1, 1, 0, 1, 0},
      {"session ends", Before::SHOWN, WM_ENDSESSION, TRUE, 0, 0, 0, 1, 1, 1, 0},
      {"session goes on", Before::SHOWN, WM_ENDSESSION, FALSE, 0, 0, 0, 1, 0, 1, 0},
      {"task bar restarted", Before::ICON_LOST, taskbarCreated, 0, 0, 0, 0, 1, 0, 1, 0},
      {"Show", Before::SHOWN, WM_COMMAND, CMD_TRAY_SHOW, 0, 1, 1, 1, 0, 1, 0},
      {"icon double click", Before::SHOWN, TRAY_CALLBACK_MESSAGE, 0, doubleClick, 1, 1, 1, 0, 1, 0},
      {"arrow double click", Before::SHOWN, WM_COMMAND, arrowDoubleClick, 0, 1, 1, 1, 0, 1, 0},
      {"Hide from a key", Before::SHOWN, WM_COMMAND, hideKey, 0, 0, 0, 0, 0, 1, 0},
      {"unknown command", Before::SHOWN, WM_COMMAND, 12005, 0, 0, 0, 1, 0, 1, 1},
      {"unknown click", Before::SHOWN, WM_COMMAND, unknownClick, 0, 0, 0, 1, 0, 1, 1},
      {"Exit, shown", Before::SHOWN, WM_COMMAND, CMD_EXIT, 0, 0, 0, 0, 1, 0, 0},
      {"Exit, hidden", Before::HIDDEN, WM_COMMAND, CMD_EXIT, 0, 0, 0, 0, 1, 0, 0},
      {"icon's Exit, shown", Before::SHOWN, WM_COMMAND, CMD_TRAY_EXIT, 0, 0, 0, 0, 1, 0, 0},
      {"icon's Exit, hidden", Before::HIDDEN, WM_COMMAND, CMD_TRAY_EXIT, 0, 0, 0, 0, 1, 0, 0},
  };
  for (const Case& c : cases) {
    const HWND window = StartCard();
    ASSERT_NE(nullptr, window) << c.what;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchDestroy));
    if (c.before == Before::HIDDEN) ShowWindow(window, SW_HIDE);
    if (c.before == Before::ICON_LOST) {
      EXPECT_TRUE(ShellDeletesIcon(window)) << c.what;
    }
    if (c.before == Before::ICON_REFUSED) RemoveTrayIcon();
    if (c.before == Before::MINIMISED) ShowWindow(window, SW_SHOWMINNOACTIVE);
    if (c.before == Before::OFF_SCREEN) {
      SetWindowPos(window, nullptr, 6000, 6000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      ShowWindow(window, SW_HIDE);
    }
    ValidateRect(window, nullptr);
    DeleteSettingsKey();
    appState.hideTipShown = 1;      // the first hide writes its own setting (a test of its own)
    SetReferenceTime(appState, 0);  // more than a day ago
    std::strcpy(appState.verseText, "old verse");
    const LRESULT expected =
        c.byDefault ? DefWindowProcA(window, c.message, c.wParam, c.lParam) : 0;

    EXPECT_EQ(expected, SendMessageA(window, c.message, c.wParam, c.lParam)) << c.what;
    EXPECT_EQ(c.newVerse, std::strcmp("old verse", appState.verseText) != 0)
        << c.what << ": " << appState.verseText;
    EXPECT_EQ(c.repainted, GetUpdateRect(window, nullptr, FALSE) != FALSE) << c.what;
    EXPECT_EQ(c.visible, IsWindowVisible(window) != FALSE) << c.what;
    if (c.visible) {
      EXPECT_FALSE(IsIconic(window)) << c.what;
      EXPECT_NE(nullptr, MonitorFromWindow(window, MONITOR_DEFAULTTONULL)) << c.what;
    }
    EXPECT_EQ(c.saved, SettingsValueCount() > 0) << c.what << ": " << SettingsValueCount();
    EXPECT_EQ(c.alive, IsWindow(window) != FALSE) << c.what;
    // The icon and the daily timer last exactly as long as the window.
    EXPECT_EQ(c.alive, IsWindow(window) ? ShellDeletesIcon(window) : iconAtDestroy) << c.what;
    EXPECT_EQ(c.alive, KillTimer(window, DAILY_TIMER_ID) != FALSE) << c.what;

    if (IsWindow(window)) DestroyWindow(window);
    NextRow();
  }
}

// A new passage on the card is a polite live region's change, raised once per passage: the
// passage (child 1 of the card's object) is marked so before the event.
TEST_F(MainWindow, NewPassageRaisesTheLiveRegionEvent) {
  const ImportPatch create("ole32.dll", "CoCreateInstance", CreateFakeAnnotations);
  ASSERT_TRUE(create.Found());
  realCoCreateInstance = create.Original<decltype(&CoCreateInstance)>();
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_LIVE_REGION_CHANGED, EVENT_LIVE_REGION_CHANGED, nullptr, NoteLiveRegion,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(nullptr, hook);
  const HWND card = StartCard();
  ASSERT_NE(nullptr, card);
  struct Case {
    const char* verse;
    bool raised;
  };
  const Case cases[] = {{"a new verse", true}, {"a new verse", false}, {"another verse", true}};
  const auto pump = [] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  };
  pump();  // the start-up's own passage
  for (const Case& c : cases) {
    liveSettings.clear();
    liveRegionEvents.clear();
    std::strcpy(appState.verseText, c.verse);
    InvalidateRect(card, nullptr, TRUE);
    UpdateWindow(card);
    pump();

    EXPECT_EQ(c.raised ? 1u : 0u, liveRegionEvents.size()) << c.verse;
    if (!liveRegionEvents.empty()) {
      EXPECT_EQ(card, liveRegionEvents[0].first) << c.verse;
      EXPECT_EQ(1, liveRegionEvents[0].second) << c.verse;
    }
    ASSERT_EQ(c.raised ? 1u : 0u, liveSettings.size()) << c.verse;
    if (c.raised) {
      const LiveSetting& set = liveSettings[0];
      EXPECT_EQ(card, set.window);
      EXPECT_EQ(static_cast<DWORD>(OBJID_CLIENT), set.object);
      EXPECT_EQ(1u, set.child);
      EXPECT_TRUE(IsEqualGUID(LIVE_SETTING_PROPERTY, set.property));
      EXPECT_EQ(VT_I4, set.type);
      EXPECT_EQ(1, set.value) << "polite";
    }
  }
  UnhookWinEvent(hook);
  DestroyWindow(card);
  NextRow();
}

// The first time the card is hidden, whichever way, the icon tells where it went; never
// again for this user, in this run or the next. Without its icon the card tells nothing,
// and tells it at a later hide.
TEST_F(MainWindow, TheFirstHideTellsWhereTheCardWent) {
  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
    bool iconThere;
  };
  const Case cases[] = {
      {"Go Forth", WM_COMMAND, CMD_GO_FORTH, true},
      {"the icon's Hide", WM_COMMAND, CMD_TRAY_HIDE, true},
      {"close box or Escape", WM_SYSCOMMAND, SC_CLOSE, true},
      {"minimise", WM_SYSCOMMAND, SC_MINIMIZE, true},
      {"no icon", WM_SYSCOMMAND, SC_CLOSE, false},
  };
  const ImportPatch patch("shell32.dll", "Shell_NotifyIconA", RecordBalloon);
  ASSERT_TRUE(patch.Found());
  realNotifyIcon = patch.Original<decltype(&Shell_NotifyIconA)>();
  const std::vector<std::pair<std::string, std::string>> told = {
      {"Quillane is still running",
       "Double-click this icon to show today's verse again. Right-click it to exit Quillane."}};
  const std::string remembered = "4:" + std::string("\1\0\0\0", 4);
  const auto stored = [] {
    const StoredValue value = QueryStoredValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, "hidetip");
    return value.present ? std::to_string(value.type) + ":" +
                               std::string(value.bytes.begin(), value.bytes.end())
                         : "missing";
  };
  for (const Case& c : cases) {
    HWND card = StartCard();
    ASSERT_NE(nullptr, card) << c.what;
    if (!c.iconThere) RemoveTrayIcon();
    balloons.clear();
    SendMessageA(card, c.message, c.wParam, 0);
    EXPECT_FALSE(IsWindowVisible(card)) << c.what;
    EXPECT_EQ(c.iconThere ? told : decltype(told){}, balloons) << c.what << ", first hide";
    EXPECT_EQ(c.iconThere ? remembered : "missing", stored()) << c.what;

    if (!c.iconThere) AddTrayIcon(card, GetModuleHandleA(nullptr));
    SendMessageA(card, WM_COMMAND, CMD_TRAY_SHOW, 0);
    balloons.clear();
    SendMessageA(card, c.message, c.wParam, 0);
    EXPECT_EQ(c.iconThere ? decltype(told){} : told, balloons) << c.what << ", second hide";
    EXPECT_EQ(remembered, stored()) << c.what;

    // The next run reads it with the settings.
    DestroyWindow(card);
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    appState.hideTipShown = 0;
    card = StartCard();
    ASSERT_NE(nullptr, card) << c.what;
    balloons.clear();
    SendMessageA(card, c.message, c.wParam, 0);
    EXPECT_TRUE(balloons.empty()) << c.what << ", the next run";
    DestroyWindow(card);
    NextRow();
  }
}

// The daily change while the system asks programs not to interrupt the user: the card takes
// its new verse at once and shows itself at the first tick that finds the user free again.
TEST_F(MainWindow, DailyChangeWaitsWhileTheUserIsBusy) {
  struct Case {
    const char* what;
    UserState atChange;
    bool shownAtChange;
  };
  const Case cases[] = {
      {"accepts notifications", {true, S_OK, 5}, true},
      {"not present", {true, S_OK, 1}, false},
      {"busy", {true, S_OK, 2}, false},
      {"full-screen game", {true, S_OK, 3}, false},
      {"presentation", {true, S_OK, 4}, false},
      {"quiet time", {true, S_OK, 6}, false},
      {"full-screen app", {true, S_OK, 7}, false},
      {"the call fails", {true, E_FAIL, 3}, true},
      {"an older system", {false, S_OK, 3}, true},
  };
  const SystemCalls found = RuntimeCalls();
  for (const Case& c : cases) {
    const HWND card = StartCard();
    ASSERT_NE(nullptr, card) << c.what;
    ShowWindow(card, SW_HIDE);
    SetReferenceTime(appState, 0);  // more than a day ago
    std::strcpy(appState.verseText, "old verse");
    SetUserState(c.atChange);
    SendMessageA(card, WM_TIMER, DAILY_TIMER_ID, 0);
    EXPECT_STRNE("old verse", appState.verseText) << c.what;
    EXPECT_EQ(c.shownAtChange, IsWindowVisible(card) != FALSE) << c.what;

    // Still busy at the next tick, then free: shown then, without another verse.
    std::strcpy(appState.verseText, "changed verse");
    SendMessageA(card, WM_TIMER, DAILY_TIMER_ID, 0);
    EXPECT_EQ(c.shownAtChange, IsWindowVisible(card) != FALSE) << c.what << ", a tick later";
    SetUserState({true, S_OK, 5});
    SendMessageA(card, WM_TIMER, DAILY_TIMER_ID, 0);
    EXPECT_TRUE(IsWindowVisible(card)) << c.what << ", once the user is free";
    EXPECT_STREQ("changed verse", appState.verseText) << c.what;

    DestroyWindow(card);
    NextRow();
  }

  // Show from the icon shows at once, busy or not; the card that waited is not shown
  // again after the user hid it.
  const HWND card = StartCard();
  ASSERT_NE(nullptr, card);
  ShowWindow(card, SW_HIDE);
  SetReferenceTime(appState, 0);
  SetUserState({true, S_OK, 4});
  SendMessageA(card, WM_TIMER, DAILY_TIMER_ID, 0);
  ASSERT_FALSE(IsWindowVisible(card));
  SendMessageA(card, WM_COMMAND, CMD_TRAY_SHOW, 0);
  EXPECT_TRUE(IsWindowVisible(card)) << "Show while the user is busy";
  SendMessageA(card, WM_COMMAND, CMD_TRAY_HIDE, 0);
  SetUserState({true, S_OK, 5});
  SendMessageA(card, WM_TIMER, DAILY_TIMER_ID, 0);
  EXPECT_FALSE(IsWindowVisible(card)) << "the waiting card came back after Show and Hide";
  DestroyWindow(card);
  RuntimeCalls() = found;
  NextRow();
}

// High contrast on and off at 100 % and 150 %: the window's colour instead of the picture,
// every text, the panel's frame and heading in the window text colour, the buttons as
// words in the button colours with their focus cue; a change of the setting repaints.
TEST_F(MainWindow, HighContrastDrawsInTheSystemColours) {
  const ImportPatch parameters("user32.dll", "SystemParametersInfoA", FakeSystemParameters);
  const ImportPatch colours("user32.dll", "GetSysColor", FakeSysColor);
  ASSERT_TRUE(parameters.Found());
  ASSERT_TRUE(colours.Found());
  realSystemParametersInfo = parameters.Original<decltype(&SystemParametersInfoA)>();
  realGetSysColor = colours.Original<decltype(&GetSysColor)>();
  const HWND card = StartCard();
  ASSERT_NE(nullptr, card);
  std::strcpy(appState.verseText, "Jesus wept.\r");
  for (const int dpi : {96, 144}) {
    for (const bool on : {false, true}) {
      const std::string what = std::to_string(dpi) + (on ? " dpi, on" : " dpi, off");
      highContrast = on;
      SetCardDpi(card, dpi);
      PlaceCardButtons(card);
      const int width = ScaledForDpi(CARD_CLIENT_WIDTH, dpi);
      const int height = ScaledForDpi(CARD_CLIENT_HEIGHT, dpi);
      Canvas painted(width, height, UNTOUCHED);
      PaintCard(painted.dc, card);
      // The buttons drawn where they stand, the arrow with the keyboard's focus.
      SetFocusCues(card, true);
      for (const unsigned id : CARD_BUTTONS_LEFT_TO_RIGHT) {
        const HWND button = GetDlgItem(card, static_cast<int>(id));
        RECT place{};
        GetWindowRect(button, &place);
        MapWindowPoints(nullptr, card, reinterpret_cast<POINT*>(&place), 2);
        const UINT state = id == CMD_NEXT_VERSE ? ODS_FOCUS : 0;
        const DRAWITEMSTRUCT item{ODT_BUTTON, id,    0, ODA_DRAWENTIRE, state, button,
                                  painted.dc, place, 0};
        DrawButtonFace(item);
      }
      GdiFlush();
      const auto at = [&](int x, int y) {
        return AsColour(painted.At(ScaledForDpi(x, dpi), ScaledForDpi(y, dpi)));
      };
      const RECT verse{ScaledForDpi(13, dpi), ScaledForDpi(14, dpi), ScaledForDpi(336, dpi),
                       ScaledForDpi(40, dpi)};
      const RECT heading{ScaledForDpi(HEADING_INK.left, dpi), ScaledForDpi(HEADING_INK.top, dpi),
                         ScaledForDpi(HEADING_INK.right + 1, dpi),
                         ScaledForDpi(HEADING_UNDERLINE_ROW + 2, dpi)};
      if (!on) {
        EXPECT_GT(
            CountNewDarkPixels(painted, nullptr, verse.left, verse.top, verse.right, verse.bottom),
            30)
            << what << ": black text";
        EXPECT_NE(HC_WINDOW, at(200, 200)) << what << ": the picture";
        EXPECT_NE(HC_BUTTON, at(CONTEXT_BUTTON.left + 2, BUTTON_TOP + 2)) << what << ": a face";
        continue;
      }
      int strays = 0;
      for (int y = 0; y < ScaledForDpi(BUTTON_TOP, dpi); ++y) {
        for (int x = 0; x < width; ++x) strays += !IsBlendOf(painted.At(x, y), HC_WINDOW, HC_TEXT);
      }
      EXPECT_EQ(0, strays) << what << ": pixels of neither colour above the buttons";
      EXPECT_EQ(HC_WINDOW, at(3, 200)) << what << ": where the frame was";
      EXPECT_EQ(HC_WINDOW, at(200, 403)) << what << ": where the bar was";
      EXPECT_EQ(HC_WINDOW, at(200, 200)) << what;
      EXPECT_GT(CountNear(painted, HC_TEXT, HC_WINDOW, verse), 30) << what << ": the verse";
      EXPECT_GT(CountNear(painted, HC_TEXT, HC_WINDOW, heading), 30) << what << ": the heading";
      EXPECT_EQ(HC_TEXT, at(PANEL_BOX.left, 450)) << what << ": the panel's left edge";
      EXPECT_EQ(HC_TEXT, at(200, PANEL_BOX.top)) << what << ": the panel's top edge";
      EXPECT_EQ(HC_TEXT, at(PANEL_BOX.right, 450)) << what << ": the panel's right edge";
      EXPECT_EQ(HC_TEXT, at(200, PANEL_BOX.bottom)) << what << ": the panel's bottom edge";
      EXPECT_EQ(HC_WINDOW, at(PANEL_BOX.left + 2, 490)) << what << ": inside the panel";
      for (const auto& [id, place] :
           {std::pair{CMD_CONTEXT, CONTEXT_BUTTON}, std::pair{CMD_NEXT_VERSE, NEXT_VERSE_BUTTON},
            std::pair{CMD_GO_FORTH, GO_FORTH_BUTTON}}) {
        const RECT face{ScaledForDpi(place.left, dpi), ScaledForDpi(BUTTON_TOP, dpi),
                        ScaledForDpi(place.left + place.width, dpi),
                        ScaledForDpi(BUTTON_TOP + BUTTON_HEIGHT, dpi)};
        int picture = 0;
        for (int y = face.top; y < face.bottom; ++y) {
          for (int x = face.left; x < face.right; ++x) {
            picture += !IsBlendOf(painted.At(x, y), HC_BUTTON, HC_BUTTON_TEXT);
          }
        }
        // The focus cue alone may take other colours: it inverts what lies under it.
        EXPECT_EQ(id == CMD_NEXT_VERSE, picture > 0) << what << ", button " << id;
        EXPECT_EQ(HC_BUTTON_TEXT, AsColour(painted.At(face.left, face.top)))
            << what << ", button " << id << ": its frame";
        EXPECT_GT(CountNear(painted, HC_BUTTON_TEXT, HC_BUTTON,
                            {face.left + 4, face.top + 4, face.right - 4, face.bottom - 4}),
                  10)
            << what << ", button " << id << ": its word";
      }
      EXPECT_TRUE(SaveBitmap(painted,
                             ScreenshotPath("card_high_contrast_" + std::to_string(dpi) + ".bmp")));
    }
  }
  // Switched live: the card and its buttons repaint when the system says so.
  SetCardDpi(card, CARD_BASE_DPI);
  PlaceCardButtons(card);
  for (const UINT message : {UINT{WM_SETTINGCHANGE}, UINT{WM_SYSCOLORCHANGE}}) {
    RedrawWindow(card, nullptr, nullptr, RDW_VALIDATE | RDW_ALLCHILDREN);
    SendMessageA(card, message, message == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
    EXPECT_TRUE(GetUpdateRect(card, nullptr, FALSE)) << message;
    EXPECT_TRUE(GetUpdateRect(GetDlgItem(card, CMD_CONTEXT), nullptr, FALSE)) << message;
  }
  highContrast = false;
  DestroyWindow(card);
  NextRow();
}

// Keys as the message loop hands them to the card, with the focus on a button (or on the
// card itself, id 0).
TEST_F(MainWindow, KeysOnTheCard) {
  struct Case {
    const char* what;
    int focusBefore;
    UINT message;
    WPARAM key;
    bool shift, held;
    bool taken;
    int focusAfter;
    bool newVerse, visible;
  };
  const Case cases[] = {
      // what, focusBefore, message, key, shift, held, taken, focusAfter, newVerse, visible
      {"Tab from the card", 0, WM_KEYDOWN, VK_TAB, 0, 0, 1, CMD_CONTEXT, 0, 1},
      {"Tab from Context", CMD_CONTEXT, WM_KEYDOWN, VK_TAB, 0, 0, 1, CMD_NEXT_VERSE, 0, 1},
      {"Tab from the arrow", CMD_NEXT_VERSE, WM_KEYDOWN, VK_TAB, 0, 0, 1, CMD_GO_FORTH, 0, 1},
      {"Tab from Go Forth", CMD_GO_FORTH, WM_KEYDOWN, VK_TAB, 0, 0, 1, CMD_CONTEXT, 0, 1},
      {"Shift+Tab from the card", 0, WM_KEYDOWN, VK_TAB, 1, 0, 1, CMD_GO_FORTH, 0, 1},
      {"Shift+Tab from Context", CMD_CONTEXT, WM_KEYDOWN, VK_TAB, 1, 0, 1, CMD_GO_FORTH, 0, 1},
      {"Shift+Tab from the arrow", CMD_NEXT_VERSE, WM_KEYDOWN, VK_TAB, 1, 0, 1, CMD_CONTEXT, 0, 1},
      {"Enter on the arrow", CMD_NEXT_VERSE, WM_KEYDOWN, VK_RETURN, 0, 0, 1, CMD_NEXT_VERSE, 1, 1},
      {"Space on the arrow", CMD_NEXT_VERSE, WM_KEYDOWN, VK_SPACE, 0, 0, 1, CMD_NEXT_VERSE, 1, 1},
      {"Space held on the arrow", CMD_NEXT_VERSE, WM_KEYDOWN, VK_SPACE, 0, 1, 1, CMD_NEXT_VERSE, 0,
       1},
      {"Space on Go Forth", CMD_GO_FORTH, WM_KEYDOWN, VK_SPACE, 0, 0, 1, 0, 0, 0},
      {"Enter on the card", 0, WM_KEYDOWN, VK_RETURN, 0, 0, 0, 0, 0, 1},
      {"Escape on the arrow", CMD_NEXT_VERSE, WM_KEYDOWN, VK_ESCAPE, 0, 0, 1, 0, 0, 0},
      {"Escape on the card", 0, WM_KEYDOWN, VK_ESCAPE, 0, 0, 1, 0, 0, 0},
      {"a letter", CMD_CONTEXT, WM_KEYDOWN, 'C', 0, 0, 0, CMD_CONTEXT, 0, 1},
  };
  for (const Case& c : cases) {
    const HWND card = StartCard();
    ASSERT_NE(nullptr, card) << c.what;
    SetFocus(c.focusBefore ? GetDlgItem(card, c.focusBefore) : card);
    BYTE keys[256] = {};
    keys[VK_SHIFT] = c.shift ? 0x80 : 0;
    SetKeyboardState(keys);
    std::strcpy(appState.verseText, "old verse");
    const MSG key{GetFocus(), c.message, c.key, c.held ? LPARAM{1} << 30 : 0, 0, {}};

    EXPECT_EQ(c.taken, TranslateCardKey(card, key)) << c.what;
    const HWND focus = GetFocus();
    EXPECT_EQ(c.focusAfter, focus == card ? 0 : GetDlgCtrlID(focus)) << c.what;
    EXPECT_EQ(c.newVerse, std::strcmp("old verse", appState.verseText) != 0) << c.what;
    EXPECT_EQ(c.visible, IsWindowVisible(card) != FALSE) << c.what;

    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    DestroyWindow(card);
    NextRow();
  }
}

// Ctrl+C on whatever has the focus: the passage, reference and attribution, one a line, with
// the curly quotes curly. Only Unicode text is put: the system makes the ANSI text in the
// reader's code page (Windows-1252 here). A clipboard another program holds a moment is
// waited for; one held longer gets a beep and is left as it was.
TEST_F(MainWindow, CtrlCCopiesTheVerse) {
  const HWND card = StartCard();
  ASSERT_NE(nullptr, card);
  std::strcpy(appState.verseText, "\x93Jesus wept.\x94\r");
  std::strcpy(appState.verseReference, "John 11:35\r");
  appState.translationCode = 1002;  // its own text, not a stand-in
  const ImportPatch put("user32.dll", "SetClipboardData", RecordClipboardFormat);
  const ImportPatch beep("user32.dll", "MessageBeep", CountBeep);
  ASSERT_TRUE(put.Found());
  ASSERT_TRUE(beep.Found());
  realSetClipboardData = put.Original<decltype(&SetClipboardData)>();
  struct Case {
    int focus;
    DWORD heldMs;  // by another thread, from before the key
    bool copied;
  };
  const Case cases[] = {{0, 0, true}, {CMD_NEXT_VERSE, 0, true}, {0, 60, true}, {0, 400, false}};
  for (const Case& c : cases) {
    const std::string what = std::to_string(c.focus) + ", held " + std::to_string(c.heldMs);
    const HWND target = c.focus ? GetDlgItem(card, c.focus) : card;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    clipboardFormats.clear();
    beeps = 0;
    ClipboardHolder holder{CreateEventA(nullptr, TRUE, FALSE, nullptr), c.heldMs};
    HANDLE thread = nullptr;
    if (c.heldMs > 0) {
      thread = CreateThread(nullptr, 0, HoldClipboard, &holder, 0, nullptr);
      ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(holder.opened, 5000)) << what;
    }

    EXPECT_TRUE(TranslateCardKey(card, MSG{target, WM_CHAR, 3, 0, 0, {}})) << what;
    if (thread != nullptr) {
      WaitForSingleObject(thread, 5000);
      CloseHandle(thread);
    }
    CloseHandle(holder.opened);
    EXPECT_EQ(c.copied ? 0 : 1, beeps) << what;
    EXPECT_EQ(c.copied ? std::vector<UINT>{CF_UNICODETEXT} : std::vector<UINT>{}, clipboardFormats)
        << what;
    ASSERT_TRUE(OpenClipboard(nullptr)) << what;
    const HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    const HANDLE bytes = GetClipboardData(CF_TEXT);
    EXPECT_EQ(std::wstring(c.copied ? L"\u201CJesus wept.\u201D\r\nJohn 11:35\r\n"
                                      L"*Taken from the King James Version"
                                    : L"(none)"),
              wide ? static_cast<const wchar_t*>(GlobalLock(wide)) : L"(none)")
        << what;
    EXPECT_EQ(std::string(c.copied ? "\x93Jesus wept.\x94\r\nJohn 11:35\r\n"
                                     "*Taken from the King James Version"
                                   : "(none)"),
              bytes ? static_cast<const char*>(GlobalLock(bytes)) : "(none)")
        << what;
    if (wide) GlobalUnlock(wide);
    if (bytes) GlobalUnlock(bytes);
    CloseClipboard();
  }
  DestroyWindow(card);
  NextRow();
}

// The whole program: no command line changes it, and a window that cannot be created
// ends it with 0 before it touches the registry or the notification area.
TEST_F(MainWindow, WinMainEndsWithZero) {
  struct Case {
    const char* commandLine;
    bool creationFails;
  };
  const Case cases[] = {
      {"", false}, {"/hide -x \"C:\\some where\"", false}, {"", true}, {"/s", true}};
  const ImportPatch com("ole32.dll", "CoInitializeEx", NoteCom);
  ASSERT_TRUE(com.Found());
  realCoInitializeEx = com.Original<decltype(&CoInitializeEx)>();
  realSetAwareness = RuntimeCalls().setProcessDpiAwarenessContext;
  RuntimeCalls().setProcessDpiAwarenessContext = NoteAwareness;
  for (const Case& c : cases) {
    const HHOOK hook = c.creationFails
                           ? SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId())
                           : nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, ExitFromTheLoop);
    cardSeen = false;
    comWhileRunning = E_FAIL;
    ASSERT_EQ(S_OK, ComOnThisThread()) << "COM left on the test's thread";
    std::string commandLine = c.commandLine;
    startOrder.clear();
    EXPECT_EQ(0, WinMain(GetModuleHandleA(nullptr), nullptr, &commandLine[0], SW_SHOWNORMAL))
        << "'" << c.commandLine << "'";
    KillTimer(nullptr, timer);
    if (hook != nullptr) UnhookWindowsHookEx(hook);

    EXPECT_EQ(!c.creationFails, cardSeen) << "'" << c.commandLine << "'";
    // The browser that Context starts may need COM; it ends with the program.
    EXPECT_EQ(c.creationFails ? E_FAIL : S_FALSE, comWhileRunning) << "'" << c.commandLine << "'";
    EXPECT_EQ(S_OK, ComOnThisThread()) << "'" << c.commandLine << "'";
    EXPECT_EQ(c.creationFails ? -1 : 4, SettingsValueCount()) << "'" << c.commandLine << "'";
    EXPECT_EQ(c.creationFails ? "missing" : AutostartCommand(), AutostartEntry(HKEY_CURRENT_USER))
        << "'" << c.commandLine << "'";
    EXPECT_FALSE(ShellDeletesIcon(appState.trayIcon.hWnd)) << "'" << c.commandLine << "'";
    // COM may make windows; the display awareness must hold from the first one.
    ASSERT_GE(startOrder.size(), 2u) << "'" << c.commandLine << "'";
    EXPECT_EQ("awareness", startOrder[0]) << "'" << c.commandLine << "'";

    NextRow();
  }
  RuntimeCalls().setProcessDpiAwarenessContext = realSetAwareness;
}

// Alt+"?" and Alt+"/" reach the card as CMD_ABOUT also when a clicked button has the
// keyboard focus; a key for a window outside the card is not the card's shortcut.
TEST(MessageLoop, ShortcutsAreTheCardsWhicheverOfItsWindowsHasTheKeys) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RecordCommands;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "LoopTestCard";
  RegisterClassA(&windowClass);
  HWND card = CreateWindowExA(0, "LoopTestCard", "", WS_POPUP, 0, 0, 350, 554, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
  HWND button =
      CreateWindowExA(0, "BUTTON", "Next verse", WS_CHILD | BS_OWNERDRAW, 147, 362, 46, 31, card,
                      reinterpret_cast<HMENU>(12002), windowClass.hInstance, nullptr);
  HWND other = CreateWindowExA(0, "LoopTestCard", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
  ASSERT_TRUE(card && button && other);
  HACCEL table = LoadAcceleratorsA(windowClass.hInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  ASSERT_NE(nullptr, table);
  const std::vector<std::pair<HWND, WPARAM>> about = {{card, MAKEWPARAM(104, 1)}};
  struct Case {
    const char* what;
    HWND target;
    WPARAM key;
    std::vector<std::pair<HWND, WPARAM>> expected;
  };
  const Case cases[] = {
      {"Alt+/ to the card", card, '/', about},
      {"Alt+? to a button", button, '?', about},
      {"Alt+/ to a button", button, '/', about},
      {"Alt+/ to another window", other, '/', {}},
  };
  // The table's entries ask for Alt, which the thread's key state must show as held.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_MENU] = 0x80;
  SetKeyboardState(keys);
  for (const Case& c : cases) {
    commandsSeen.clear();
    PostMessageA(c.target, WM_SYSCHAR, c.key, 0x20000001);  // bit 29: Alt is down
    PostQuitMessage(7);
    EXPECT_EQ(7, RunMessageLoop(card, table)) << c.what << ": the quit message's code";
    EXPECT_TRUE(c.expected == commandsSeen) << c.what << ": " << commandsSeen.size() << " commands";
  }
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
  DestroyWindow(other);
  DestroyWindow(card);
}

TEST(MessageLoop, EndsWithItsOwnCodeWhenMessagesCannotBeHad) {
  getMessageCalls = 0;
  const ImportPatch patch("user32.dll", "GetMessageA", FailingGetMessage);
  ASSERT_TRUE(patch.Found());
  EXPECT_EQ(MESSAGE_LOOP_FAILED_EXIT_CODE, RunMessageLoop(nullptr, nullptr));
  EXPECT_EQ(1, getMessageCalls) << "calls of GetMessageA";
}

// The card at each display scale WM_DPICHANGED brings: its own size at the suggested corner
// (the size suggested is wrong on purpose), or on this 1024 x 768 desktop, where the larger
// scales do not fit, the largest that does; buttons, verse font and picture at each scale.
TEST_F(MainWindow, TakesTheScaleOfItsDisplay) {
  struct Case {
    int dpi;
    SIZE client;
    int verseFont;
    RECT context, arrow, goForth;
    SIZE picture;
  };
  const Case cases[] = {
      {96,
       {344, 510},
       24,
       {15, 362, 100, 393},
       {147, 362, 193, 393},
       {247, 362, 332, 393},
       {342, 500}},
      {120,
       {430, 638},
       -26,
       {19, 453, 125, 492},
       {184, 453, 242, 492},
       {309, 453, 415, 492},
       {428, 625}},
      {144,
       {516, 765},
       -31,
       {23, 543, 151, 590},
       {221, 543, 290, 590},
       {371, 543, 499, 590},
       {513, 750}},
      {192,
       {688, 1020},
       -42,
       {30, 724, 200, 786},
       {294, 724, 386, 786},
       {494, 724, 664, 786},
       {684, 1000}},
  };
  const HWND card = StartCard();
  ASSERT_NE(nullptr, card);
  const ImportPatch record("gdi32.dll", "CreateFontA", RecordCreateFontA);
  ASSERT_TRUE(record.Found());
  realCreateFontA = record.Original<decltype(&CreateFontA)>();
  for (const Case& c : cases) {
    RECT suggested{40, 30, 41, 31};
    SendMessageA(card, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT outer{}, client{}, work{};
    GetWindowRect(card, &outer);
    GetClientRect(card, &client);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(40, outer.left) << c.dpi;
    EXPECT_EQ(30, outer.top) << c.dpi;
    const SIZE frame{outer.right - outer.left - client.right,
                     outer.bottom - outer.top - client.bottom};
    const auto fits = [&](int width, int height) {
      return width + frame.cx <= work.right - work.left &&
             height + frame.cy <= work.bottom - work.top;
    };
    const int used = CardDpi(card);
    if (fits(c.client.cx, c.client.cy)) {
      EXPECT_EQ(c.dpi, used);
      EXPECT_EQ(c.client.cx, client.right) << c.dpi;
      EXPECT_EQ(c.client.cy, client.bottom) << c.dpi;
    } else {
      EXPECT_TRUE(fits(client.right, client.bottom))
          << c.dpi << ": " << client.right << " x " << client.bottom;
      EXPECT_FALSE(fits(ScaledForDpi(CARD_CLIENT_WIDTH, used + 1),
                        ScaledForDpi(CARD_CLIENT_HEIGHT, used + 1)))
          << c.dpi << ": " << used;
      EXPECT_EQ(ScaledForDpi(CARD_CLIENT_HEIGHT, used), client.bottom) << c.dpi;
    }

    // At the row's own scale, whatever this desktop allows.
    SetCardDpi(card, c.dpi);
    PlaceCardButtons(card);
    const std::pair<int, RECT> buttons[] = {
        {CMD_CONTEXT, c.context}, {CMD_NEXT_VERSE, c.arrow}, {CMD_GO_FORTH, c.goForth}};
    for (const auto& [id, want] : buttons) {
      RECT seen{};
      GetWindowRect(GetDlgItem(card, id), &seen);
      MapWindowPoints(nullptr, card, reinterpret_cast<POINT*>(&seen), 2);
      EXPECT_TRUE(EqualRect(&want, &seen)) << c.dpi << ", button " << id << ": " << seen.left << ","
                                           << seen.top << "-" << seen.right << "," << seen.bottom;
    }
    fontHeights.clear();
    Canvas painted(c.client.cx, c.client.cy, UNTOUCHED);
    PaintCard(painted.dc, card);
    GdiFlush();
    ASSERT_FALSE(fontHeights.empty()) << c.dpi;
    EXPECT_EQ(c.verseFont, fontHeights.front()) << c.dpi;
    EXPECT_NE(UNTOUCHED, painted.At(c.picture.cx - 1, c.picture.cy - 1)) << c.dpi;
    EXPECT_EQ(UNTOUCHED, painted.At(c.picture.cx, 0)) << c.dpi;
    EXPECT_EQ(UNTOUCHED, painted.At(0, c.picture.cy)) << c.dpi;
  }
  DestroyWindow(card);
  NextRow();
}

// The screen reader's object at 100 % and 150 %: each text and button where the card draws
// it, found again by a hit test at its centre, navigation ending at both ends; a hidden card's
// object says so, and one kept after the window is gone answers that it is disconnected.
TEST_F(MainWindow, ScreenReaderFindsEachPartWhereItIsDrawn) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const HWND card = StartCard();
  ASSERT_NE(nullptr, card);
  const auto id = [](LONG value) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = value;
    return child;
  };
  IAccessible* object = nullptr;
  for (int dpi : {96, 144}) {
    SetWindowPos(card, nullptr, 0, 0, 1024, 800, SWP_NOZORDER | SWP_NOMOVE);
    SetCardDpi(card, dpi);
    PlaceCardButtons(card);
    ASSERT_EQ(S_OK,
              AccessibleObjectFromWindow(card, static_cast<DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&object)));
    HolidayList holidays{};
    FindNextHolidays(&holidays);
    std::vector<RECT> drawn;
    for (const CardText& text : CardTexts(appState.verseText, appState.verseReference,
                                          appState.translationCode, holidays, dpi)) {
      RECT box{text.box.left, text.box.top, text.box.right, text.box.bottom};
      MapWindowPoints(card, nullptr, reinterpret_cast<POINT*>(&box), 2);
      drawn.push_back(box);
    }
    for (unsigned button : CARD_BUTTONS_LEFT_TO_RIGHT) {
      drawn.emplace_back();
      GetWindowRect(GetDlgItem(card, static_cast<int>(button)), &drawn.back());
    }
    LONG count = 0;
    object->get_accChildCount(&count);
    ASSERT_EQ(static_cast<LONG>(drawn.size()), count) << dpi;
    RECT client{};
    GetClientRect(card, &client);
    MapWindowPoints(card, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (LONG i = 1; i <= count; ++i) {
      const RECT& want = drawn[static_cast<std::size_t>(i - 1)];
      LONG left = 0, top = 0, width = 0, height = 0;
      EXPECT_EQ(S_OK, object->accLocation(&left, &top, &width, &height, id(i)));
      const RECT seen{left, top, left + width, top + height};
      EXPECT_TRUE(EqualRect(&want, &seen))
          << dpi << " DPI, child " << i << ": " << top << " for " << want.top;
      const POINT centre{(want.left + want.right) / 2, (want.top + want.bottom) / 2};
      if (!PtInRect(&client, centre)) continue;  // below this desktop's largest window
      VARIANT hit;
      EXPECT_EQ(S_OK, object->accHitTest(centre.x, centre.y, &hit));
      EXPECT_EQ(i, hit.lVal) << dpi << " DPI, child " << i;
    }
    VARIANT end;
    EXPECT_EQ(S_FALSE, object->accNavigate(NAVDIR_PREVIOUS, id(1), &end));
    EXPECT_EQ(S_FALSE, object->accNavigate(NAVDIR_NEXT, id(count), &end));
    EXPECT_EQ(S_OK, object->accNavigate(NAVDIR_LASTCHILD, id(CHILDID_SELF), &end));
    EXPECT_EQ(count, end.lVal);
    if (dpi == 96) object->Release();
  }
  VARIANT state;
  for (bool shown : {true, false}) {
    ShowWindow(card, shown ? SW_SHOW : SW_HIDE);
    for (LONG child : {static_cast<LONG>(CHILDID_SELF), 1L, 8L}) {
      EXPECT_EQ(S_OK, object->get_accState(id(child), &state));
      EXPECT_EQ(!shown, (state.lVal & STATE_SYSTEM_INVISIBLE) != 0) << shown << " " << child;
    }
  }
  DestroyWindow(card);
  BSTR name = nullptr;
  EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accName(id(1), &name));
  EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accState(id(CHILDID_SELF), &state));
  object->Release();
  CoUninitialize();
  NextRow();
}
