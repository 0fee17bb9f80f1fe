// qdriver: drives a running Quillane.exe from outside, as a user's tools would.
// Each call does one thing and prints what it saw; the exit code says whether it worked.
//
//   qdriver wait CLASS MS            wait until a top-level window of CLASS exists
//   qdriver wait-visible CLASS MS    ... and is visible
//   qdriver wait-hidden CLASS MS     ... exists and is hidden
//   qdriver wait-gone CLASS MS       wait until no window of CLASS is left
//   qdriver count CLASS              number of top-level windows of CLASS
//   qdriver rect CLASS               "left top width height visible" of the first one
//   qdriver client CLASS             "left top width height" of its client area on screen
//   qdriver post CLASS MSG WP LP     PostMessage to every window of CLASS (numbers: dec or 0x)
//   qdriver send CLASS MSG WP LP     SendMessage to the first, prints the result
//   qdriver command CLASS ID         post WM_COMMAND with ID
//   qdriver child-text CLASS ID      the window text of the first one's control ID
//   qdriver wait-window TITLE MS     wait for a top-level window with that exact title
//   qdriver close-window TITLE       post WM_COMMAND IDCANCEL to the window with that title
//   qdriver tray-icons CLASS         how many windows of CLASS have a notification icon (uID 1)
//   qdriver hwnds CLASS              the handles of all windows of CLASS, one a line (hex)
//   qdriver post-hwnd HWND MSG WP LP PostMessage to one window by handle
//   qdriver client-hwnd HWND         like client, for one window by handle
//   qdriver tray-icon-hwnd HWND      1 when that window (alive or not) still has its icon
//   qdriver dlg-send TITLE ID MSG WP LP   SendDlgItemMessage in the dialog TITLE, prints result
//   qdriver dlg-command TITLE ID     post WM_COMMAND ID to the dialog TITLE
//   qdriver windows                  lists the visible top-level windows: class, title, rect
//   qdriver wait-text TEXT MS        wait for a visible window or control with that exact text,
//                                    prints its handle
//   qdriver hold FILE MS             opens FILE for reading, others may only read it, prints
//                                    "held" and keeps it so for MS milliseconds
//   qdriver reg ROOT SUBKEY VALUE    prints "dword N", "sz TEXT" (UTF-8), "type T size N" or
//                                    "missing"
//   qdriver one-card SRC DST         DST: the program SRC with one picture and one passage
//   qdriver reg-set ROOT SUBKEY VALUE N      writes a REG_DWORD (creating the key)
//   qdriver reg-delete ROOT SUBKEY [VALUE]   deletes a value, or the whole key
//   qdriver now [CLASS MSG WP LP]   local time "YYYY-MM-DDTHH:MM:SS.mmm" as programs read it;
//                                   with a message, the times just before and after the first
//                                   window of CLASS handled it (SendMessage)
//   qdriver read CLASS               the first one's parts as a screen reader reads them
//                                    (AccessibleObjectFromWindow): "role|name" a line, UTF-8
//   qdriver hover X Y                what a screen reader finds at that point of the screen
//                                    (AccessibleObjectFromPoint): "role|name", UTF-8
//   qdriver focus CLASS              the control id that has the first one's keyboard focus
//   qdriver name-change CLASS MS     waits for the first one's passage (child 1) to announce
//                                    a new name (EVENT_OBJECT_NAMECHANGE); prints "ready" first
//   qdriver clipboard                the clipboard's Unicode text, UTF-8
//   qdriver linger MS                a card slow to leave: a window of the card's class that
//                                    goes at any WM_COMMAND, and the process MS ms later
// ROOT is HKLM or HKCU, in the driver's own registry view; with QDRIVER_VIEW=32 in the
// 32-bit view, the one a 32-bit program sees.
#include <windows.h>
#include <oleacc.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

std::vector<HWND> WindowsOfClass(const char* className) {
  std::vector<HWND> found;
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
    found.push_back(window);
  }
  return found;
}

unsigned long Number(const char* text) { return std::strtoul(text, nullptr, 0); }

template <typename Ready>
bool WaitFor(unsigned long milliseconds, Ready ready) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (ready()) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    Sleep(50);
  }
}

