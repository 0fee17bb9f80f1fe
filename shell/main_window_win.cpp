#include "shell/main_window.h"

#include <memory>
#include <type_traits>

#include "app/app_state.h"
#include "app/daily_timer.h"
#include "card/card_painter.h"
#include "resources/resource_ids.h"
#include "shell/card_commands.h"
#include "shell/center_window.h"
#include "shell/commands.h"
#include "shell/tray_icon.h"

namespace {

struct CardButton {
  unsigned id;
  const char* text;
  int x;
  int width;
  int bitmapId;
  HBITMAP AppState::*face;
};

// In creation order; from left to right the card shows Context, the arrow, Go Forth. The
// texts are never drawn, but they name each button to whatever reads the window's controls.
const CardButton CARD_BUTTONS[] = {
    {CMD_NEXT_VERSE, "Next verse", 147, 46, IDB_NEXT_BUTTON, &AppState::nextButtonBitmap},
    {CMD_GO_FORTH, "Go Forth", 247, 85, IDB_CONTEXT_BUTTON, &AppState::contextButtonBitmap},
    {CMD_CONTEXT, "Context", 15, 85, IDB_GO_FORTH_BUTTON, &AppState::goForthButtonBitmap},
};

HBITMAP FaceOf(unsigned controlId) {
  switch (controlId) {
    case CMD_NEXT_VERSE: return appState.nextButtonBitmap;
    case CMD_GO_FORTH: return appState.goForthButtonBitmap;
    case CMD_CONTEXT: return appState.contextButtonBitmap;
    default: return nullptr;
  }
}

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

void PaintWindow(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  PaintCard(dc, window);
  EndPaint(window, &paint);
}

}  // namespace

void CreateCardButtons(HWND window) {
  // The faces load in id order, one after each button; which face a button shows is
  // decided by its control id when it is drawn.
  for (const CardButton& button : CARD_BUTTONS) {
    CreateWindowExA(0, "BUTTON", button.text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, button.x,
                    BUTTON_TOP, button.width, BUTTON_HEIGHT, window,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button.id)), appState.instance,
                    nullptr);
    appState.*button.face = LoadBitmapA(appState.instance, MAKEINTRESOURCEA(button.bitmapId));
  }
}

void DrawButtonFace(const DRAWITEMSTRUCT& item) {
  // The same face in every state: no pressed, focused or disabled look.
  MemoryDc memory(CreateCompatibleDC(item.hDC));
  if (!memory) return;
  HGDIOBJ previous = SelectObject(memory.get(), FaceOf(item.CtlID));
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom,
         memory.get(), 0, 0, SRCCOPY);
  SelectObject(memory.get(), previous);
}

void InitWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUILLANE));
  windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
  windowClass.lpszClassName = appState.windowClassName;
  RegisterClassExA(&windowClass);
}

BOOL CenterWindow(HWND window) {
  RECT windowRect;
  RECT desktopRect;
  GetWindowRect(window, &windowRect);
  GetWindowRect(GetDesktopWindow(), &desktopRect);
  const WindowPlacement placement =
      CenteredPlacement({windowRect.left, windowRect.top, windowRect.right, windowRect.bottom},
                        {desktopRect.left, desktopRect.top, desktopRect.right, desktopRect.bottom},
                        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  MoveWindow(window, placement.x, placement.y, placement.width, placement.height, FALSE);
  return TRUE;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: CreateCardButtons(window); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: PaintWindow(window); return 0;
    case WM_DRAWITEM: DrawButtonFace(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return 0;
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_SYSCOMMAND: return OnSystemCommand(window, wParam, lParam);
    case WM_TIMER: OnDailyTimer(window); return 0;
    case WM_ENDSESSION: OnEndSession(static_cast<BOOL>(wParam)); return 0;
    case TRAY_CALLBACK_MESSAGE: OnTrayIconEvent(window, lParam); return 0;
    default:
      // A restarted task bar has forgotten the icon; it announces itself with this.
      if (message == TaskbarCreatedMessage()) {
        ReAddTrayIcon(window, appState.instance);
        return 0;
      }
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
