#include "app/main_window.h"

#include "app/card_handlers.h"
#include "app/daily_timer.h"
#include "app/display_scale.h"
#include "card/card_painter.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "resources/resource_ids.h"
#include "shell/card_accessible.h"
#include "shell/card_buttons.h"
#include "shell/tray_icon.h"

namespace {

void PaintWindow(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  PaintCard(dc, window);
  EndPaint(window, &paint);
  AnnounceNewPassage(window);
}

// High contrast switched on or off, or other system colours: card and buttons afresh.
void RepaintInSystemColours(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

void InitWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUILLANE));
  windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
  windowClass.lpszClassName = appState.windowClassName;
  if (!RegisterClassExA(&windowClass)) ReportLastError("RegisterClassExA");
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: CreateCardButtons(window); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: PaintWindow(window); return 0;
    case WM_DRAWITEM: DrawButtonFace(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return 0;
    case WM_COMMAND: return OnCommand(window, wParam, lParam);
    case WM_SYSCOMMAND: return OnSystemCommand(window, wParam, lParam);
    case WM_TIMER:
      RetryTrayIcon(window, appState.instance);
      OnDailyTimer(window);
      return 0;
    case WM_GETOBJECT: return OnGetObject(window, wParam, lParam);
    case WM_ENDSESSION: OnEndSession(static_cast<BOOL>(wParam)); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, wParam, lParam); return 0;
    case WM_GETDPISCALEDSIZE: return OnGetDpiScaledSize(window, wParam, lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: RepaintInSystemColours(window); return 0;
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