HKEY Root(const char* name) {
  if (std::strcmp(name, "HKCU") == 0) return HKEY_CURRENT_USER;
  return HKEY_LOCAL_MACHINE;
}

REGSAM View() {
  const char* view = std::getenv("QDRIVER_VIEW");
  return view != nullptr && std::strcmp(view, "32") == 0 ? KEY_WOW64_32KEY : 0;
}

// Strings are read wide and printed in UTF-8, so a path outside the ANSI code page shows
// as it is stored.
int Reg(const char* root, const char* subkey, const char* value) {
  HKEY key;
  if (RegOpenKeyExA(Root(root), subkey, 0, KEY_QUERY_VALUE | View(), &key) != ERROR_SUCCESS) {
    std::puts("missing");
    return 1;
  }
  wchar_t name[256] = {};
  MultiByteToWideChar(CP_ACP, 0, value, -1, name, 255);
  wchar_t data[1024] = {};
  DWORD type = 0;
  DWORD size = sizeof data - sizeof(wchar_t);
  const LONG status =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) {
    std::puts("missing");
    return 1;
  }
  if (type == REG_DWORD && size == 4) {
    DWORD number;
    std::memcpy(&number, data, 4);
    std::printf("dword %lu\n", static_cast<unsigned long>(number));
  } else if (type == REG_SZ) {
    char text[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, data, -1, text, sizeof text - 1, nullptr, nullptr);
    std::printf("sz %s\n", text);
  } else {
    std::printf("type %lu size %lu\n", static_cast<unsigned long>(type),
                static_cast<unsigned long>(size));
  }
  return 0;
}

// Makes DST, a copy of the program SRC whose card can only be one: every picture is the
// first one and collection 150 holds one passage with curly quotes, so two runs paint
// the same pixels.
int OneCard(const char* source, const char* target) {
  if (!CopyFileA(source, target, FALSE)) return 1;
  const HMODULE program = LoadLibraryExA(source, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const HRSRC picture = FindResourceA(program, MAKEINTRESOURCEA(131), "IMAGE");
  const HGLOBAL loaded = picture ? LoadResource(program, picture) : nullptr;
  if (loaded == nullptr) return 1;
  const void* bytes = LockResource(loaded);
  const DWORD size = SizeofResource(program, picture);
  static char passage[] =
      "\x93God\x92s image,\x94 he said \x96 \x91in the beginning\x92.\r\nGenesis 1:27\r\n";
  HANDLE update = BeginUpdateResourceA(target, FALSE);
  bool ok = update != nullptr;
  for (int id = 131; ok && id <= 138; ++id) {
    ok = UpdateResourceA(update, "IMAGE", MAKEINTRESOURCEA(id),
                         MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), const_cast<void*>(bytes),
                         size);
  }
  ok = ok &&
       UpdateResourceA(update, "VERSES", MAKEINTRESOURCEA(150),
                       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), passage, sizeof passage - 1);
  ok = EndUpdateResourceA(update, !ok) && ok;
  FreeLibrary(program);
  return ok ? 0 : 1;
}

// A wizard's pages have no title of their own; their controls' texts tell them apart.
struct TextSearch {
  const char* text;
  HWND found;
};

BOOL CALLBACK CheckText(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TextSearch*>(data);
  char seen[256] = {};
  GetWindowTextA(window, seen, sizeof seen);
  if (IsWindowVisible(window) && std::strcmp(seen, search->text) == 0) search->found = window;
  return search->found == nullptr;
}

BOOL CALLBACK CheckTextBelow(HWND window, LPARAM data) {
  EnumChildWindows(window, CheckText, data);
  return reinterpret_cast<TextSearch*>(data)->found == nullptr;
}

std::string Utf8(const wchar_t* text) {
  if (text == nullptr) return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &bytes[0], size, nullptr, nullptr);
  bytes.pop_back();
  return bytes;
}

const char* RoleName(long role) {
  switch (role) {
    case ROLE_SYSTEM_STATICTEXT: return "text";
    case ROLE_SYSTEM_PUSHBUTTON: return "button";
    default: return "other";
  }
}

