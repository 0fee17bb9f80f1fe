#include "app/display_scale.h"

#include "card/card_scale.h"
#include "core/failure_report.h"
#include "core/system_calls.h"
#include "shell/card_buttons.h"

namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, and PROCESS_PER_MONITOR_DPI_AWARE of the
// older call.
const HANDLE PER_MONITOR_V2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int PER_MONITOR = 2;

bool declaredAware = false;

// The caption, menu bar and borders, at the scale `dpi` the system draws the window's frame.
SIZE FrameSize(HWND window, int dpi) {
  const auto adjustForDpi = RuntimeCalls().adjustWindowRectExForDpi;
  RECT rect{0, 0, 0, 0};
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  const BOOL menu = GetMenu(window) != nullptr;
  const BOOL adjusted = adjustForDpi != nullptr
                            ? adjustForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi))
                            : AdjustWindowRectEx(&rect, style, menu, exStyle);
  if (!adjusted) ReportLastError("AdjustWindowRectEx");
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void DeclareDpiAwareness() {
  const SystemCalls& calls = RuntimeCalls();
  if (calls.setProcessDpiAwarenessContext != nullptr &&
      calls.setProcessDpiAwarenessContext(PER_MONITOR_V2)) {
    declaredAware = true;
    return;
  }
  if (calls.setProcessDpiAwareness != nullptr &&
      SUCCEEDED(calls.setProcessDpiAwareness(PER_MONITOR))) {
    declaredAware = true;
    return;
  }
  declaredAware = calls.setProcessDpiAware != nullptr && calls.setProcessDpiAware();
}

int WindowDpi(HWND window) {
  const auto dpiForWindow = RuntimeCalls().getDpiForWindow;
  const UINT dpi = dpiForWindow != nullptr ? dpiForWindow(window) : 0;
  if (dpi != 0) return static_cast<int>(dpi);
  // Without the call, a program that declared itself aware gets the system's scale; the
  // older systems, where nothing could be declared, keep the card at 100 %.
  if (!declaredAware) return CARD_BASE_DPI;
  HDC screen = GetDC(nullptr);
  const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return systemDpi > 0 ? systemDpi : CARD_BASE_DPI;
}

namespace {

// The card's scale and outer size at `dpi` on the monitor nearest `placed`, with its frame
// drawn at `frameDpi`: the largest scale up to `dpi` at which it fits that monitor's work area.
struct CardSize {
  int dpi;
  SIZE outer;
};

CardSize CardSizeAt(HWND window, int dpi, int frameDpi, const RECT& placed) {
  const SIZE frame = FrameSize(window, frameDpi);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&placed, MONITOR_DEFAULTTONEAREST), &monitor)) {
    ReportLastError("GetMonitorInfoA");
  }
  const RECT& work = monitor.rcWork;
  const int cardDpi =
      FittingDpi(dpi, work.right - work.left - frame.cx, work.bottom - work.top - frame.cy);
  return {cardDpi,
          {ScaledForDpi(CARD_CLIENT_WIDTH, cardDpi) + frame.cx,
           ScaledForDpi(CARD_CLIENT_HEIGHT, cardDpi) + frame.cy}};
}

}  // namespace

void ScaleCard(HWND window, int dpi, const RECT* suggested) {
  RECT placed{};
  GetWindowRect(window, &placed);
  if (suggested != nullptr) placed = *suggested;
  // The system draws the frame at the window's scale, the new one once WM_DPICHANGED comes.
  const CardSize card = CardSizeAt(window, dpi, WindowDpi(window), placed);
  SetCardDpi(window, card.dpi);
  SetWindowPos(window, nullptr, placed.left, placed.top, card.outer.cx, card.outer.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceCardButtons(window);
  InvalidateRect(window, nullptr, TRUE);
}

// The suggested rectangle gives the place; the size is the card's own at the new scale,
// which keeps the client area the layout's and the card within the work area. Where the
// system asked for that size first (WM_GETDPISCALEDSIZE), the two are the same.
void OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
  ScaleCard(window, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
}

// Before a move to a display of another scale: the card's own size there, so the system's
// suggested rectangle and the card agree while the user drags it across.
BOOL OnGetDpiScaledSize(HWND window, WPARAM wParam, LPARAM lParam) {
  RECT placed{};
  GetWindowRect(window, &placed);
  // Still at the old scale: the frame is the one the new scale will draw.
  const int dpi = static_cast<int>(wParam);
  *reinterpret_cast<SIZE*>(lParam) = CardSizeAt(window, dpi, dpi, placed).outer;
  return TRUE;
}
