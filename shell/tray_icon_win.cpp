#include "shell/tray_icon.h"

#include <cstddef>
#include <cstring>
#include <utility>

#include <shlwapi.h>

#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/handles.h"
#include "core/system_calls.h"
#include "resources/resource_ids.h"
#include "shell/shell_version.h"

namespace {

// Shells from 5.0 on read the record up to and including its item GUID; older ones stop
// before it. Newer headers append a balloon icon handle, which is left out on purpose.
constexpr std::uint32_t FULL_RECORD_SIZE = offsetof(NOTIFYICONDATAA, guidItem) + sizeof(GUID);
constexpr std::uint32_t OLDER_RECORD_SIZE = offsetof(NOTIFYICONDATAA, guidItem);
static_assert(sizeof(void*) != 4 || (FULL_RECORD_SIZE == 504 && OLDER_RECORD_SIZE == 488),
              "the 32-bit program hands the shell 504 or 488 bytes");

constexpr UINT TRAY_ICON_FLAGS = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// Icon events arrive as the mouse message itself in lParam.
constexpr LPARAM EVENT_LEFT_DOUBLE_CLICK = WM_LBUTTONDBLCLK;
constexpr LPARAM EVENT_RIGHT_BUTTON_DOWN = WM_RBUTTONDOWN;
constexpr LPARAM EVENT_CONTEXT_MENU = WM_CONTEXTMENU;

static_assert(sizeof(NOTIFYICONDATAA::szTip) == TRAY_TIP_CAPACITY,
              "the tip bound is the record's tip buffer");

// Whether the shell took our icon; a shell still starting at log-on can time out.
bool iconAdded = false;
bool shellShowsBalloons = false;

std::uint32_t TrayIconRecordSizeForThisShell() {
  OwnedModule shell(LoadSystemLibrary("shell32.dll"));
  if (!shell) ReportLastError("LoadLibraryExA");
  const std::uint64_t version = shell ? GetShellVersion(std::move(shell)) : 0;
  shellShowsBalloons = ShellShowsBalloons(version);
  return TrayIconRecordSize(version, FULL_RECORD_SIZE, OLDER_RECORD_SIZE);
}

// A balloon shows for at least this long, and longer while the user is away.
constexpr UINT BALLOON_TIMEOUT_MS = 10000;
bool addFailureReported = false;

void AppendMenuItem(HMENU menu, unsigned command, const char* text) {
  InsertMenuA(menu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, command, text);
}

}  // namespace

std::uint64_t GetShellVersion(OwnedModule module) {
  // Asked of each shell library itself: the version is the module's, not the system's.
  const auto getVersion = LibraryCallAs<DLLGETVERSIONPROC>(module.get(), "DllGetVersion");
  if (getVersion == nullptr) return 0;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  const HRESULT status = getVersion(&info);
  return ShellVersionFromReply(status, info.dwMajorVersion, info.dwMinorVersion);
}

void AddTrayIcon(HWND window, HINSTANCE instance) {
  NOTIFYICONDATAA& record = appState.trayIcon;
  std::memset(&record, 0, sizeof record);
  record.cbSize = TrayIconRecordSizeForThisShell();
  record.uID = TRAY_ICON_ID;
  record.uFlags = TRAY_ICON_FLAGS;
  record.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUILLANE), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  if (!record.hIcon) ReportLastError("LoadImageA");
  record.hWnd = window;
  record.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
  lstrcpynA(record.szTip, TRAY_TIP_TEXT, TRAY_TIP_CAPACITY);
  iconAdded = Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
  // A shell busy at log-on may time out and add the icon all the same; another add would
  // fail on the duplicate at every tick. The icon that can be modified is there.
  if (!iconAdded) iconAdded = Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
  // The one-minute tick tries again; one report says it, not one a minute.
  if (!iconAdded && !addFailureReported) {
    ReportLastError("Shell_NotifyIconA");
    addFailureReported = true;
  }
  // The shell keeps its own copy of the icon.
  if (record.hIcon && DestroyIcon(record.hIcon)) {
    record.hIcon = nullptr;
  }
}

void RetryTrayIcon(HWND window, HINSTANCE instance) {
  if (!iconAdded) AddTrayIcon(window, instance);
}

bool ShowHideTip() {
  if (!iconAdded || !shellShowsBalloons) return false;
  // A copy: the kept record adds the icon again as it was, without a balloon.
  NOTIFYICONDATAA balloon = appState.trayIcon;
  balloon.uFlags = NIF_INFO;
  lstrcpynA(balloon.szInfoTitle, HIDE_TIP_TITLE, sizeof balloon.szInfoTitle);
  lstrcpynA(balloon.szInfo, HIDE_TIP_TEXT, sizeof balloon.szInfo);
  balloon.uTimeout = BALLOON_TIMEOUT_MS;
  balloon.dwInfoFlags = NIIF_INFO;
  if (!Shell_NotifyIconA(NIM_MODIFY, &balloon)) {
    ReportLastError("Shell_NotifyIconA");
    return false;
  }
  return true;
}

void RemoveTrayIcon() {
  iconAdded = false;
  appState.trayIcon.uFlags = 0;
  if (!Shell_NotifyIconA(NIM_DELETE, &appState.trayIcon)) ReportLastError("Shell_NotifyIconA");
}

UINT TaskbarCreatedMessage() {
  // Registered at the card's first message, during start-up; the window procedure asks
  // for it with every message it does not handle itself.
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

void ReAddTrayIcon(HWND window, HINSTANCE instance) {
  // The message also comes while our icon is still there (newer shells send it when the
  // screen's scale changes): an add alone would fail on the duplicate and keep the old
  // image, so the icon is deleted first and added afresh at the current small-icon size.
  RemoveTrayIcon();
  AddTrayIcon(window, instance);
}

void OnTrayIconEvent(HWND window, LPARAM event) {
  switch (event) {
    case EVENT_RIGHT_BUTTON_DOWN:
    case EVENT_CONTEXT_MENU: ShowTrayMenu(window); break;
    case EVENT_LEFT_DOUBLE_CLICK:
      // Sent, not done here: the main window's CMD_TRAY_SHOW is the one way to show it.
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(CMD_TRAY_SHOW, 0), 0);
      break;
    default: break;
  }
}

void ShowTrayMenu(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  const OwnedMenu menu(CreatePopupMenu());
  if (!menu) {
    ReportLastError("CreatePopupMenu");
    return;
  }
  // A minimised card is visible to the system but not to the user: offer Show.
  if (IsWindowVisible(window) && !IsIconic(window)) {
    AppendMenuItem(menu.get(), CMD_TRAY_HIDE, "Hide");
  } else {
    AppendMenuItem(menu.get(), CMD_TRAY_SHOW, "Show");
  }
  AppendMenuItem(menu.get(), CMD_TRAY_EXIT, "Exit");
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(window);
  TrackPopupMenu(menu.get(), TPM_BOTTOMALIGN | TPM_LEFTALIGN, cursor.x, cursor.y, 0, window,
                 nullptr);
  // A notification icon's menu must be followed by a message to its window, or the next
  // one may close as soon as it opens.
  PostMessageA(window, WM_NULL, 0, 0);
}