// "role|name" of `child` of `object`.
void PrintPart(IAccessible* object, VARIANT child) {
  BSTR name = nullptr;
  VARIANT role;
  VariantInit(&role);
  object->get_accName(child, &name);
  object->get_accRole(child, &role);
  std::printf("%s|%s\n", RoleName(role.vt == VT_I4 ? role.lVal : 0), Utf8(name).c_str());
  SysFreeString(name);
}

// Simple elements and child objects alike, by asking the parent about each child id.
int ReadAccessible(HWND window) {
  if (window == nullptr || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IAccessible* card = nullptr;
  const HRESULT status =
      AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&card));
  if (FAILED(status)) {
    std::fprintf(stderr, "AccessibleObjectFromWindow: 0x%08lx\n",
                 static_cast<unsigned long>(status));
    return 1;
  }
  long count = 0;
  card->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  long got = 0;
  AccessibleChildren(card, 0, count, children.data(), &got);
  for (long i = 0; i < got; ++i) {
    VARIANT child = children[static_cast<std::size_t>(i)];
    IAccessible* object = card;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    if (child.vt == VT_DISPATCH && child.pdispVal != nullptr) {
      child.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&object));
      child = self;  // CHILDID_SELF of the child's own object
    }
    PrintPart(object, child);
    if (object != card) object->Release();
    VariantClear(&children[static_cast<std::size_t>(i)]);
  }
  card->Release();
  CoUninitialize();
  return 0;
}

int Hover(long x, long y) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IAccessible* object = nullptr;
  VARIANT child;
  VariantInit(&child);
  if (FAILED(AccessibleObjectFromPoint({x, y}, &object, &child))) return 1;
  PrintPart(object, child);
  object->Release();
  CoUninitialize();
  return 0;
}

HWND watched = nullptr;
bool announced = false;

void CALLBACK NoteNameChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                             DWORD) {
  if (window == watched && object == OBJID_CLIENT && child == 1) announced = true;
}

int WaitForNameChange(HWND window, unsigned long milliseconds) {
  if (window == nullptr) return 1;
  watched = window;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, NoteNameChange,
                      process, 0, WINEVENT_OUTOFCONTEXT);
  if (hook == nullptr) return 1;
  std::puts("ready");
  std::fflush(stdout);
  // Out-of-context events arrive as messages to this thread.
  WaitFor(milliseconds, [] {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return announced;
  });
  UnhookWinEvent(hook);
  return announced ? 0 : 1;
}

int PrintClipboard() {
  if (!OpenClipboard(nullptr)) return 1;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (text != nullptr) {
    std::printf("%s\n", Utf8(text).c_str());
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text != nullptr ? 0 : 1;
}

LRESULT CALLBACK LingerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) DestroyWindow(window);
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

