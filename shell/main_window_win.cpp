#include "shell/main_window.h"

#include "app/app_state.h"
#include "resources/resource_ids.h"
#include "shell/center_window.h"
#include "shell/commands.h"

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
  const WindowPlacement placement = CenteredPlacement(
      {windowRect.left, windowRect.top, windowRect.right, windowRect.bottom},
      {desktopRect.left, desktopRect.top, desktopRect.right, desktopRect.bottom},
      GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  MoveWindow(window, placement.x, placement.y, placement.width, placement.height, FALSE);
  return TRUE;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case CMD_EXIT:
        case CMD_TRAY_EXIT:
          DestroyWindow(window);
          return 0;
        default:
          return DefWindowProcA(window, message, wParam, lParam);
      }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
