#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include <shlwapi.h>

#include "resources/resource_ids.h"
#include "core/app_state.h"
#include "core/handles.h"
#include "tests/win32/import_patch.h"
#include "shell/shell_version.h"
#include "shell/tray_icon.h"
#include "tests/win32/shell/tray_icon_probe.h"

namespace {

// What the owner window saw: commands, and each menu as it was about to open.
struct SeenMenu {
  std::vector<std::string> texts;
  std::vector<UINT> ids;
  std::vector<UINT> states;
  HWND foreground;
};

struct OwnerLog {
  std::vector<WPARAM> commands;
  std::vector<SeenMenu> menus;
  // Items to step down before Enter when a menu opens; 0 dismisses it with Escape.
  int chooseItem = 0;
  bool neededRescue = false;
  // WM_NULL after the menu: without it the icon's next menu may close at once.
  int nulls = 0;
};

OwnerLog ownerLog;

void PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

SeenMenu ReadMenu(HMENU menu) {
  SeenMenu seen{};
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[64];
    std::memset(text, 0xBD, sizeof text);
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    seen.texts.emplace_back(text);
    seen.ids.push_back(GetMenuItemID(menu, i));
    seen.states.push_back(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION));
  }
  seen.foreground = GetForegroundWindow();
  return seen;
}

// Ends a menu that the keys did not close, so a fault fails the test instead of hanging it.
void CALLBACK RescueMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  ownerLog.neededRescue = true;
  EndMenu();
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: ownerLog.commands.push_back(wParam); return 0;
    case WM_NULL: ++ownerLog.nulls; return 0;
    case WM_INITMENUPOPUP:
      ownerLog.menus.push_back(ReadMenu(reinterpret_cast<HMENU>(wParam)));
      for (int i = 0; i < ownerLog.chooseItem; ++i) PostKey(window, VK_DOWN);
      PostKey(window, ownerLog.chooseItem > 0 ? VK_RETURN : VK_ESCAPE);
      SetTimer(nullptr, 0, 3000, RescueMenu);
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

int registrations = 0;
decltype(&RegisterWindowMessageA) realRegister = nullptr;

UINT WINAPI CountRegistration(LPCSTR name) {
  ++registrations;
  return realRegister(name);
}

int lastRefused = 0;

BOOL WINAPI RefuseIcon(DWORD, PNOTIFYICONDATAA) {
  ++lastRefused;
  SetLastError(ERROR_TIMEOUT);
  return FALSE;
}

// A shell library of the given version, as its DllGetVersion answers; 0 passes it on.
DWORD fakeShellMajor = 0;
decltype(&GetProcAddress) realGetProcAddress = nullptr;

HRESULT CALLBACK FakeDllGetVersion(DLLVERSIONINFO* info) {
  info->dwMajorVersion = fakeShellMajor;
  info->dwMinorVersion = 71;
  return S_OK;
}

FARPROC WINAPI FindFakeDllGetVersion(HMODULE module, LPCSTR name) {
  if (fakeShellMajor != 0 && reinterpret_cast<ULONG_PTR>(name) > 0xFFFF &&
      std::strcmp(name, "DllGetVersion") == 0) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeDllGetVersion));
  }
  return realGetProcAddress(module, name);
}

std::vector<DWORD> balloonFlags;
decltype(&Shell_NotifyIconA) realNotifyIcon = nullptr;

BOOL WINAPI RecordNotifyIcon(DWORD message, PNOTIFYICONDATAA record) {
  if (record->uFlags & NIF_INFO) balloonFlags.push_back(record->dwInfoFlags);
  return realNotifyIcon(message, record);
}

// A shell that adds the icon but answers too late: the call fails all the same.
decltype(&Shell_NotifyIconA) realAdd = nullptr;