// Run as an installed Quillane.exe, it holds that file for MS after its window is gone.
int Linger(unsigned long milliseconds) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = LingerProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = QUILLANE_WINDOW_CLASS;
  if (!RegisterClassA(&windowClass) ||
      !CreateWindowA(QUILLANE_WINDOW_CLASS, "Quillane", WS_POPUP | WS_VISIBLE, 0, 0, 120, 80,
                     nullptr, nullptr, windowClass.hInstance, nullptr)) {
    return 1;
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  Sleep(static_cast<DWORD>(milliseconds));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "now") == 0) {
    auto print = [](char end) {
      SYSTEMTIME t;
      GetLocalTime(&t);
      std::printf("%04u-%02u-%02uT%02u:%02u:%02u.%03u%c", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, t.wMilliseconds, end);
    };
    if (argc != 6) {
      print('\n');
      return 0;
    }
    HWND window = FindWindowA(argv[2], nullptr);
    if (!window) return 1;
    print(' ');
    SendMessageA(window, static_cast<UINT>(Number(argv[3])), Number(argv[4]),
                 static_cast<LPARAM>(Number(argv[5])));
    print('\n');
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "clipboard") == 0) return PrintClipboard();
  if (argc < 3) {
    std::fprintf(stderr, "usage: qdriver COMMAND ARGS (see the source)\n");
    return 2;
  }
  const std::string command = argv[1];
  const char* name = argv[2];
  auto first = [&]() -> HWND {
    auto all = WindowsOfClass(name);
    return all.empty() ? nullptr : all.front();
  };
  if (command == "wait" && argc == 4) {
    return WaitFor(Number(argv[3]), [&] { return first() != nullptr; }) ? 0 : 1;
  }
  if (command == "wait-visible" && argc == 4) {
    return WaitFor(Number(argv[3]),
                   [&] {
                     HWND w = first();
                     return w && IsWindowVisible(w);
                   })
               ? 0
               : 1;
  }
  if (command == "wait-hidden" && argc == 4) {
    return WaitFor(Number(argv[3]),
                   [&] {
                     HWND w = first();
                     return w && !IsWindowVisible(w);
                   })
               ? 0
               : 1;
  }
  if (command == "wait-gone" && argc == 4) {
    return WaitFor(Number(argv[3]), [&] { return WindowsOfClass(name).empty(); }) ? 0 : 1;
  }
  if (command == "count") {
    std::printf("%u\n", static_cast<unsigned>(WindowsOfClass(name).size()));
    return 0;
  }
  if (command == "rect" || command == "client") {
    HWND window = first();
    if (!window) return 1;
    RECT r;
    if (command == "rect") {
      GetWindowRect(window, &r);
      std::printf("%ld %ld %ld %ld %d\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                  IsWindowVisible(window) ? 1 : 0);
    } else {
      GetClientRect(window, &r);
      POINT origin = {0, 0};
      ClientToScreen(window, &origin);
      std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
    }
    return 0;
  }
  if ((command == "post" || command == "send") && argc == 6) {
    const UINT message = static_cast<UINT>(Number(argv[3]));
    const WPARAM wParam = Number(argv[4]);
    const LPARAM lParam = static_cast<LPARAM>(Number(argv[5]));
    auto all = WindowsOfClass(name);
    if (all.empty()) return 1;
    if (command == "send") {
      std::printf("%ld\n", static_cast<long>(SendMessageA(all.front(), message, wParam, lParam)));
      return 0;
    }
    for (HWND window : all) PostMessageA(window, message, wParam, lParam);
    return 0;
  }
  if (command == "command" && argc == 4) {
    auto all = WindowsOfClass(name);
    if (all.empty()) return 1;
    for (HWND window : all) PostMessageA(window, WM_COMMAND, Number(argv[3]), 0);
    return 0;
  }
  if (command == "child-text" && argc == 4) {
    char text[128] = {};
    if (!GetWindowTextA(GetDlgItem(first(), static_cast<int>(Number(argv[3]))), text,
                        sizeof text)) {
      return 1;
    }
    std::puts(text);
    return 0;
  }
  if (command == "wait-window" && argc == 4) {
    return WaitFor(Number(argv[3]), [&] { return FindWindowA(nullptr, name) != nullptr; }) ? 0 : 1;
  }
  if (command == "close-window") {
    HWND window = FindWindowA(nullptr, name);
    if (!window) return 1;
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return 0;
  }
  if (command == "tray-icons") {
    // Modifying nothing succeeds exactly when the shell knows the icon.
    unsigned count = 0;
    for (HWND window : WindowsOfClass(name)) {
      NOTIFYICONDATAA icon{};
      icon.cbSize = sizeof icon;
      icon.hWnd = window;
      icon.uID = 1;
      if (Shell_NotifyIconA(NIM_MODIFY, &icon)) ++count;
    }
    std::printf("%u\n", count);
    return 0;
  }
  if (command == "hwnds") {
    for (HWND window : WindowsOfClass(name)) {
      std::printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    }
    return 0;
  }
  auto byHandle = [&](const char* text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(text, nullptr, 0)));
  };
  if (command == "post-hwnd" && argc == 6) {
    return PostMessageA(byHandle(argv[2]), static_cast<UINT>(Number(argv[3])), Number(argv[4]),
                        static_cast<LPARAM>(Number(argv[5])))
               ? 0
               : 1;
  }
  if (command == "client-hwnd") {
    HWND window = byHandle(argv[2]);
    RECT r;
    if (!GetClientRect(window, &r)) return 1;
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    std::printf("%ld %ld %ld %ld %d\n", origin.x, origin.y, r.right, r.bottom,
                IsWindowVisible(window) ? 1 : 0);
    return 0;
  }
  if (command == "tray-icon-hwnd") {
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = byHandle(argv[2]);
    icon.uID = 1;
    std::printf("%d\n", Shell_NotifyIconA(NIM_MODIFY, &icon) ? 1 : 0);
    return 0;
  }
  if (command == "dlg-send" && argc == 7) {
    HWND dialog = FindWindowA(nullptr, name);
    if (!dialog) return 1;
    std::printf("%ld\n", static_cast<long>(SendDlgItemMessageA(
                             dialog, static_cast<int>(std::strtol(argv[3], nullptr, 0)),
                             static_cast<UINT>(Number(argv[4])), Number(argv[5]),
                             static_cast<LPARAM>(std::strtol(argv[6], nullptr, 0)))));
    return 0;
  }
  if (command == "dlg-command" && argc == 4) {
    HWND dialog = FindWindowA(nullptr, name);
    if (!dialog) return 1;
    return PostMessageA(dialog, WM_COMMAND, Number(argv[3]), 0) ? 0 : 1;
  }
  if (command == "windows") {
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
          if (!IsWindowVisible(window)) return TRUE;
          char className[128] = {};
          char title[128] = {};
          GetClassNameA(window, className, sizeof className);
          GetWindowTextA(window, title, sizeof title);
          RECT r;
          GetWindowRect(window, &r);
          std::printf("%s|%s|%ld %ld %ld %ld\n", className, title, r.left, r.top, r.right,
                      r.bottom);
          return TRUE;
        },
        0);
    return 0;
  }
  if (command == "wait-text" && argc == 4) {
    TextSearch search{name, nullptr};
    if (!WaitFor(Number(argv[3]), [&] {
          EnumWindows(CheckTextBelow, reinterpret_cast<LPARAM>(&search));
          return search.found != nullptr;
        })) {
      return 1;
    }
    std::printf("0x%llx\n",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(search.found)));
    return 0;
  }
  if (command == "hold" && argc == 4) {
    HANDLE file =
        CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::puts("held");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(Number(argv[3])));
    CloseHandle(file);
    return 0;
  }
  // Holds the desktop open for a whole test run. Wine closes a desktop shortly after its
  // last program ends, and a test that starts while it closes cannot create a window.
  if (command == "keep-desktop" && argc == 3) {
    if (GetDesktopWindow() == nullptr) return 1;
    std::puts("open");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(Number(argv[2])));
    return 0;
  }
  if (command == "linger") return Linger(Number(name));
  if (command == "read") return ReadAccessible(first());
  if (command == "hover" && argc == 4) {
    return Hover(static_cast<long>(Number(argv[2])), static_cast<long>(Number(argv[3])));
  }
  if (command == "name-change" && argc == 4) return WaitForNameChange(first(), Number(argv[3]));
  if (command == "focus") {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(first(), nullptr), &thread)) return 1;
    const HWND focus = thread.hwndFocus;
    std::printf("%d\n", focus && GetParent(focus) == first() ? GetDlgCtrlID(focus) : 0);
    return 0;
  }
  if (command == "reg" && argc == 5) return Reg(argv[2], argv[3], argv[4]);
  if (command == "one-card" && argc == 4) return OneCard(argv[2], argv[3]);
  if (command == "reg-set" && argc == 6) {
    HKEY key;
    if (RegCreateKeyExA(Root(argv[2]), argv[3], 0, nullptr, 0, KEY_SET_VALUE | View(), nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
      return 1;
    }
    const DWORD number = static_cast<DWORD>(Number(argv[5]));
    const LONG status = RegSetValueExA(key, argv[4], 0, REG_DWORD,
                                       reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? 0 : 1;
  }
  if (command == "reg-delete" && (argc == 4 || argc == 5)) {
    if (argc == 4) {
      const LONG status = RegDeleteKeyExA(Root(argv[2]), argv[3], View(), 0);
      return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 0 : 1;
    }
    HKEY key;
    if (RegOpenKeyExA(Root(argv[2]), argv[3], 0, KEY_SET_VALUE | View(), &key) != ERROR_SUCCESS) {
      return 0;
    }
    RegDeleteValueA(key, argv[4]);
    RegCloseKey(key);
    return 0;
  }
  std::fprintf(stderr, "qdriver: unknown command or arguments\n");
  return 2;
}