BOOL WINAPI AddButTimeOut(DWORD message, PNOTIFYICONDATAA record) {
  const BOOL done = realAdd(message, record);
  if (message != NIM_ADD) return done;
  SetLastError(ERROR_TIMEOUT);
  return FALSE;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

OwnedWindow MakeOwner(bool visible) {
  static const ATOM atom = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuillaneTrayTestOwner";
    return RegisterClassA(&windowClass);
  }();
  EXPECT_NE(0, atom);
  HWND window = CreateWindowExA(0, "QuillaneTrayTestOwner", "tray owner",
                                WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 10, 10, 200, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(nullptr, window);
  PumpMessages();
  ownerLog = OwnerLog{};
  return OwnedWindow(window);
}

bool AllBytesZero(const void* start, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(start);
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

// The record through its item GUID (504 bytes in the 32-bit program) for a shell of 5.0
// or later, which Wine's is.
constexpr std::uint32_t EXPECTED_RECORD_SIZE = sizeof(void*) == 4 ? 504 : 520;

}  // namespace

TEST(TrayIcon, AddFillsTheRecordAndTheShellShowsTheIcon) {
  const OwnedWindow owner = MakeOwner(false);
  std::memset(&appState.trayIcon, 0xBD, sizeof appState.trayIcon);

  AddTrayIcon(owner.get(), GetModuleHandleA(nullptr));

  const NOTIFYICONDATAA& record = appState.trayIcon;
  EXPECT_EQ(EXPECTED_RECORD_SIZE, record.cbSize);
  EXPECT_EQ(owner.get(), record.hWnd);
  EXPECT_EQ(1u, record.uID);
  EXPECT_EQ(7u, record.uFlags);
  EXPECT_EQ(0x8000u, record.uCallbackMessage);
  EXPECT_EQ(nullptr, record.hIcon) << "the icon handle is released once the shell has it";
  EXPECT_STREQ("Quillane", record.szTip);
  EXPECT_TRUE(AllBytesZero(record.szTip + 9, sizeof record.szTip - 9)) << "tip tail";
  EXPECT_TRUE(AllBytesZero(&record.dwState, sizeof record - offsetof(NOTIFYICONDATAA, dwState)))
      << "state, balloon text, version, GUID";
  EXPECT_TRUE(ShellHasIcon(owner.get()));

  RemoveTrayIcon();
  EXPECT_EQ(0u, appState.trayIcon.uFlags);
  EXPECT_EQ(owner.get(), appState.trayIcon.hWnd);
  EXPECT_FALSE(ShellHasIcon(owner.get())) << "removed without an icon handle";
}

TEST(TrayIcon, EachWindowHasItsOwnIconWithTheSameId) {
  const OwnedWindow first = MakeOwner(false);
  const OwnedWindow second = MakeOwner(false);
  AddTrayIcon(first.get(), GetModuleHandleA(nullptr));
  AddTrayIcon(second.get(), GetModuleHandleA(nullptr));
  EXPECT_TRUE(ShellHasIcon(first.get()));
  EXPECT_TRUE(ShellHasIcon(second.get()));
  RemoveTrayIcon();
  EXPECT_TRUE(ShellHasIcon(first.get()));
  EXPECT_FALSE(ShellHasIcon(second.get()));
  EXPECT_TRUE(ShellDeletesIcon(first.get()));
}

TEST(TrayIcon, ComesBackAfterTheTaskBarForgotIt) {
  registrations = 0;
  UINT message = 0;
  {
    const ImportPatch patch("user32.dll", "RegisterWindowMessageA", CountRegistration);
    ASSERT_TRUE(patch.Found());
    realRegister = patch.Original<decltype(&RegisterWindowMessageA)>();
    message = TaskbarCreatedMessage();
    EXPECT_EQ(message, TaskbarCreatedMessage()) << "the same message every time";
  }
  EXPECT_GE(message, 0xC000u) << "a registered message";
  EXPECT_LE(message, 0xFFFFu);
  // The window procedure asks for it with most messages it receives.
  EXPECT_LE(registrations, 1) << "registered once";

  const OwnedWindow owner = MakeOwner(false);
  AddTrayIcon(owner.get(), GetModuleHandleA(nullptr));
  ASSERT_TRUE(ShellDeletesIcon(owner.get())) << "the shell lost the icon";
  ReAddTrayIcon(owner.get(), GetModuleHandleA(nullptr));
  EXPECT_TRUE(ShellHasIcon(owner.get()));
  EXPECT_EQ(EXPECTED_RECORD_SIZE, appState.trayIcon.cbSize);
  EXPECT_EQ(7u, appState.trayIcon.uFlags);
  EXPECT_EQ(nullptr, appState.trayIcon.hIcon);

  // Announced again while the icon is still there: still exactly one icon.
  ReAddTrayIcon(owner.get(), GetModuleHandleA(nullptr));
  EXPECT_TRUE(ShellDeletesIcon(owner.get()));
  EXPECT_FALSE(ShellDeletesIcon(owner.get())) << "a second icon was left behind";

  // A shell that times out at log-on announces nothing later: the tick tries again, once
  // the icon is there no more.
  {
    const ImportPatch refuse("shell32.dll", "Shell_NotifyIconA", RefuseIcon);
    ASSERT_TRUE(refuse.Found());
    AddTrayIcon(owner.get(), GetModuleHandleA(nullptr));
    RetryTrayIcon(owner.get(), GetModuleHandleA(nullptr));
  }
  EXPECT_FALSE(ShellHasIcon(owner.get()));
  RetryTrayIcon(owner.get(), GetModuleHandleA(nullptr));
  RetryTrayIcon(owner.get(), GetModuleHandleA(nullptr));
  EXPECT_TRUE(ShellDeletesIcon(owner.get()));
  EXPECT_FALSE(ShellDeletesIcon(owner.get())) << "a second icon was added";

  // One that times out but adds the icon all the same: the icon counts as added, and the
  // tick adds no other (which would fail on the duplicate minute after minute).
  {
    const ImportPatch late("shell32.dll", "Shell_NotifyIconA", AddButTimeOut);
    ASSERT_TRUE(late.Found());
    realAdd = late.Original<decltype(&Shell_NotifyIconA)>();
    AddTrayIcon(owner.get(), GetModuleHandleA(nullptr));
  }
  {
    const ImportPatch count("shell32.dll", "Shell_NotifyIconA", RefuseIcon);
    lastRefused = 0;
    RetryTrayIcon(owner.get(), GetModuleHandleA(nullptr));
    EXPECT_EQ(0, lastRefused) << "calls of the shell at the next tick";
  }
  EXPECT_TRUE(ShellDeletesIcon(owner.get()));
}

// The hide tip is a balloon at the icon, an information one, on shells that have them (5.0
// on); none on older shells, nor while the shell does not hold the icon.
TEST(TrayIcon, HideTipOnlyWhereTheShellShowsBalloons) {
  const ImportPatch find("kernel32.dll", "GetProcAddress", FindFakeDllGetVersion);
  const ImportPatch notify("shell32.dll", "Shell_NotifyIconA", RecordNotifyIcon);
  ASSERT_TRUE(find.Found());
  ASSERT_TRUE(notify.Found());
  realGetProcAddress = find.Original<decltype(&GetProcAddress)>();
  realNotifyIcon = notify.Original<decltype(&Shell_NotifyIconA)>();
  struct Case {
    DWORD shellMajor;
    bool iconThere, shown;
  };
  const Case cases[] = {{5, true, true}, {6, true, true}, {4, true, false}, {6, false, false}};
  for (const Case& c : cases) {
    const OwnedWindow owner = MakeOwner(false);
    fakeShellMajor = c.shellMajor;
    AddTrayIcon(owner.get(), GetModuleHandleA(nullptr));
    fakeShellMajor = 0;
    if (!c.iconThere) RemoveTrayIcon();
    balloonFlags.clear();
    EXPECT_EQ(c.shown, ShowHideTip()) << c.shellMajor << (c.iconThere ? "" : ", no icon");
    EXPECT_EQ(c.shown ? std::vector<DWORD>{NIIF_INFO} : std::vector<DWORD>{}, balloonFlags)
        << c.shellMajor;
    EXPECT_EQ(0u, appState.trayIcon.uFlags & NIF_INFO) << "the kept record asks for no balloon";
    RemoveTrayIcon();
  }
}

TEST(TrayIcon, ShellVersionOfRealLibraries) {
  const HMODULE shell = LoadLibraryA("shell32.dll");
  ASSERT_NE(nullptr, shell);
  const std::uint64_t version = GetShellVersion(OwnedModule(shell));
  EXPECT_GE(version, PackShellVersion(5, 0)) << std::hex << version;
  EXPECT_EQ(0u, version & 0xFFFFFFFFu) << "build and revision are left out";

  const HMODULE kernel = LoadLibraryA("kernel32.dll");
  ASSERT_NE(nullptr, kernel);
  EXPECT_EQ(0u, GetShellVersion(OwnedModule(kernel))) << "no DllGetVersion";
}

TEST(TrayIcon, ShellVersionTakesTheReplyOnlyOnSuccess) {
  // Our own reference keeps the stand-in loaded while GetShellVersion loads and frees it.
  const HMODULE held = LoadLibraryA(QUILLANE_FAKE_SHELL);
  ASSERT_NE(nullptr, held);
  using SetReply = void(CALLBACK*)(HRESULT, DWORD, DWORD);
  using LastRequest = LONG(CALLBACK*)(DLLVERSIONINFO*);
  const auto setReply = reinterpret_cast<SetReply>(
      reinterpret_cast<void (*)()>(GetProcAddress(held, "FakeShellSetReply")));
  const auto lastRequest = reinterpret_cast<LastRequest>(
      reinterpret_cast<void (*)()>(GetProcAddress(held, "FakeShellLastRequest")));
  ASSERT_NE(nullptr, setReply);
  ASSERT_NE(nullptr, lastRequest);

  struct Case {
    HRESULT status;
    DWORD major, minor;
    std::uint64_t expected;
  };
  const Case cases[] = {
      {S_OK, 4, 71, PackShellVersion(4, 71)},
      {S_OK, 5, 0, PackShellVersion(5, 0)},
      {S_OK, 5, 80, PackShellVersion(5, 80)},
      {S_FALSE, 6, 0, PackShellVersion(6, 0)},
      {E_FAIL, 6, 0, 0},
      {E_INVALIDARG, 5, 80, 0},
      {E_NOTIMPL, 4, 71, 0},
  };
  for (const Case& c : cases) {
    setReply(c.status, c.major, c.minor);
    EXPECT_EQ(c.expected, GetShellVersion(OwnedModule(LoadLibraryA(QUILLANE_FAKE_SHELL))))
        << "status 0x" << std::hex << c.status << " version " << std::dec << c.major << "."
        << c.minor;
    DLLVERSIONINFO request;
    std::memset(&request, 0xBD, sizeof request);
    EXPECT_EQ(1, lastRequest(&request)) << "one call";
    EXPECT_EQ(20u, request.cbSize);
    EXPECT_EQ(0u, request.dwMajorVersion);
    EXPECT_EQ(0u, request.dwMinorVersion);
    EXPECT_EQ(0u, request.dwBuildNumber);
    EXPECT_EQ(0u, request.dwPlatformID);
  }
  FreeLibrary(held);
  EXPECT_EQ(nullptr, GetModuleHandleA(QUILLANE_FAKE_SHELL))
      << "every reference GetShellVersion was handed is released";
}

TEST(TrayIcon, ShellVersionReleasesAModuleWithoutTheEntryPoint) {
  const char* const name = "msimg32.dll";
  ASSERT_EQ(nullptr, GetModuleHandleA(name)) << "not loaded by anything else";
  EXPECT_EQ(0u, GetShellVersion(OwnedModule(LoadLibraryA(name))));
  EXPECT_EQ(nullptr, GetModuleHandleA(name));
}

TEST(TrayIcon, EventsOpenTheMenuOrShowTheCard) {
  struct Case {
    LPARAM event;
    const char* what;
    bool opensMenu;
    bool showsCard;
  };
  const Case cases[] = {
      {WM_MOUSEMOVE, "mouse move", false, false},
      {WM_LBUTTONDOWN, "left press", false, false},
      {WM_LBUTTONUP, "left release", false, false},
      {WM_LBUTTONDBLCLK, "left double click", false, true},
      {WM_RBUTTONDOWN, "right press", true, false},
      {WM_RBUTTONUP, "right release", false, false},
      {WM_RBUTTONDBLCLK, "right double click", false, false},
      {WM_CONTEXTMENU, "context menu", true, false},
      {WM_MBUTTONDOWN, "middle press", false, false},
      {0x400, "keyboard select", false, false},
  };
  for (const Case& c : cases) {
    const OwnedWindow owner = MakeOwner(true);
    OnTrayIconEvent(owner.get(), c.event);
    PumpMessages();
    EXPECT_EQ(c.opensMenu ? 1u : 0u, ownerLog.menus.size()) << c.what;
    if (c.showsCard) {
      EXPECT_EQ(std::vector<WPARAM>{CMD_TRAY_SHOW}, ownerLog.commands) << c.what;
    } else {
      EXPECT_TRUE(ownerLog.commands.empty()) << c.what;
    }
    EXPECT_FALSE(ownerLog.neededRescue) << c.what;
  }
}

TEST(TrayIcon, MenuOffersHideOrShowByTheWindowsVisibilityThenExit) {
  struct Case {
    bool visible;
    const char* first;
    UINT firstId;
  };
  const Case cases[] = {{true, "Hide", CMD_TRAY_HIDE}, {false, "Show", CMD_TRAY_SHOW}};
  for (const Case& c : cases) {
    const OwnedWindow owner = MakeOwner(c.visible);
    ShowTrayMenu(owner.get());
    PumpMessages();
    EXPECT_EQ(1, ownerLog.nulls) << c.first;
    if (!c.visible) {
      // Minimised, the card is visible to the system and to nobody else: Show again.
      ShowWindow(owner.get(), SW_SHOWMINNOACTIVE);
      ownerLog.menus.clear();
      ShowTrayMenu(owner.get());
    }
    PumpMessages();
    ASSERT_EQ(1u, ownerLog.menus.size()) << c.first;
    const SeenMenu& menu = ownerLog.menus[0];
    EXPECT_EQ((std::vector<std::string>{c.first, "Exit"}), menu.texts) << c.first;
    EXPECT_EQ((std::vector<UINT>{c.firstId, CMD_TRAY_EXIT}), menu.ids) << c.first;
    EXPECT_EQ((std::vector<UINT>{MF_STRING, MF_STRING}), menu.states)
        << c.first << ": plain enabled items, unchecked, no default";
    EXPECT_EQ(owner.get(), menu.foreground) << c.first << ": the owner comes to the front";
    EXPECT_TRUE(ownerLog.commands.empty()) << c.first << ": dismissed, no command";
    EXPECT_FALSE(ownerLog.neededRescue) << c.first;
  }
}

TEST(TrayIcon, MenuChoiceComesBackAsACommandToTheOwner) {
  struct Case {
    bool visible;
    int item;
    WPARAM expected;
  };
  const Case cases[] = {{true, 1, CMD_TRAY_HIDE},
                        {true, 2, CMD_TRAY_EXIT},
                        {false, 1, CMD_TRAY_SHOW},
                        {false, 2, CMD_TRAY_EXIT}};
  for (const Case& c : cases) {
    const OwnedWindow owner = MakeOwner(c.visible);
    ownerLog.chooseItem = c.item;
    ShowTrayMenu(owner.get());
    PumpMessages();
    EXPECT_EQ(std::vector<WPARAM>{c.expected}, ownerLog.commands)
        << "item " << c.item << (c.visible ? " of a visible" : " of a hidden") << " window";
    EXPECT_FALSE(ownerLog.neededRescue) << "item " << c.item;
  }
}

TEST(TrayIcon, MenuIsDestroyedAfterItCloses) {
  const OwnedWindow owner = MakeOwner(true);
  HMENU seen = nullptr;
  // The menu handle is only known inside the owner's procedure: catch it there.
  struct Catcher {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_INITMENUPOPUP) {
        *reinterpret_cast<HMENU*>(GetPropA(window, "menu")) = reinterpret_cast<HMENU>(wParam);
      }
      return OwnerProc(window, message, wParam, lParam);
    }
  };
  SetPropA(owner.get(), "menu", &seen);
  SetWindowLongPtrA(owner.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Catcher::Proc));
  ShowTrayMenu(owner.get());
  PumpMessages();
  RemovePropA(owner.get(), "menu");
  ASSERT_NE(nullptr, seen);
  EXPECT_FALSE(IsMenu(seen)) << "the menu is built anew each time and destroyed after";
}
